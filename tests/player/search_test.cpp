#include "player/search.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/values.h"
#include "platform/random.h"
#include "player/candidates.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/quick.h"
#include "tests/player/player_fixture.h"

namespace {

struct RootAnswer {
    int32_t x = -1, y = -1, score = 0;
    RootResults results{};
};

RootAnswer Search(int depth) {
    RootAnswer a;
    a.score = SearchRoot(&a.x, &a.y, depth, &a.results);
    return a;
}

// Sets the search up as the computer's move at `level` would.
RootAnswer SearchAtLevel(int level) {
    g_level = level;
    ConfigureSearch(g_moveCount);
    return Search(g_searchDepth);
}

}  // namespace

TEST(SelectTopCandidates, ExchangesAsDescribed) {
    // The exchanges can put an equal value met later ahead of one met earlier: 5a is moved
    // behind 5c when 7b takes the first place.
    Candidate list[] = {{5, 1}, {5, 2}, {7, 3}, {1, 4}, {9, 5}, {9, 6}};
    SelectTopCandidates(list, 6);
    const int expected[] = {5, 6, 3, 2, 1, 4};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(list[i].point, expected[i]) << "entry " << i;
}

TEST(SelectTopCandidates, FastSelectionMatchesTheExchangeRule) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        const int n = static_cast<int>(rng() % (POINT_COUNT + 1));
        const int32_t spread = 1 + static_cast<int32_t>(rng() % 40);  // small spreads give many ties
        Candidate reference[POINT_COUNT];
        CandidateList fast;
        fast.n = n;
        for (int i = 0; i < n; ++i) {
            const int32_t v = static_cast<int32_t>(rng() % spread) - spread / 3;
            reference[i] = {v, i};
            fast.value[i] = v;
            fast.point[i] = i;
        }
        SelectTopCandidates(reference, n);
        SelectTop(fast);
        for (int i = 0; i < n && i < ROOT_MOVES; ++i) {
            ASSERT_EQ(fast.point[i], reference[i].point) << "round " << round << ", entry " << i;
            ASSERT_EQ(fast.value[i], reference[i].value);
        }
    }
}

using SearchTest = PlayerTest;

// A computer node that can complete five returns a win before searching anything.
TEST_F(SearchTest, FivesEndTheSearchAtTheRoot) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int rule;
        int32_t score;
    };
    const Case cases[] = {
        {"computer White blocks Black's four",
         {"......", "..O...", "OXXXX*", "......", "...O.."},
         0,
         SCORE_QUICK},
        {"computer White blocks Black's four under restrictions",
         {"......", "..O...", "OXXXX*", "......", "...O.."},
         1,
         SCORE_QUICK},
        {"computer White completes its own four",
         {"X.....X", ".......", "XOOOO*.", ".......", "X.X...."},
         0,
         SCORE_WIN},
        {"computer Black completes five", {"OXXXX*", "......", "O.O...", "......", "O....."}, 1, SCORE_WIN},
        {"computer Black blocks White's four",
         {"XOOOO*", "......", "X.X...", "......", "....X."},
         2,
         SCORE_QUICK},
    };
    for (const Case& c : cases) {
        ResetWithRule(c.rule);
        PlayDiagram(c.rows, 4, 7);
        g_humanBlack = g_moveCount % 2;
        g_searchWidth = 5;
        g_extensionLimit = 2;
        const EngineSnapshot before = TakeEngineSnapshot();
        const RootAnswer a = Search(6);
        const auto [px, py] = MarkedPoint(c.rows, 4, 7);
        EXPECT_EQ(a.score, c.score) << c.name;
        EXPECT_EQ(a.x, px) << c.name;
        EXPECT_EQ(a.y, py) << c.name;
        EXPECT_EQ(TakeEngineSnapshot(), before) << c.name;
    }
}

// Computer Black under restrictions: its best-looking point is a double three, which it may
// not play; the root lists it with SCORE_NONE and answers elsewhere, at every level.
TEST_F(SearchTest, ForbiddenBestCandidateIsSkippedAndListed) {
    const std::vector<std::string> rows = {".......", "...X...", "...X...", ".XX*...",
                                           ".......", "O.....O", ".......", "O.....O"};
    for (int level = 1; level <= 4; ++level) {
        ResetWithRule(1);
        PlayDiagram(rows, 5, 5);
        g_humanBlack = 0;
        const auto [px, py] = MarkedPoint(rows, 5, 5);
        ASSERT_EQ(IsForbiddenBlack(px, py), 1);
        const RootAnswer a = SearchAtLevel(level);
        EXPECT_FALSE(a.x == px && a.y == py) << "level " << level;
        bool listed = false;
        for (int i = 0; i < a.results.count; ++i) {
            if (a.results.moves[i].x == px && a.results.moves[i].y == py) {
                listed = true;
                EXPECT_EQ(a.results.scores[i], SCORE_NONE);
            }
        }
        EXPECT_TRUE(listed) << "level " << level;
    }
}

// Positions where the right move is certain, at levels 1 to 4: the computer as White makes
// a four-three, which wins (the root stops at that first winning move), and blocks the
// human's four without searching.
TEST_F(SearchTest, TacticalAnswersAtEveryLevel) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int rule;
        int32_t minScore, maxScore;
    };
    const Case cases[] = {
        {"makes the four-three",
         {"X..........", "........X..", ".....O.....", ".....O.....", ".XOOO*.....", "..........X",
          "X.........X"},
         0,
         SCORE_WIN - 100,
         SCORE_TOP},
        {"blocks the human's four",
         {".X.....", "..O....", "OXXXX*.", ".......", "...O...", "O......"},
         1,
         SCORE_QUICK,
         SCORE_QUICK},
    };
    for (const Case& c : cases) {
        for (int level = 1; level <= 4; ++level) {
            ResetWithRule(c.rule);
            PlayDiagram(c.rows, 2, 3);
            g_humanBlack = 1;
            const auto [px, py] = MarkedPoint(c.rows, 2, 3);
            const RootAnswer a = SearchAtLevel(level);
            EXPECT_EQ(a.x, px) << c.name << ", level " << level;
            EXPECT_EQ(a.y, py) << c.name << ", level " << level;
            EXPECT_GE(a.score, c.minScore) << c.name << ", level " << level;
            EXPECT_LE(a.score, c.maxScore) << c.name << ", level " << level;
        }
    }
}

// The random pick stays among the moves within the margin of the best, and does use them.
TEST_F(SearchTest, VarietyPicksWithinTheMargin) {
    for (const int variety : {0, 2}) {
        std::set<std::pair<int, int>> chosen;
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            ResetWithRule(0);
            PlayMoves("9,9 10,10 8,10 10,8");
            g_humanBlack = 0;
            g_variety = variety;
            g_searchWidth = 6;
            g_extensionLimit = 2;
            SeedRandom(seed);
            const RootAnswer a = Search(4);
            ASSERT_GE(a.results.count, 2);
            const int32_t floor = a.results.scores[0] - g_varietyMargin[variety];
            EXPECT_GE(a.score, floor) << "seed " << seed;
            chosen.insert({a.x, a.y});
        }
        if (variety == 0) {
            EXPECT_LE(chosen.size(), 2u) << "margin 0 allows only moves tied with the best";
        } else {
            EXPECT_GE(chosen.size(), 2u) << "a wide margin spreads the choice";
        }
    }
}

// One empty point left: the root searches it alone, and the full board after it is a draw,
// not a win for the side that has no move left.
TEST_F(SearchTest, RootWithOneSearchedMoveAnswersQuicklyWithIt) {
    ResetWithRule(0);
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (y == 18 && x >= 16) continue;
            g_board[CellIndex(x, y)] = (x + 2 * y) % 4 < 2 ? CELL_BLACK : CELL_WHITE;
        }
    }
    g_board[CellIndex(16, 18)] = CELL_WHITE;
    g_board[CellIndex(17, 18)] = CELL_BLACK;
    StoreValues(RecomputedValues());
    g_stackCount = g_moveCount = 360;
    g_humanBlack = 0;
    g_searchWidth = 5;
    const RootAnswer a = Search(4);
    EXPECT_EQ(a.x, 18);
    EXPECT_EQ(a.y, 18);
    EXPECT_EQ(a.score, SCORE_QUICK);
}

// Random positions: a search leaves the board, the stacks, every value and the extension
// count as it found them.
TEST_F(SearchTest, LeavesTheEngineAsItFoundIt) {
    std::mt19937 rng(99);
    int searched = 0;
    for (int game = 0; searched < 12; ++game) {
        ResetWithRule(game % 3);
        SeedRandom(static_cast<uint32_t>(game + 1));
        const int length = 6 + static_cast<int>(rng() % 40);
        bool over = false;
        while (g_moveCount < length && !over) {
            g_humanBlack = g_moveCount % 2 == 1;
            int32_t x, y;
            ChooseQuickMove(&x, &y);
            const int p = PointIndex(x, y);
            over = g_blackValue[p] >= FIVE_VALUE || g_whiteValue[p] >= FIVE_VALUE;
            RecordPush(x, y);
            EnginePush(x, y);
        }
        if (over) continue;
        g_humanBlack = g_moveCount % 2;
        g_level = 1 + static_cast<int>(rng() % 3);
        ConfigureSearch(g_moveCount);
        const int depth = 4 + 2 * (searched % 3);  // 4, 6, 8
        const EngineSnapshot before = TakeEngineSnapshot();
        const RootAnswer a = Search(depth);
        EXPECT_EQ(TakeEngineSnapshot(), before) << "game " << game << ", depth " << depth;
        EXPECT_EQ(g_extensionCount, 0);
        EXPECT_EQ(g_board[CellIndex(a.x, a.y)], CELL_EMPTY) << "game " << game;
        ++searched;
    }
}

// Stopped part-way, by the search's own display or by another thread: the root gives up with
// SCORE_EVEN and the engine is as before. Stops early and late in the tree, where the windows
// below the root have narrowed and the nodes that see the stop cut their loops short.
TEST_F(SearchTest, StoppedSearchRestoresEverything) {
    // Stops deep inside the tree, at a given move shown below the root.
    struct StopDeepInside : DisplayRecorder {
        int stopAt = 0;
        int stones = 0;
        void DrawStone(int x, int y, int colour) override {
            DisplayRecorder::DrawStone(x, y, colour);
            if (colour < 2 && ++stones == stopAt) g_stopSearch = 1;
        }
    };

    PlayMoves("9,9 10,10 8,10 10,8 9,10 9,11");
    g_humanBlack = 0;
    g_searchMode = 2;
    g_level = 4;
    EngineSnapshot before = TakeEngineSnapshot();
    for (const int stopAt : {1, 30, 80}) {
        StopDeepInside stopper;
        stopper.stopAt = stopAt;
        g_display = &stopper;
        g_stopSearch = 0;
        ConfigureSearch(g_moveCount);
        EXPECT_EQ(Search(8).score, SCORE_EVEN) << "stop at " << stopAt;
        // The minimising nodes finish their loops, whose children return at once.
        EXPECT_GE(stopper.stones, stopAt);
        EXPECT_LT(stopper.stones, stopAt + 30);
        int shown = 0;
        for (const auto& call : stopper.calls)
            shown += call.what == "stone" ? 1 : -1;
        EXPECT_EQ(shown, 0) << "every move shown is removed again, stop at " << stopAt;
        EXPECT_EQ(TakeEngineSnapshot(), before) << "stop at " << stopAt;
        EXPECT_EQ(g_extensionCount, 0);
    }

    g_stopSearch = 0;
    g_display = nullptr;
    g_level = 7;
    g_moveCount = g_stackCount;
    ConfigureSearch(20);
    before = TakeEngineSnapshot();
    std::thread stop([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        g_stopSearch = 1;
    });
    const RootAnswer a = Search(12);
    stop.join();
    EXPECT_EQ(a.score, SCORE_EVEN);
    EXPECT_EQ(TakeEngineSnapshot(), before);
    EXPECT_EQ(g_extensionCount, 0);
}

TEST_F(SearchTest, ThinkingDisplayShowsAndRemovesEachMoveInOrder) {
    DisplayRecorder recorder;
    g_display = &recorder;
    PlayMoves("9,9 10,10 8,10 10,8 9,10 9,11");
    g_humanBlack = 0;
    g_level = 3;
    ConfigureSearch(g_moveCount);

    for (const int mode : {1, 2}) {
        recorder.calls.clear();
        g_searchMode = mode;
        const RootAnswer a = Search(8);
        // Every drawn stone is erased again before the next one at a shallower level: the
        // calls nest like the search itself.
        std::vector<DisplayRecorder::Call> open;
        int rings = 0, stones = 0;
        for (const auto& call : recorder.calls) {
            if (call.what == "stone") {
                open.push_back(call);
                if (call.value == 2)
                    ++rings;  // computer Black's root moves
                else
                    ++stones;
            } else {
                ASSERT_EQ(call.what, "erase");
                ASSERT_FALSE(open.empty());
                EXPECT_EQ(call.x, open.back().x);
                EXPECT_EQ(call.y, open.back().y);
                open.pop_back();
            }
        }
        EXPECT_TRUE(open.empty());
        EXPECT_GE(rings, a.results.count - 1) << "mode " << mode;
        if (mode == 1) {
            EXPECT_EQ(stones, 0);
        } else {
            EXPECT_GT(stones, 0);
        }
    }

    // Never while pondering.
    recorder.calls.clear();
    g_ponderRunning = 1;
    Search(8);
    EXPECT_TRUE(recorder.calls.empty());
}
