// One refereed game between two engines, and which games a match plays.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/match/protocol.h"

namespace match {

// Game index i (from 0) of a match: pair i / 2 plays opening (i / 2) mod 26, engine A takes
// Black in the first game of the pair and White in the second.
struct GameSetup {
    int opening = 0;
    bool aIsBlack = true;
};
GameSetup ScheduleGame(int index);

enum class Reason {
    Five,         // the winner made five
    Forbidden,    // Black played a forbidden point under restrictions
    FullBoard,    // a draw
    Illegal,      // an answer that is no move, or a move off the board or onto a stone
    Timeout,      // no answer within the time plus the tolerance
    Crash,        // the engine ended, closed its output or stopped reading its input
    StartFailed,  // START was answered by something other than OK
};
const char* ReasonName(Reason r);  // "five", "forbidden", "full board", ...

struct GameConfig {
    int rule = RULE_RENJU;
    int turnMillis = 1000;
    int matchMillis = 0;  // an engine's time for the whole game; 0: no limit
    int toleranceMillis = 1000;
    int startMillis = 15000;  // for the answer to START, which may load tables
};

struct Player {
    EngineLink* link = nullptr;
    std::optional<int> level;                      // sent as INFO renju_level when given
    std::optional<int> turnMillis = std::nullopt;  // this engine's time per move, in place of the game's
};

struct GameResult {
    std::vector<TimedMove> moves;  // the opening's stones first, with 0 ms
    std::optional<Colour> winner;  // none: a draw
    Reason reason = Reason::FullBoard;
    std::string detail;
    bool aborted = false;                    // stopped by the user: no result
    std::vector<std::string> complaints[2];  // ERROR and UNKNOWN lines by colour, for the log
};

// Sends START and waits for OK, as every game begins. Empty when the engine answered so; else
// why it cannot play: it ended (how), answered something else (what), or said nothing in time.
std::string CheckStart(EngineLink& link, int startMillis);

// Plays one game from the opening's three stones; the judge is made here.
GameResult PlayGame(const GameConfig& config, int opening, Player black, Player white);

}  // namespace match
