#include "player/quick.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "engine/board.h"
#include "engine/values.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "player/search.h"
#include "tests/player/player_fixture.h"

namespace {

void SetValues(int p, int32_t black, int32_t white) {
    g_blackValue[p] = black;
    g_whiteValue[p] = white;
}

// How often each point is chosen over many draws.
std::map<int, int> Picks(int draws) {
    std::map<int, int> picks;
    for (int i = 0; i < draws; ++i) {
        int32_t x, y;
        ChooseQuickMove(&x, &y);
        ++picks[PointIndex(x, y)];
    }
    return picks;
}

}  // namespace

using QuickTest = PlayerTest;

// The margin is 4d + 4 below d = 4 and 16 above, with d = moves - humanBlack; a point exactly
// the margin below the best does not count.
TEST_F(QuickTest, MarginDecidesHowManyPointsMayBeChosen) {
    struct Case {
        int humanBlack, moveCount;
        int32_t second;  // value of the runner-up; the best is 40
        bool runnerUpChosen;
    };
    const Case cases[] = {
        {1, 3, 28, false},                      // computer White at move 3: margin 12
        {1, 3, 29, true},   {0, 3, 24, false},  // computer Black at move 3: margin 16
        {0, 3, 25, true},   {0, 2, 28, false},  // margin 12
        {1, 30, 24, false}, {1, 30, 25, true},
    };
    for (const Case& c : cases) {
        ClearValues();
        g_humanBlack = c.humanBlack;
        g_moveCount = c.moveCount;
        // The computer's own value weighs 4/3: give each point only the opponent's value.
        auto set = [&](int p, int32_t v) { c.humanBlack ? SetValues(p, v, 0) : SetValues(p, 0, v); };
        set(100, 40);
        set(200, c.second);
        const auto picks = Picks(400);
        EXPECT_EQ(picks.count(200) == 1, c.runnerUpChosen)
            << "humanBlack " << c.humanBlack << ", moves " << c.moveCount << ", runner-up " << c.second;
        EXPECT_GT(picks.at(100), 200);
    }
}

TEST_F(QuickTest, EightNearBestPointsFollowTheTwoStageDraw) {
    g_humanBlack = 0;
    g_moveCount = 20;
    for (int i = 0; i < 8; ++i)
        SetValues(10 + i * 20, 0, 40 - i);  // all within the margin of 16
    const int draws = 64000;
    const auto picks = Picks(draws);
    ASSERT_EQ(picks.size(), 8u);
    for (int j = 0; j < 8; ++j) {
        double expected = 0;
        for (int k = j + 1; k <= 8; ++k)
            expected += 1.0 / 8 / k;
        EXPECT_NEAR(static_cast<double>(picks.at(10 + j * 20)) / draws, expected, 0.01) << "position " << j;
    }
}

TEST_F(QuickTest, ForbiddenPointsOnlyForTheComputerAsRestrictedBlack) {
    struct Case {
        int humanBlack, restricted;
        bool forbiddenPointChosen;
    };
    for (const Case c : {Case{0, 1, false}, Case{0, 0, true}, Case{1, 1, true}}) {
        ClearValues();
        g_humanBlack = c.humanBlack;
        g_restricted = c.restricted;
        g_moveCount = 20;
        // A double three for Black at point 150, valued far above the rest.
        const int p = 150;
        g_blackLine[p][0] = g_blackLine[p][1] = 13;
        SetValues(p, 26, 30);
        SetValues(151, 1, 1);
        int32_t x, y;
        const int32_t value = ChooseQuickMove(&x, &y);
        EXPECT_EQ(PointIndex(x, y) == p, c.forbiddenPointChosen)
            << "humanBlack " << c.humanBlack << ", restricted " << c.restricted;
        if (!c.forbiddenPointChosen) {
            EXPECT_GT(value, SCORE_NONE);
        }
    }
}

TEST_F(QuickTest, OwnValueWeighsFourThirdsRoundedTowardZero) {
    g_humanBlack = 0;  // the computer is Black: value = W + 4B/3
    g_moveCount = 20;
    for (const auto& [black, expected] :
         {std::pair{-5, 40 - 6}, std::pair{-2, 40 - 2}, std::pair{5, 40 + 6}}) {
        ClearValues();
        SetValues(77, black, 40);
        int32_t x, y;
        EXPECT_EQ(ChooseQuickMove(&x, &y), expected) << "Black value " << black;
        EXPECT_EQ(PointIndex(x, y), 77);
    }
}

TEST_F(QuickTest, NeverChoosesAnOccupiedPoint) {
    PlayMoves("0,0 1,0 2,0 3,0 4,0 5,0 6,0 7,0 8,0 9,0");
    ClearValues();  // every point 0: the first points in order are the candidates
    g_humanBlack = 1;
    for (const auto& [p, count] : Picks(300)) {
        EXPECT_EQ(g_board[CellIndex(p % BOARD_SIZE, p / BOARD_SIZE)], CELL_EMPTY) << "point " << p;
    }
}
