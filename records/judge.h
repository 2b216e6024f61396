// The referee's view of a game: which moves are legal and when the game is over. It plays
// the moves on the engine library's global boards, so only one judge may live at a time.
#pragma once

#include <cstdint>
#include <string>

#include "engine/board.h"

namespace records {

constexpr int RULE_FREE = 0;   // five or more wins for both
constexpr int RULE_RENJU = 4;  // Black: exactly five, and no double three, double four, overline

enum class Colour { Black, White };

constexpr Colour Other(Colour c) {
    return c == Colour::Black ? Colour::White : Colour::Black;
}
const char* ColourName(Colour c);  // "black", "white"

enum class Verdict {
    Continue,   // the stone stands and the other side moves
    Win,        // the stone made five (for Black under restrictions: exactly five)
    Forbidden,  // Black under restrictions played a forbidden point: Black loses
    Draw,       // the stone filled the board
    Illegal,    // off the board or on a stone: nothing was placed
};

struct Judgement {
    Verdict verdict = Verdict::Continue;
    std::string detail;  // e.g. "double three", "occupied"; empty for Continue
};

class Judge {
public:
    // rule: RULE_FREE or RULE_RENJU. Clears the engine boards.
    explicit Judge(int rule);

    // The side to move plays (x, y). Stones stay on the board for every verdict but Illegal.
    Judgement Play(int x, int y);

    Colour ToMove() const { return moves_ % 2 == 0 ? Colour::Black : Colour::White; }
    int Moves() const { return moves_; }
    bool Restricted() const { return restricted_; }

private:
    // The longest line of one colour through (x, y) on any of the four directions: the win
    // test where no restriction applies (Black under restrictions is judged by the engine).
    int LongestLine(int x, int y, uint8_t stone) const;

    bool restricted_;
    int moves_ = 0;
};

}  // namespace records
