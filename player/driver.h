// The computer's move: fixed opening moves, a prepared answer from pondering, the search
// under the time limit, or the quick choice; then drawing, recording, the title and pondering.
#pragma once

#include <cstdint>

// When above 0, the tournament player's nodes per move beside its time, so that its games
// repeat exactly (for tests).
extern int64_t g_tournamentNodes;

// Runs on the user-interface thread when it is the computer's turn; draws through g_display
// when there is one. Returns the computer's own point value at its move, read before the
// move was entered (FIVE_VALUE or more: the computer completed five), or 0 when it only
// proposed two fifth moves (international rule) or found no empty point.
int32_t ComputerMove();
