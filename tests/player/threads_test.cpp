#include "player/threads.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/board.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "tests/player/thinking_fixture.h"

namespace {

// A quiet early position, computer Black to move. With width 2 and no extensions every depth
// up to 12 is searched in milliseconds, so the display's delays decide how long a step takes.
const char* const QUIET = "9,9 10,10 8,10 10,8 9,10 9,11";

class TimedSearchTest : public ThinkingTest {
protected:
    void SetUpQuiet() {
        PlayMoves(QUIET);
        g_humanBlack = 0;
        g_searchWidth = 2;
        g_extensionLimit = 0;
    }
    // The root moves shown by each search thread, the test's own thread included.
    SlowRootDisplay display;
    void ShowRootMoves() {
        g_display = &display;
        g_searchMode = 1;
    }
};

struct Answer {
    int32_t x = -1, y = -1, score = 0;
    RootResults results{};
};

}  // namespace

TEST_F(TimedSearchTest, StepWithinTheLimitGivesTheWorkersAnswer) {
    PlayMoves(QUIET);
    g_humanBlack = 0;
    g_level = 2;
    ConfigureSearch(g_moveCount);
    const RootAnswer direct = SearchHere(6);
    ConfigureSearch(g_moveCount);
    const EngineSnapshot before = TakeEngineSnapshot();

    Answer a;
    a.score = RunTimedSearch(&a.x, &a.y, 6, &a.results);
    EXPECT_EQ(a.results.timedOut, 0);
    EXPECT_TRUE(SameList(a.results, direct.results));
    EXPECT_TRUE(Lists(a.results, a.x, a.y, a.score))
        << "the answer is one of the examined moves, with its score";
    EXPECT_EQ(TakeEngineSnapshot(), before);
    EXPECT_TRUE(EngineMatchesRecord());
}

// The worker is held up at each root move beyond the one-second wait of a two-second limit:
// it is stopped and a depth-4 search of width 7 with two extensions answers on this thread.
TEST_F(TimedSearchTest, StepThatTimesOutFallsBackToAShortSearch) {
    PlayMoves(QUIET);
    g_humanBlack = 0;
    g_level = 2;
    ConfigureSearch(g_moveCount);
    const int32_t width = g_searchWidth, extensions = g_extensionLimit;
    SeedRandom(5);
    const RootAnswer fallback = SearchHereWith(4, 7, 2);
    const EngineSnapshot before = TakeEngineSnapshot();

    g_timeLimit = 2;
    ShowRootMoves();
    display.delayMillis = [](int) { return 400; };
    SeedRandom(5);
    const uint32_t start = TickCount();
    Answer a;
    a.score = RunTimedSearch(&a.x, &a.y, 6, &a.results);
    const uint32_t waited = TickCount() - start;

    EXPECT_GE(waited, 1000u) << "waits one second less than the limit";
    EXPECT_EQ(a.results.timedOut, 1);
    EXPECT_EQ(a.x, fallback.x);
    EXPECT_EQ(a.y, fallback.y);
    EXPECT_EQ(a.score, fallback.score);
    EXPECT_TRUE(SameList(a.results, fallback.results));
    ASSERT_EQ(display.threads.size(), 2u) << "the worker, then this thread";
    EXPECT_EQ(display.threads[1], -1);
    EXPECT_EQ(g_searchWidth, width) << "the settings are restored";
    EXPECT_EQ(g_extensionLimit, extensions);
    EXPECT_EQ(g_stopSearch, 0);
    EXPECT_EQ(TakeEngineSnapshot(), before);
}

// Without time pressure, depth 6, 8, ... up to the level's depth, and below depth 8 one step
// at the level's depth; the answer is the last step's.
TEST_F(TimedSearchTest, DeepeningStepsUpToTheDepth) {
    struct Case {
        int maxDepth;
        std::vector<int> steps;
    };
    const Case cases[] = {{4, {4}}, {6, {6}}, {8, {6, 8}}, {10, {6, 8, 10}}, {12, {6, 8, 10, 12}}};
    for (const Case& c : cases) {
        ResetWithRule(0);
        SetUpQuiet();
        g_timeLimit = 3600;
        int64_t nodes = 0;
        RootAnswer last;
        for (const int depth : c.steps) {
            last = SearchHere(depth);
            nodes += last.nodes;
        }
        const int64_t before = g_searchNodes;
        Answer a;
        a.score = DeepenSearch(&a.x, &a.y, c.maxDepth, &a.results);
        EXPECT_EQ(g_searchNodes - before, nodes) << "depth " << c.maxDepth;
        EXPECT_TRUE(SameList(a.results, last.results)) << "depth " << c.maxDepth;
        EXPECT_EQ(a.results.timedOut, 0);
        EXPECT_TRUE(EngineMatchesRecord());
    }
}

// A forced win or loss seen at depth 6 ends the deepening, however much time is left.
TEST_F(TimedSearchTest, DeepeningStopsWhenTheOutcomeIsSeen) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        bool win;
    };
    const Case cases[] = {
        {"computer White makes a four-three",
         {"X..........", "........X..", ".....O.....", ".....O.....", ".XOOO......", "..........X",
          "X.........X"},
         true},
        {"the human has two open threes",
         {"O...........", ".............", "...XXX......O", "..............", "O.............",
          "..............", "..............", "....O.........", "..............", "........XXX...",
          "..............", "O............."},
         false},
    };
    for (const Case& c : cases) {
        ResetWithRule(0);
        PlayDiagram(c.rows, 2, 4);
        g_humanBlack = 1;
        g_searchWidth = 5;
        g_extensionLimit = 2;
        g_timeLimit = 3600;
        const RootAnswer first = SearchHere(6);
        ASSERT_GT(first.nodes, 0) << c.name << ": the outcome needs a search";
        if (c.win) {
            ASSERT_GE(first.score, SCORE_WIN) << c.name;
        } else {
            ASSERT_LE(first.score, SCORE_LOSS) << c.name;
        }
        const int64_t before = g_searchNodes;
        Answer a;
        a.score = DeepenSearch(&a.x, &a.y, 12, &a.results);
        EXPECT_EQ(g_searchNodes - before, first.nodes) << c.name << ": only the first step";
        EXPECT_EQ(a.score >= SCORE_WIN, c.win) << c.name;
        EXPECT_EQ(a.score <= SCORE_LOSS, !c.win) << c.name;
        EXPECT_TRUE(EngineMatchesRecord()) << c.name;
    }
}

// The first step takes more than 6 percent of the limit (1.2 s of 20 s) but ends in time:
// no deeper step is begun. Its first root move is held up past that share; the rest of the
// limit is room enough for any machine.
TEST_F(TimedSearchTest, DeepeningStopsAfterSixPercentOfTheLimit) {
    SetUpQuiet();
    const RootAnswer first = SearchHere(6);
    g_timeLimitMillis = 20000;
    ShowRootMoves();
    display.delayMillis = [held = std::make_shared<bool>(false)](int) {
        const bool first = !*held;
        *held = true;
        return first ? 1300 : 0;
    };
    const int64_t before = g_searchNodes;
    Answer a;
    a.score = DeepenSearch(&a.x, &a.y, 12, &a.results);
    EXPECT_EQ(display.threads.size(), 1u) << "one worker";
    g_timeLimitMillis = 0;
    EXPECT_EQ(g_searchNodes - before, first.nodes);
    EXPECT_EQ(a.results.timedOut, 0);
    EXPECT_TRUE(SameList(a.results, first.results));
}

// The depth-8 step times out: its fallback is thrown away and the depth-6 answer stands. The
// depth-8 worker is held until it is told to stop, so it always times out; the depth-6 step has
// 6 percent of 10 s to end in, room enough on any machine.
TEST_F(TimedSearchTest, TimedOutDeeperStepKeepsThePreviousAnswer) {
    SetUpQuiet();
    const RootAnswer first = SearchHere(6);
    const EngineSnapshot before = TakeEngineSnapshot();
    g_timeLimitMillis = 10000;
    ShowRootMoves();
    display.delayMillis = [](int worker) { return worker == 0 ? 0 : 3600000; };
    Answer a;
    a.score = DeepenSearch(&a.x, &a.y, 12, &a.results);
    g_timeLimitMillis = 0;

    ASSERT_EQ(display.threads.size(), 3u) << "depth 6, depth 8, then the fallback here";
    EXPECT_EQ(display.threads[2], -1);
    EXPECT_EQ(a.results.timedOut, 0);
    EXPECT_TRUE(SameList(a.results, first.results));
    EXPECT_TRUE(Lists(a.results, a.x, a.y, a.score)) << "the depth-6 step's own answer";
    EXPECT_EQ(g_searchWidth, 2);
    EXPECT_EQ(g_extensionLimit, 0);
    EXPECT_EQ(TakeEngineSnapshot(), before);
}

// A millisecond limit replaces the whole-second one; 0 gives the seconds back.
TEST_F(TimedSearchTest, TimedWaitUsesTheMillisecondLimitWhenSet) {
    struct Case {
        int32_t seconds;
        int64_t millis;
        uint32_t wait;
    };
    // Limits past the longest wait a thread offers wait that long, never a wrapped-around time.
    const Case cases[] = {
        {20, 0, 19000},
        {1, 0, 0},
        {20, 750, 750},
        {1, 3500, 3500},
        {0, 0, 0},
        {INT32_MAX, 0, UINT32_MAX},
        {4294969, 0, UINT32_MAX},
        {4294967, 0, 4294966000},
        {20, INT32_MAX, INT32_MAX},
        {20, INT64_MAX, UINT32_MAX},
        {20, int64_t{UINT32_MAX} + 1, UINT32_MAX},
    };
    for (const Case c : cases) {
        g_timeLimit = c.seconds;
        g_timeLimitMillis = c.millis;
        EXPECT_EQ(TimedWaitMillis(), c.wait) << c.seconds << " s, " << c.millis << " ms";
    }
    g_timeLimitMillis = 0;
}
