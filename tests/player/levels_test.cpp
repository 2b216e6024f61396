#include "player/levels.h"

#include <gtest/gtest.h>

#include "engine/board.h"
#include "player/game_state.h"
#include "tests/player/player_fixture.h"

using LevelsTest = PlayerTest;

TEST_F(LevelsTest, PlansByLevelMoveAndColour) {
    struct Case {
        const char* name;
        int level, humanBlack, n, moveCount, stackCount;
        int32_t width, depth, extensions;
    };
    constexpr int32_t KEPT = 77;  // the extension limit left from before
    const Case cases[] = {
        {"Naive never searches", 0, 1, 3, 3, 3, 0, 0, KEPT},
        {"Naive late in the game", 0, 0, 200, 200, 200, 0, 0, KEPT},
        {"two moves or fewer: no search", 7, 1, 2, 2, 2, 0, 0, KEPT},
        {"pondering start with two moves", 4, 0, 3, 2, 2, 0, 0, KEPT},
        {"Basic, computer White, move 3", 1, 1, 3, 3, 3, 6, 4, 1},
        {"Basic, computer White, move 9", 1, 1, 9, 9, 9, 5, 4, 3},
        {"Basic, computer Black, move 4", 1, 0, 4, 4, 4, 5, 4, 1},
        {"Master, computer White, move 3", 4, 1, 3, 3, 3, 8, 6, 2},
        {"Advanced, computer White, move 5", 3, 1, 5, 5, 5, 7, 6, 2},
        {"Master, computer Black, move 6", 4, 0, 6, 6, 6, 6, 8, 1},
        {"Normal, pondering for move 7", 2, 0, 7, 6, 6, 5, 6, 3},
        {"Quite slow 1, move 16, 25 on the stack", 5, 1, 16, 16, 25, 4, 10, 3},
        {"Quite slow 1, move 26, 26 on the stack", 5, 1, 26, 26, 26, 5, 10, 2},
        {"Quite slow 3, move 20", 7, 1, 20, 20, 20, 5, 12, 2},
        {"Quite slow 3, move 40", 7, 0, 40, 40, 40, 6, 12, 2},
    };
    for (const Case& c : cases) {
        g_level = c.level;
        g_humanBlack = c.humanBlack;
        g_moveCount = c.moveCount;
        g_stackCount = c.stackCount;
        g_searchWidth = g_searchDepth = 99;
        g_extensionLimit = KEPT;
        ConfigureSearch(c.n);
        EXPECT_EQ(g_searchWidth, c.width) << c.name;
        EXPECT_EQ(g_searchDepth, c.depth) << c.name;
        EXPECT_EQ(g_extensionLimit, c.extensions) << c.name;
    }
}
