// Threat-space solver: a win by a sequence of fours (VCF), or of fours and threes (VCT), for
// one side, under the rule of the current game (restricted Black cannot play a forbidden
// point; a four whose only block is forbidden to Black wins for White).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/board.h"

namespace strong {

enum class ThreatKind { FOURS, FOURS_AND_THREES };

struct ThreatLimits {
    int maxAttacks = 30;         // threat moves of the attacker on one line of play
    int64_t maxNodes = 2000000;  // positions visited before the solver gives up
    int32_t maxMillis = 0;       // time before the solver gives up; 0: no limit
    // Try 4, 6, 8 ... attacks up to maxAttacks, within the one budget: short wins, the
    // common ones, are found before the long lines are explored.
    bool deepen = false;
    int firstAttacks = 4;  // where the deepening starts
};

struct ThreatResult {
    bool win = false;      // a proven win for the attacker
    bool complete = true;  // false: the budget or a stop ended the search; no verdict
    // Point indices from the position searched: attack, answer, attack, ... ending with the
    // attack that wins. With threes, one line of the proof tree: each answer is the first
    // defence tried; every other defence was refuted as well.
    std::vector<int> line;
    int64_t nodes = 0;
    // With deepening: the most attacks for which the whole tree was searched without a win
    // (0 if none), where a later solve of the same position may start.
    int refutedAttacks = 0;
};

// Solves for `attacker`. When it is not the side to move, the other side passes first. The
// engine board, stack, values and hash are left exactly as found. Polls g_stopSearch.
ThreatResult SolveThreats(uint8_t attacker, ThreatKind kind, const ThreatLimits& limits = {});

// Null move: the side to move passes. The stack count moves past an unused entry, so the
// colours of later pushes swap; nothing else changes. Undone by TakeBackPass.
void Pass();
void TakeBackPass();

// The moves of the side to move after which the opponent has no win of this kind left (a
// complete verdict). Empty when the opponent has no such win to begin with is not told apart:
// ask SolveThreats first. Candidates are the legal points within two of a stone.
std::vector<int> Defences(ThreatKind kind, const ThreatLimits& limits = {});

// Total nodes of all solves, for benchmarks.
extern int64_t g_threatNodes;

}  // namespace strong
