#include "player/threads.h"

#include <algorithm>

#include "engine/classes.h"
#include "platform/random.h"
#include "platform/thread.h"
#include "platform/tick.h"
#include "player/game_state.h"
#include "player/levels.h"

std::atomic<int32_t> g_finishPonder{0};
std::atomic<int32_t> g_ponderActive{0};
std::atomic<int32_t> g_ponderIndex{0};
std::atomic<int64_t> g_ponderEstimate{0};
std::atomic<uint32_t> g_ponderStepStart{0};
std::atomic<int32_t> g_ponderReplies[PONDER_SLOTS] = {
    NO_POINT, NO_POINT, NO_POINT, NO_POINT, NO_POINT, NO_POINT, NO_POINT, NO_POINT,
};
MoveEntry g_ponderAnswers[PONDER_SLOTS];
int32_t g_ponderScores[PONDER_SLOTS];

int32_t g_ponderHit = 0;
int32_t g_ponderHitX = 0;
int32_t g_ponderHitY = 0;
int32_t g_ponderHitScore = 0;
int32_t g_forceShallow = 0;
int64_t g_timeLimitMillis = 0;

namespace {

constexpr auto RELAXED = std::memory_order_relaxed;
constexpr int FALLBACK_DEPTH = 4;
constexpr int32_t FALLBACK_WIDTH = 7;
constexpr int32_t FALLBACK_EXTENSIONS = 2;
constexpr int PONDER_GUESS_DEPTH = 4;    // depth of the search for the human's replies
constexpr int PONDER_FIRST_DEPTH = 6;    // most plies of the first step for a reply
constexpr int64_t ESTIMATE_FACTOR = 18;  // a step two plies deeper takes up to this much longer

// The pondering thread. Its destructor runs at exit; the thread must not outlive the globals
// it searches, so it is stopped first.
struct PonderThread {
    Thread thread;
    ~PonderThread() {
        g_stopSearch.store(1, RELAXED);
        thread.Wait();
    }
} s_ponder;

bool Stopping() {
    return g_stopSearch.load(RELAXED) != 0 || g_finishPonder.load(RELAXED) != 0;
}

struct SearchBlock {
    int32_t x = 0, y = 0, score = 0;
    int depth = 0;
    RootResults results{};
};

void SearchThreadMain(SearchBlock* block) {
    SeedRandom(TickCount());
    block->score = SearchRoot(&block->x, &block->y, block->depth, &block->results);
}

void ClearPonderSlots() {
    for (int i = 0; i < PONDER_SLOTS; ++i) {
        g_ponderReplies[i].store(NO_POINT, RELAXED);
        g_ponderAnswers[i] = {-1, -1};
        g_ponderScores[i] = 0;
    }
}

// Prepares the computer's answer to one reply, first at most six plies deep, then deeper
// while the settings ask for it and nobody wants the thread to end.
void PrepareAnswer(int i, const MoveEntry& reply) {
    EnginePush(reply.x, reply.y);
    g_ponderReplies[i].store(PointIndex(reply.x, reply.y), RELAXED);

    int32_t ax = 0, ay = 0;
    RootResults list;
    const uint32_t t = TickCount();
    g_ponderStepStart.store(t, RELAXED);
    int32_t s = SearchRoot(&ax, &ay, std::min(g_searchDepth, PONDER_FIRST_DEPTH), &list);
    // A stopped step gives no answer, only its first candidate.
    if (g_stopSearch.load(RELAXED) == 0) {
        g_ponderAnswers[i] = {ax, ay};
        g_ponderScores[i] = s;
    }
    g_ponderEstimate.store(ESTIMATE_FACTOR * int64_t{TickCount() - t}, RELAXED);

    if (g_searchDepth >= 8) {
        for (int d = 8; d <= g_searchDepth && !Stopping(); d += 2) {
            const uint32_t start = TickCount();
            g_ponderStepStart.store(start, RELAXED);
            s = SearchRoot(&ax, &ay, d, &list);
            if (g_stopSearch.load(RELAXED) == 0) {
                g_ponderAnswers[i] = {ax, ay};
                g_ponderScores[i] = s;
            }
            g_ponderEstimate.store(ESTIMATE_FACTOR * int64_t{TickCount() - start}, RELAXED);
        }
    }
    EnginePop();
}

// Does not seed its random generator: the choice among near-equal answers needs no fresh seed.
void PonderThreadMain() {
    g_ponderEstimate.store(0, RELAXED);

    // The human's likely replies: a search from the human's side. g_humanBlack is flipped only
    // for it; no other thread reads it while pondering runs.
    const int32_t width = g_searchWidth;
    g_humanBlack = 1 - g_humanBlack;
    int32_t x = 0, y = 0;
    RootResults replies;
    const int32_t s = SearchRoot(&x, &y, PONDER_GUESS_DEPTH, &replies);
    if (replies.count == 0 && OnBoard(x, y)) {  // the root answered before listing moves
        replies.moves[0] = {x, y};
        replies.count = 1;
    }
    g_humanBlack = 1 - g_humanBlack;
    // The root narrows a width of 8 or more to its depth; the answers must be searched as wide
    // as the computer's own move would be.
    g_searchWidth = width;

    if (s >= SCORE_WIN) {  // the human can force a win: nothing worth preparing
        g_ponderActive.store(0, RELAXED);
        g_ponderRunning.store(0, RELAXED);
        return;
    }

    for (int i = 0; i < replies.count && i < PONDER_SLOTS && !Stopping(); ++i) {
        g_ponderIndex.store(i, RELAXED);
        g_ponderEstimate.store(0, RELAXED);
        const MoveEntry reply = replies.moves[i];
        if (g_restricted == 1 && g_humanBlack == 1 && IsForbiddenBlack(reply.x, reply.y) == 1) continue;
        PrepareAnswer(i, reply);
    }
    g_ponderRunning.store(0, RELAXED);
}

}  // namespace

uint32_t TimedWaitMillis() {
    const int64_t millis =
        g_timeLimitMillis > 0 ? g_timeLimitMillis : std::max<int64_t>(int64_t{g_timeLimit} * 1000 - 1000, 0);
    return static_cast<uint32_t>(std::min<int64_t>(millis, UINT32_MAX));
}

int32_t RunTimedSearch(int32_t* x, int32_t* y, int depth, RootResults* results) {
    SearchBlock block;
    block.depth = depth;
    Thread worker;
    worker.Start([&block] { SearchThreadMain(&block); });
    if (worker.WaitFor(TimedWaitMillis())) {
        *x = block.x;
        *y = block.y;
        *results = block.results;
        return block.score;
    }

    // Out of time: the worker's result is discarded and a short search answers instead.
    g_stopSearch.store(1, RELAXED);
    worker.Wait();
    g_stopSearch.store(0, RELAXED);
    const int32_t savedExtensions = g_extensionLimit;
    const int32_t savedWidth = g_searchWidth;
    g_extensionLimit = FALLBACK_EXTENSIONS;
    g_searchWidth = FALLBACK_WIDTH;
    const int32_t score = SearchRoot(x, y, FALLBACK_DEPTH, results);
    g_extensionLimit = savedExtensions;
    g_searchWidth = savedWidth;
    results->timedOut = 1;
    return score;
}

int32_t DeepenSearch(int32_t* x, int32_t* y, int maxDepth, RootResults* results) {
    if (maxDepth < 8) return RunTimedSearch(x, y, maxDepth, results);

    // Cut to the longest wait, so that the share below cannot overflow.
    const int64_t limitMillis = std::min<int64_t>(
        g_timeLimitMillis > 0 ? g_timeLimitMillis : 1000 * static_cast<int64_t>(g_timeLimit), UINT32_MAX);
    const uint32_t t0 = TickCount();
    int32_t score = RunTimedSearch(x, y, 6, results);
    for (int d = 8; d <= maxDepth; d += 2) {
        // The outcome is already seen, or 6 percent of the limit is spent: a deeper step
        // would likely not end in time.
        const int64_t elapsed = static_cast<uint32_t>(TickCount() - t0);
        if (score >= SCORE_WIN || score <= SCORE_LOSS || elapsed > limitMillis * 6 / 100) break;
        int32_t sx = 0, sy = 0;
        RootResults step;
        const int32_t s = RunTimedSearch(&sx, &sy, d, &step);
        if (step.timedOut) break;  // the previous depth's answer stands
        *x = sx;
        *y = sy;
        *results = step;
        score = s;
    }
    return score;
}

void StopPondering() {
    if (!s_ponder.thread.Started()) return;
    g_stopSearch.store(1, RELAXED);
    s_ponder.thread.Wait();
    // The request was for that thread only; left set, it would stop the next search at once.
    g_stopSearch.store(0, RELAXED);
}

void StartPondering() {
    StopPondering();
    ConfigureSearch(g_moveCount + 1);
    if (g_searchWidth <= 0 || g_searchDepth <= 0 || (g_gameRule == 2 && g_moveCount < 6)) {
        g_ponderActive.store(0, RELAXED);
        return;
    }
    ClearPonderSlots();
    g_ponderActive.store(1, RELAXED);
    g_finishPonder.store(0, RELAXED);
    g_stopSearch.store(0, RELAXED);
    g_ponderIndex.store(0, RELAXED);
    g_ponderEstimate.store(0, RELAXED);
    g_ponderRunning.store(1, RELAXED);
    s_ponder.thread.Start(PonderThreadMain, ThreadPriority::IDLE);
}

void TakePonderResult(int x, int y) {
    g_ponderHit = 0;
    int found = -1;
    if (g_ponderActive.load(RELAXED)) {
        const int32_t point = PointIndex(x, y);
        const int32_t last = g_ponderIndex.load(RELAXED);
        for (int i = 0; i <= last && i < PONDER_SLOTS && found < 0; ++i) {
            if (g_ponderReplies[i].load(RELAXED) == point) found = i;
        }
        if (found == last && g_ponderRunning.load(RELAXED)) {
            // The thread is still preparing exactly this reply.
            if (g_ponderEstimate.load(RELAXED) == 0) {
                // Its first step has not ended: let it finish, within the limit.
                g_finishPonder.store(1, RELAXED);
                s_ponder.thread.SetPriority(ThreadPriority::NORMAL);
                if (!s_ponder.thread.WaitFor(TimedWaitMillis())) {
                    StopPondering();
                    g_forceShallow = 1;
                    return;
                }
            } else {
                // A deeper step runs: wait for it if it should end within the limit, otherwise
                // abandon it and keep the previous step's answer.
                const int64_t elapsed = static_cast<uint32_t>(TickCount() - g_ponderStepStart.load(RELAXED));
                if (g_ponderEstimate.load(RELAXED) < elapsed + 1000 * static_cast<int64_t>(g_timeLimit))
                    g_finishPonder.store(1, RELAXED);
                else
                    g_stopSearch.store(1, RELAXED);
                s_ponder.thread.SetPriority(ThreadPriority::NORMAL);
                s_ponder.thread.WaitFor(TimedWaitMillis());
            }
        }
    }
    // The prepared answers are read only once the thread has ended.
    StopPondering();
    if (found >= 0 && OnBoard(g_ponderAnswers[found].x, g_ponderAnswers[found].y)) {
        g_ponderHitX = g_ponderAnswers[found].x;
        g_ponderHitY = g_ponderAnswers[found].y;
        g_ponderHitScore = g_ponderScores[found];
        g_ponderHit = 1;
    }
}
