// A game of the window as a record: the rule, the moves and how it ended. It is kept as a .psq
// file (the match runner's format, with the window's rule) or as a move list in renju notation,
// "h8 i9 j10": letters from the left, numbers from the bottom.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "records/psq.h"

namespace records {

enum class Outcome { Open, BlackWins, WhiteWins, Draw };

struct Game {
    int rule = 0;  // the window's rules: 0 basic, 1 Japanese, 2 international
    std::vector<MoveEntry> moves;
    bool operator==(const Game& other) const;
};

// Why a record is refused; the move is 1-based, 0 when the fault lies in no move.
enum class Fault { None, Unreadable, WrongSize, OffBoard, Occupied, Forbidden, AfterEnd, ResultDiffers };

struct Check {
    Check() = default;
    Check(Fault f, int m, std::string t, std::string s = {})
        : fault(f), move(m), text(std::move(t)), shape(std::move(s)) {}

    Fault fault = Fault::None;
    int move = 0;
    std::string text;   // the bad move in notation, the bad line or word, the board size or the result
    std::string shape;  // of a forbidden move: "double three", "double four" or "overline"
};

std::string MoveName(int x, int y);  // "h8"; "t5" or "x,y" (1-based) off the board
std::string MoveList(const std::vector<MoveEntry>& moves);

// Reads a move list; whitespace or commas between moves, any letter case. Points off the board
// are kept so that the check can name them.
std::vector<MoveEntry> ParseMoveList(const std::string& text, Check* fault);

GameRecord ToPsq(const Game& game, Outcome outcome);
// The rule from the record's Rule field (a match record's "4 renju" is the Japanese rule),
// the moves after the size check. Nothing is checked on the board yet.
Game FromPsq(const GameRecord& record, Check* fault);
const char* OutcomeText(Outcome outcome);  // the Result field: "black wins", "white wins", "draw"

// Plays the game on the engine boards, which it leaves holding the checked moves (callers put
// their own position back). The first move that is off the board, on a stone, after the end,
// or forbidden to Black, is the fault; a forbidden last move ends the game when `result` says
// White won by it, as a saved game that Black lost so does. A `result` that the moves do not
// reach is a fault too. The menu rule g_rule is left as it was.
Check Replay(const Game& game, const std::string& result, Outcome* outcome);

}  // namespace records
