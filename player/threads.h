// Thinking threads: the timed search worker, iterative deepening under the time limit, and
// the pondering thread that prepares answers to the human's likely replies.
//
// The engine board, the point values and g_extensionCount belong to one thread at a time and
// pass between threads only by waiting for a thread's end. Values read while another thread
// may write them are atomics; the user-interface thread writes the flags, the pondering
// thread its progress and replies.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/board.h"
#include "player/search.h"

constexpr int PONDER_SLOTS = 8;
constexpr int32_t NO_POINT = -1;  // a ponder slot holding no reply: equals no point index

// Flags written by the user-interface thread and polled by the pondering thread.
extern std::atomic<int32_t> g_finishPonder;  // 1: end after the running search step

// Written by the pondering thread while it runs.
extern std::atomic<int32_t> g_ponderActive;      // pondering started and the human cannot force a win
extern std::atomic<int32_t> g_ponderIndex;       // the reply being worked on, 0 .. 7
extern std::atomic<int64_t> g_ponderEstimate;    // 18 x the last finished step for it; 0 before
extern std::atomic<uint32_t> g_ponderStepStart;  // tick at the start of the running step
extern std::atomic<int32_t> g_ponderReplies[PONDER_SLOTS];  // point indices, or NO_POINT
// Read only once the pondering thread has been waited for. An answer of (-1, -1) is none.
extern MoveEntry g_ponderAnswers[PONDER_SLOTS];
extern int32_t g_ponderScores[PONDER_SLOTS];

// User-interface thread only: the outcome of TakePonderResult, read by the driver.
extern int32_t g_ponderHit;
extern int32_t g_ponderHitX;
extern int32_t g_ponderHitY;
extern int32_t g_ponderHitScore;
extern int32_t g_forceShallow;  // the prepared answer could not be finished in time

// When above 0, the time-out of every timed wait in milliseconds, in place of the one
// derived from g_timeLimit: for callers that budget time more finely than whole seconds.
extern int64_t g_timeLimitMillis;

// The time-out of every timed wait: one second less than the limit per move, at most the
// longest wait a thread offers (a little over 49 days).
uint32_t TimedWaitMillis();

// Runs SearchRoot on a worker thread and waits for it at most TimedWaitMillis(). On time-out
// the worker is stopped and a depth-4 search runs on this thread; results->timedOut is then 1.
int32_t RunTimedSearch(int32_t* x, int32_t* y, int depth, RootResults* results);
// Timed steps at depth 6, 8, ... up to maxDepth while time allows (one step below depth 8).
int32_t DeepenSearch(int32_t* x, int32_t* y, int maxDepth, RootResults* results);

// Starts pondering for the computer's next move when its settings call for a search. Any
// pondering still running is stopped first.
void StartPondering();
// Called with the human's move before it is entered: keeps a prepared answer if there is one
// (g_ponderHit) and returns once no pondering thread runs.
void TakePonderResult(int x, int y);
// Stops the pondering thread, if any, and waits for it: before anything changes a board.
void StopPondering();
