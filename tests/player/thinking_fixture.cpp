#include "tests/player/thinking_fixture.h"

#include <atomic>
#include <chrono>

#include "engine/board.h"
#include "engine/values.h"
#include "platform/thread.h"
#include "player/levels.h"
#include "player/threads.h"

void ThinkingTest::SetUp() {
    PlayerTest::SetUp();
    ResetThinkingState();
}

void ThinkingTest::TearDown() {
    StopPondering();
    ResetThinkingState();
    PlayerTest::TearDown();
}

void ResetThinkingState() {
    g_stopSearch = 0;
    g_finishPonder = 0;
    g_ponderRunning = 0;
    g_ponderActive = 0;
    g_ponderIndex = 0;
    g_ponderEstimate = 0;
    g_ponderStepStart = 0;
    for (int i = 0; i < PONDER_SLOTS; ++i) {
        g_ponderReplies[i] = NO_POINT;
        g_ponderAnswers[i] = {-1, -1};
        g_ponderScores[i] = 0;
    }
    g_ponderHit = 0;
    g_ponderHitX = g_ponderHitY = g_ponderHitScore = 0;
    g_forceShallow = 0;
}

::testing::AssertionResult EngineMatchesRecord() {
    if (g_stackCount != g_moveCount)
        return ::testing::AssertionFailure()
               << g_stackCount << " engine moves, " << g_moveCount << " recorded";
    for (int i = 0; i < g_moveCount; ++i) {
        if (g_stack[i].x != g_moves[i].x || g_stack[i].y != g_moves[i].y)
            return ::testing::AssertionFailure() << "move " << i << " differs";
    }
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (g_board[CellIndex(x, y)] != g_gameBoard[CellIndex(x, y)])
                return ::testing::AssertionFailure() << "point " << x << "," << y << " differs";
        }
    }
    if (!(CurrentValues() == RecomputedValues()))
        return ::testing::AssertionFailure() << "point values differ from a full recomputation";
    return ::testing::AssertionSuccess();
}

bool WaitUntil(const std::function<bool()>& done, int millis) {
    for (int waited = 0; !done(); ++waited) {
        if (waited >= millis) return false;
        SleepMillis(1);
    }
    return true;
}

RootAnswer SearchHere(int depth) {
    RootAnswer a;
    const int64_t before = g_searchNodes;
    a.score = SearchRoot(&a.x, &a.y, depth, &a.results);
    a.nodes = g_searchNodes - before;
    return a;
}

RootAnswer SearchHereWith(int depth, int32_t width, int32_t extensions) {
    const int32_t savedWidth = g_searchWidth, savedExtensions = g_extensionLimit;
    g_searchWidth = width;
    g_extensionLimit = extensions;
    const RootAnswer a = SearchHere(depth);
    g_searchWidth = savedWidth;
    g_extensionLimit = savedExtensions;
    return a;
}

bool Lists(const RootResults& results, int32_t x, int32_t y, int32_t score) {
    for (int i = 0; i < results.count; ++i) {
        if (results.moves[i].x == x && results.moves[i].y == y && results.scores[i] == score) return true;
    }
    return false;
}

::testing::AssertionResult SameList(const RootResults& a, const RootResults& b) {
    if (a.count != b.count) return ::testing::AssertionFailure() << a.count << " moves against " << b.count;
    for (int i = 0; i < a.count; ++i) {
        if (a.moves[i].x != b.moves[i].x || a.moves[i].y != b.moves[i].y || a.scores[i] != b.scores[i])
            return ::testing::AssertionFailure() << "entry " << i << " differs";
    }
    return ::testing::AssertionSuccess();
}

int SlowRootDisplay::NextSerial() {
    static std::atomic<int> serials{0};
    return ++serials;
}

void SlowRootDisplay::DrawStone(int x, int y, int colour) {
    DisplayRecorder::DrawStone(x, y, colour);
    if (colour < 2) return;  // only the root's rings
    thread_local int markedFor = 0;
    thread_local int mark = 0;
    if (markedFor != serial) {
        markedFor = serial;
        mark = std::this_thread::get_id() == owner ? -1 : workers++;
        threads.push_back(mark);
        rings.push_back(0);
    }
    ++rings.back();
    if (mark < 0) return;
    // Held up in steps, so that a worker told to stop is not held past it.
    const int millis = delayMillis(mark);
    for (int waited = 0; waited < millis && !g_stopSearch.load(std::memory_order_relaxed); ++waited)
        SleepMillis(1);
}
