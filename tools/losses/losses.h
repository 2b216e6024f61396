// Why a game was lost: replays a match record and finds the move after which the opponent
// had a win our threat solver proves, and what kind of mistake it was.
#pragma once

#include <string>
#include <vector>

#include "records/psq.h"

namespace losses {

enum class LossClass {
    NotLost,             // the side did not lose this game
    Time,                // a time-out, a crash or an illegal answer
    ForbiddenMove,       // the side, as Black, played a forbidden point
    MissedWin,           // the side had a proven win of its own earlier and did not play it
    MissedFourDefence,   // a move existed that stopped the opponent's win by fours
    MissedThreeDefence,  // a move existed that stopped the opponent's win by threes
    ForbiddenBlock,      // the only stops of the opponent's win were forbidden to Black
    Drift,               // no tactic decides: no defence was left when the win appeared
};
const char* ClassName(LossClass c);

struct LossLimits {
    int64_t fourNodes = 2000000;   // per solve by fours
    int64_t threeNodes = 1000000;  // per solve by threes
    int threeAttacks = 12;
    int64_t defenceNodes = 200000;  // per candidate when looking for a defence
    int64_t searchNodes = 100000;   // per position for the search's scores; 0: no scores
};

struct LossReport {
    LossClass kind = LossClass::NotLost;
    bool black = false;         // the side had Black
    int moves = 0;              // in the game
    int losingMove = 0;         // 1-based number of the losing move in the game, 0 if none found
    std::string losingPoint;    // "x,y" of it
    bool winByFours = false;    // the opponent's win after it was one by fours
    int missedWinMove = 0;      // the first of the side's moves where it had a proven win, 0 if none
    std::string missedWinKind;  // "VCF" or "VCT"
    int threatenedFrom = 0;     // the first move after which the opponent's proven win held to the end
    std::string reason;         // of the game's end
    // Where the search's score for the side fell most from one of its moves to its next, up to
    // the losing move: the move after which it fell, and the scores before and after.
    int dropMove = 0;
    int dropFrom = 0, dropTo = 0;
};

// The side is "A" or "B" (the match's label in the record's Black and White fields).
LossReport AnalyseLoss(const records::GameRecord& record, const std::string& side,
                       const LossLimits& limits = {});

}  // namespace losses
