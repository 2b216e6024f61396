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
};

// Sets the transposition table to at most `bytes` (at least one entry); clears it.
void SetTableBytes(size_t bytes);
void ClearTable();

// Chooses a move within `millis` of wall time (it returns within a few tens of milliseconds of
// it) or when g_stopSearch is raised. At most `maxDepth` plies of full search.
ThinkResult Think(int32_t millis, int maxDepth = 64);

// Nodes of the game-tree search over all calls, for benchmarks.
extern int64_t g_strongNodes;

}  // namespace strong
