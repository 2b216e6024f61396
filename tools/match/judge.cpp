#include "tools/match/judge.h"

#include <algorithm>

#include "engine/classes.h"
#include "engine/values.h"

namespace match {

const char* ColourName(Colour c) {
    return c == Colour::Black ? "black" : "white";
}

Judge::Judge(int rule) : restricted_(rule == RULE_RENJU) {
    // The engine's Japanese rule (1): restrictions for Black and nothing else.
    g_rule = restricted_ ? 1 : 0;
    ResetBoards();
}

int Judge::LongestLine(int x, int y, uint8_t stone, bool* exactFive) const {
    static constexpr int STEPS[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
    int longest = 0;
    *exactFive = false;
    for (const auto& s : STEPS) {
        int run = 1;
        for (const int sign : {1, -1}) {
            for (int k = 1;; ++k) {
                const int cx = x + sign * k * s[0], cy = y + sign * k * s[1];
                if (!OnBoard(cx, cy) || g_board[CellIndex(cx, cy)] != stone) break;
                ++run;
            }
        }
        if (run == 5) *exactFive = true;
        longest = std::max(longest, run);
    }
    return longest;
}

Judgement Judge::Play(int x, int y) {
    if (!OnBoard(x, y)) return {Verdict::Illegal, "off the board"};
    if (g_board[CellIndex(x, y)] != CELL_EMPTY) return {Verdict::Illegal, "occupied"};
    const Colour side = ToMove();
    // The engine's forbidden test reads the point's values, which exist only while it is empty.
    const bool blackRestricted = side == Colour::Black && restricted_;
    const int32_t* lines = g_blackLine[PointIndex(x, y)];
    const bool forbidden = blackRestricted && IsForbiddenBlack(x, y);
    int threes = 0, fours = 0;
    for (int d = 0; d < 4; ++d) {
        const int32_t k = ClassOfValue(lines[d]);
        threes += k == CLASS_THREE;
        fours += k == CLASS_FOUR || k == CLASS_OPEN_FOUR;
        if (lines[d] == -20) fours += 2;  // the tables' value for two fours on one line
    }
    RecordPush(x, y);
    EnginePush(x, y);
    ++moves_;
    bool exactFive = false;
    const int longest = LongestLine(x, y, side == Colour::Black ? CELL_BLACK : CELL_WHITE, &exactFive);
    if (blackRestricted) {
        // A five counts even where the same stone makes a forbidden shape.
        if (exactFive) return {Verdict::Win, "five"};
        if (longest > 5) return {Verdict::Forbidden, "overline"};
        if (forbidden)
            return {Verdict::Forbidden, fours > 1    ? "double four"
                                        : threes > 1 ? "double three"
                                                     : "forbidden shape"};
    } else if (longest >= 5) {
        return {Verdict::Win, longest > 5 ? "overline" : "five"};
    }
    if (moves_ == POINT_COUNT) return {Verdict::Draw, "full board"};
    return {};
}

}  // namespace match
