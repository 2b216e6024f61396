// Level plans: how wide and deep the computer looks ahead at each level and move number.
#pragma once

#include <cstdint>

// Per level: A, w1, d1, e1, B, w2, d2, e2, C, w3, d3, e3 — thresholds A and B on the move
// number, C on the engine stack count, and three sets of width, depth and extension limit.
extern const int32_t g_levelPlans[8][12];

// The level after the eight: the tournament player, which has no plan of width and depth.
constexpr int32_t TOURNAMENT_LEVEL = 8;

extern int32_t g_searchWidth;     // 0: quick choice instead of a search
extern int32_t g_searchDepth;     // plies; 0: quick choice
extern int32_t g_extensionLimit;  // most threat extensions on one line of play

// Margins of the root's random choice, selected by g_variety; the driver shifts them when
// the computer plays Black early in the game.
constexpr int32_t VARIETY_BASE[3] = {0, 32, 64};
extern int32_t g_varietyMargin[3];

// Sets the three search settings for a computer move when the game has n moves.
void ConfigureSearch(int n);
