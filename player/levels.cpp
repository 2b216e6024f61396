#include "player/levels.h"

#include "engine/board.h"
#include "player/game_state.h"

// clang-format off
const int32_t g_levelPlans[8][12] = {
    //  A   w1 d1 e1   B  w2 d2 e2   C  w3 d3 e3
    {362,   4,  4, 2, 24,  6,  2, 2, 32,  7,  2, 2},  // Naive
    {  7,   5,  4, 3, 16,  6,  4, 3, 32,  7,  4, 3},  // Basic
    {  7,   5,  6, 3, 16,  5,  6, 3, 26,  6,  6, 3},  // Normal
    {  7,   5,  8, 3, 16,  5,  8, 3, 26,  5,  8, 3},  // Advanced
    {  7,   6,  8, 3, 16,  6,  8, 3, 20,  6,  8, 3},  // Master
    {  7,   6,  8, 3, 16,  4, 10, 3, 26,  5, 10, 2},  // Quite slow 1
    {  7,   5, 10, 2, 16,  5, 10, 3, 32,  6, 10, 2},  // Quite slow 2
    {  7,   5, 10, 2, 16,  5, 12, 2, 32,  6, 12, 2},  // Quite slow 3
};
// clang-format on

int32_t g_searchWidth = 0;
int32_t g_searchDepth = 0;
int32_t g_extensionLimit = 0;
int32_t g_varietyMargin[3] = {VARIETY_BASE[0], VARIETY_BASE[1], VARIETY_BASE[2]};

void ConfigureSearch(int n) {
    if (g_level >= TOURNAMENT_LEVEL) {
        // Its own search: nothing for the eight levels' search to do, and no pondering.
        g_searchWidth = 0;
        g_searchDepth = 0;
        return;
    }
    const int32_t* row = g_levelPlans[g_level];
    auto set = [](int32_t width, int32_t depth, int32_t extensions) {
        g_searchWidth = width;
        g_searchDepth = depth;
        g_extensionLimit = extensions;
    };
    if (n < row[0]) {
        if (g_level == 0 || g_moveCount <= 2) {
            g_searchWidth = 0;  // the extension limit keeps its value
            g_searchDepth = 0;
            return;
        }
        const int32_t w1 = row[1], d1 = row[2], e1 = row[3];
        if (g_humanBlack == 1) {
            // The computer as White looks wider early on, and shallower when deep.
            if (d1 > 6)
                set(w1 + 2, d1 - 2, e1 - 1);
            else
                set(w1 + 1, d1, e1 - 2);
        } else {
            set(w1, d1, e1 - 2);
        }
    } else if (n < row[4]) {
        set(row[1], row[2], row[3]);
    } else if (g_stackCount < row[8]) {
        set(row[5], row[6], row[7]);
    } else {
        set(row[9], row[10], row[11]);
    }
}
