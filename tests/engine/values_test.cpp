#include "engine/values.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "engine/board.h"
#include "engine/patterns.h"
#include "tests/support/engine_fixture.h"

namespace {

// No lookup can produce this, so a slot that still holds it was not refreshed.
constexpr int32_t UNTOUCHED = 0x7777;

void MarkAllValuesUntouched() {
    for (int p = 0; p < POINT_COUNT; ++p) {
        for (int d = 0; d < 4; ++d)
            g_blackLine[p][d] = g_whiteLine[p][d] = UNTOUCHED;
    }
}

// The (point, slot) pairs refreshed by a push, other than the pushed point's own.
std::set<std::pair<int, int>> RefreshedAfterPush(int px, int py) {
    MarkAllValuesUntouched();
    EnginePush(px, py);
    std::set<std::pair<int, int>> refreshed;
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (p == PointIndex(px, py)) continue;
        for (int d = 0; d < 4; ++d) {
            const bool black = g_blackLine[p][d] != UNTOUCHED, white = g_whiteLine[p][d] != UNTOUCHED;
            EXPECT_EQ(black, white) << "point " << p << " slot " << d;
            if (black) refreshed.insert({p, d});
        }
    }
    return refreshed;
}

std::set<std::pair<int, int>> RayPoints(int x, int y, int reach) {
    const int rays[8][3] = {{-1, 0, 0}, {1, 0, 0},  {0, -1, 1},  {0, 1, 1},
                            {-1, 1, 2}, {1, -1, 2}, {-1, -1, 3}, {1, 1, 3}};
    std::set<std::pair<int, int>> points;
    for (const auto& r : rays) {
        for (int i = 1; i <= reach; ++i) {
            const int qx = x + r[0] * i, qy = y + r[1] * i;
            if (OnBoard(qx, qy)) points.insert({PointIndex(qx, qy), r[2]});
        }
    }
    return points;
}

}  // namespace

using ValuesTest = EngineTest;

// Each refreshed neighbour is refreshed on its ray's line only. Without restrictions the
// fifth point is left alone, which the random games below show to be exact.
TEST_F(ValuesTest, PushRefreshesTheWindowOnEachRay) {
    struct Case {
        int rule, x, y;
        size_t count;
    };
    const Case cases[] = {
        {0, 9, 9, 32},                                 // distance 1..4 on eight rays
        {1, 9, 9, 40},                                 // 1..5 under restrictions
        {0, 0, 0, 12},                                 // (1..4, 0), (0, 1..4), (1, 1)..(4, 4)
        {2, 0, 0, 15}, {0, 18, 2, 4 + 2 + 4 + 4 + 2},  // left, up, down, down-left, up-left
    };
    for (const Case& c : cases) {
        ResetWithRule(c.rule);
        const auto refreshed = RefreshedAfterPush(c.x, c.y);
        EXPECT_EQ(refreshed.size(), c.count) << "rule " << c.rule << " at " << c.x << "," << c.y;
        EXPECT_EQ(refreshed, RayPoints(c.x, c.y, c.rule == 0 ? 4 : 5));
    }
}

TEST_F(ValuesTest, PushedPointIsZeroedAndPopRestoresIt) {
    SetPosition({"...X...", "..O.X..", "...X..."}, 6, 8);
    const EngineSnapshot before = TakeEngineSnapshot();
    const int p = PointIndex(9, 9);
    ASSERT_NE(g_blackValue[p], 0);
    EnginePush(9, 9);
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(g_blackLine[p][d], 0);
        EXPECT_EQ(g_whiteLine[p][d], 0);
    }
    EXPECT_EQ(g_blackValue[p], 0);
    EXPECT_EQ(g_whiteValue[p], 0);
    EnginePop();
    EXPECT_EQ(TakeEngineSnapshot(), before);
}

TEST_F(ValuesTest, StoneOnTheRayDoesNotEndIt) {
    // White's stone at (10, 9) is skipped; (11..13, 9) are still refreshed.
    SetPosition({"O"}, 10, 9);
    const auto refreshed = RefreshedAfterPush(9, 9);
    EXPECT_EQ(refreshed.count({PointIndex(10, 9), DIR_HORIZONTAL}), 0u);
    for (int x = 11; x <= 13; ++x)
        EXPECT_EQ(refreshed.count({PointIndex(x, 9), DIR_HORIZONTAL}), 1u) << x;
    EXPECT_EQ(refreshed.size(), 31u);
}

// Random games with random take-backs: after every push and pop the incremental values
// equal a full recomputation, and each push undone by a pop restores everything exactly.
TEST_F(ValuesTest, RandomGamesMatchFullRecomputation) {
    std::mt19937 rng(20261210);
    int operations = 0;
    for (const int rule : {0, 1, 2}) {
        for (int game = 0; game < 12; ++game) {
            ResetWithRule(rule);
            const int length = 30 + static_cast<int>(rng() % 330);
            // In odd games the threat points are switched on halfway, and kept from then on.
            const bool threats = game % 2 == 1;
            while (g_stackCount < length) {
                if (threats && g_stackCount == length / 2) KeepThreatPoints(true);
                int x, y;
                do {
                    x = static_cast<int>(rng() % BOARD_SIZE);
                    y = static_cast<int>(rng() % BOARD_SIZE);
                } while (g_board[CellIndex(x, y)] != CELL_EMPTY);
                const EngineSnapshot before = TakeEngineSnapshot();
                EnginePush(x, y);
                ++operations;
                ASSERT_EQ(CurrentValues(), RecomputedValues()) << "after push " << x << "," << y;
                const ValueSummary kept = g_valueSummary;
                const ThreatPoints keptThreats = g_threatPoints;
                RebuildKeptState();
                ASSERT_EQ(kept, g_valueSummary) << "summary after push " << x << "," << y;
                if (g_stackCount > length / 2 && threats) {
                    ASSERT_EQ(keptThreats, g_threatPoints) << "threat points after push " << x << "," << y;
                }
                if (rng() % 4 == 0) {
                    EnginePop();
                    ++operations;
                    ASSERT_EQ(TakeEngineSnapshot(), before) << "pop after " << x << "," << y;
                    EnginePush(x, y);
                    ++operations;
                }
                if (rng() % 8 == 0 && g_stackCount > 1) {
                    EnginePop();
                    EnginePop();
                    operations += 2;
                    ASSERT_EQ(CurrentValues(), RecomputedValues()) << "after two pops";
                }
            }
            while (g_stackCount > 0) {
                EnginePop();
                ++operations;
                ASSERT_EQ(CurrentValues(), RecomputedValues()) << "unwinding at " << g_stackCount;
            }
            EXPECT_EQ(CurrentValues(), ValueSnapshot{}) << "an empty board has all values 0";
            if (threats) {
                EXPECT_EQ(g_threatPoints, ThreatPoints{}) << "an empty board has no threat point";
            }
            KeepThreatPoints(false);
        }
    }
    EXPECT_GE(operations, 10000);
}
