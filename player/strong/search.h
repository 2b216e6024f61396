// The tournament player's game-tree search: threat solving at the root, then iterative
// deepening principal-variation search with aspiration windows, a transposition table, killer
// and history ordering, and threat-aware move generation. Plays for the side to move on the
// engine board and leaves the board, stack and values exactly as found.
#pragma once

#include <cstddef>
#include <cstdint>

namespace strong {

constexpr int32_t WIN_SCORE = 1000000;  // a five now; proven wins are within 1000 of it
constexpr int32_t PROVEN_SCORE = WIN_SCORE - 1000;
constexpr size_t DEFAULT_TABLE_MEGABYTES = 64;

struct ThinkResult {
    int point = -1;           // point index, -1 when there is no empty point
    int32_t score = 0;        // from the mover's side
    int depth = 0;            // deepest finished iteration; 0 when a threat solve or a forced move answered
    int64_t nodes = 0;        // search nodes, without the threat solver's
    const char* reason = "";  // what decided the move, for logs
    int64_t solverNodes = 0;  // of the threat looks at the root
};

// Sets the transposition table to at most `bytes` (at least one entry); clears it.
void SetTableBytes(size_t bytes);
void ClearTable();

// What one move may spend. With a node limit, every share of the budget (the threat looks, when
// to stop deepening) is counted in nodes of the search and of the threat solver together, so
// that a move is the same on every machine and every run; the wall time, if also given, still
// stops it. Without one, the shares are of the wall time.
struct ThinkLimits {
    int64_t millis = 1000;  // wall time; 0 or less: none (only with a node limit)
    int64_t nodes = 0;      // 0: no node limit
    int maxDepth = 64;      // plies of full search
};

// Chooses a move within the limits (it returns within a few tens of milliseconds of the wall
// time) or when g_stopSearch is raised.
ThinkResult Think(const ThinkLimits& limits);
inline ThinkResult Think(int64_t millis, int maxDepth = 64) {
    return Think(ThinkLimits{millis, 0, maxDepth});
}

// Nodes of the game-tree search over all calls, for benchmarks.
extern int64_t g_strongNodes;

}  // namespace strong
