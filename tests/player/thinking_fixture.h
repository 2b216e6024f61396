// Fixture and helpers for the tests of the thinking threads and the move driver.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "player/search.h"
#include "tests/player/player_fixture.h"

// Resets the pondering state before each test and stops any pondering thread after it, so
// that no thread outlives the test that started it.
class ThinkingTest : public PlayerTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

void ResetThinkingState();

// The engine board, its stack and its values are exactly those of the game record. Call only
// when no pondering thread runs.
::testing::AssertionResult EngineMatchesRecord();

// Polls `done` every millisecond; false if it did not hold within `millis`.
bool WaitUntil(const std::function<bool()>& done, int millis);

// A search at the root on this thread, with the settings as they are.
struct RootAnswer {
    int32_t x = -1, y = -1, score = 0;
    RootResults results{};
    int64_t nodes = 0;
};
RootAnswer SearchHere(int depth);
// The same with the width and extension limit given for this one search, as the short searches
// of the fallback and after an aborted pondering are made.
RootAnswer SearchHereWith(int depth, int32_t width, int32_t extensions);

// Whether the result list holds (x, y) with this score.
bool Lists(const RootResults& results, int32_t x, int32_t y, int32_t score);

// The list parts of two result records: moves, scores and count.
::testing::AssertionResult SameList(const RootResults& a, const RootResults& b);

// A thinking display that records, for each search thread in order of appearance, how many
// root moves it showed, and that can hold up chosen threads at each root move. Calls come
// from one thread at a time: each search worker is waited for before the next one starts.
struct SlowRootDisplay : DisplayRecorder {
    // Search threads in order of their first root move: -1 for the test's own thread, which
    // is never delayed, and 0, 1, ... for the workers. Thread ids may be reused once a thread
    // has been waited for, so each thread is told apart by a thread-local mark instead.
    std::vector<int> threads;
    std::vector<int> rings;  // root moves shown by each of them
    std::function<int(int worker)> delayMillis = [](int) { return 0; };
    const std::thread::id owner = std::this_thread::get_id();
    const int serial = NextSerial();  // tells this display from an earlier one at the same address
    int workers = 0;

    static int NextSerial();

    void DrawStone(int x, int y, int colour) override;
};
