#include "records/judge.h"

#include <algorithm>

#include "engine/classes.h"

namespace records {

const char* ColourName(Colour c) {
    return c == Colour::Black ? "black" : "white";
}

Judge::Judge(int rule) : restricted_(rule == RULE_RENJU) {
    // The engine's Japanese rule (1): restrictions for Black and nothing else.
    g_rule = restricted_ ? 1 : 0;
    ResetBoards();
}

int Judge::LongestLine(int x, int y, uint8_t stone) const {
    static constexpr int STEPS[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
    int longest = 0;
    for (const auto& s : STEPS) {
        int run = 1;
        for (const int sign : {1, -1}) {
            for (int k = 1;; ++k) {
                const int cx = x + sign * k * s[0], cy = y + sign * k * s[1];
                if (!OnBoard(cx, cy) || g_board[CellIndex(cx, cy)] != stone) break;
                ++run;
            }
        }
        longest = std::max(longest, run);
    }
    return longest;
}

Judgement Judge::Play(int x, int y) {
    if (!OnBoard(x, y)) return {Verdict::Illegal, "off the board"};
    if (g_board[CellIndex(x, y)] != CELL_EMPTY) return {Verdict::Illegal, "occupied"};
    const Colour side = ToMove();
    // The engine's rule test reads the point's values, which exist only while it is empty.
    const bool blackRestricted = side == Colour::Black && restricted_;
    const int32_t code = blackRestricted ? ClassifyBlack(x, y) : 0;
    const ForbiddenShape shape = code == 4 ? ForbiddenShapeBlack(x, y) : FORBIDDEN_NONE;
    RecordPush(x, y);
    EnginePush(x, y);
    ++moves_;
    if (blackRestricted) {
        // A five counts even where the same stone makes a forbidden shape.
        if (code == 3) return {Verdict::Win, "five"};
        if (code == 4) {
            return {Verdict::Forbidden, shape == FORBIDDEN_OVERLINE      ? "overline"
                                        : shape == FORBIDDEN_DOUBLE_FOUR ? "double four"
                                                                         : "double three"};
        }
    } else {
        const int longest = LongestLine(x, y, side == Colour::Black ? CELL_BLACK : CELL_WHITE);
        if (longest >= 5) return {Verdict::Win, longest > 5 ? "overline" : "five"};
    }
    if (moves_ == POINT_COUNT) return {Verdict::Draw, "full board"};
    return {};
}

}  // namespace records
