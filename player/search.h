// The look-ahead: a depth-limited minimax over the engine board in which each side tries at
// most eight moves, ordered by point values, and fives, forbidden points and forced blocks
// cut the tree short. Scores are seen from the computer's side.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/board.h"

constexpr int32_t SCORE_WIN = 8128;        // at or above: the computer wins by force
constexpr int32_t SCORE_LOSS = -88888888;  // at or below: the computer loses by force
constexpr int32_t SCORE_QUICK = -11111;    // answered without a search
constexpr int32_t SCORE_EVEN = -41;        // a stopped root; the balance point of the title
constexpr int32_t SCORE_NONE = -99999999;  // start of a maximising node; a forbidden root move
constexpr int32_t SCORE_TOP = 99999999;    // start of a minimising node

constexpr int ROOT_MOVES = 8;

struct Candidate {
    int32_t value;  // ordering value
    int32_t point;  // point index
};

// The root moves examined, best first. `count` marks the end, so that a real move at (0, 0)
// is never taken for it.
struct RootResults {
    MoveEntry moves[ROOT_MOVES];
    int32_t scores[ROOT_MOVES];
    int32_t timedOut;
    int32_t count;
};

// Shared with the thread that asks a search to stop, or that runs the pondering.
extern std::atomic<int32_t> g_stopSearch;     // 1: every running search stops at once
extern std::atomic<int32_t> g_ponderRunning;  // 1 while the pondering thread runs

extern int32_t g_extensionCount;  // threat extensions in force; 0 outside a search
extern int64_t g_searchNodes;     // max, min and leaf evaluations, for the benchmark

// Computer to move at the top of the tree: returns the score and writes the chosen move and
// the examined root moves. depth is 4 .. 12 plies.
int32_t SearchRoot(int32_t* x, int32_t* y, int depth, RootResults* results);
// Below the root, with an alpha-beta window, fail-soft: a score at or below alpha is an upper
// bound of the true score, one at or above beta a lower bound, one between them exact.
int32_t SearchMax(int depth, int32_t alpha, int32_t beta);  // computer to move
int32_t SearchMin(int depth, int32_t alpha, int32_t beta);  // human to move
constexpr int32_t FULL_WINDOW_LOW = INT32_MIN;
constexpr int32_t FULL_WINDOW_HIGH = INT32_MAX;

// false: no cut-offs and no table of searched nodes, every node searches all its moves, as
// plain minimax does. The reference that the record of root results is written with.
extern bool g_searchPruning;

// Reorders the first n entries so that entries 0 .. 7 are the highest, highest first; among
// equal values the one met first stays ahead.
void SelectTopCandidates(Candidate* list, int n);
