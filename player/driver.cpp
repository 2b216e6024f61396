#include "player/driver.h"

#include <algorithm>

#include "engine/board.h"
#include "engine/values.h"
#include "platform/random.h"
#include "platform/thread.h"
#include "platform/tick.h"
#include "player/display.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/quick.h"
#include "player/search.h"
#include "player/strong/search.h"
#include "player/threads.h"

namespace {

constexpr int CENTRE = 9;
constexpr int32_t OPENING_SCORE = 100;
constexpr int32_t SHALLOW_DEPTH = 4;
constexpr int32_t SHALLOW_WIDTH = 6;
constexpr int32_t SHALLOW_EXTENSIONS = 2;
constexpr int RING_BLACK = 2;  // DrawStone colour: a ring with a black outline

bool EmptyPoint(int x, int y) {
    return OnBoard(x, y) && g_gameBoard[CellIndex(x, y)] == CELL_EMPTY;
}

// Toward the centre; on the centre line a random side (odd: +1).
int StepTowardCentre(int v) {
    if (v < CENTRE) return 1;
    if (v > CENTRE) return -1;
    return NextRandom() % 2 == 1 ? 1 : -1;
}

// The answer to the human's first stone: a neighbour toward the centre.
void SecondMove(int32_t* x, int32_t* y) {
    const int x0 = g_moves[0].x, y0 = g_moves[0].y;
    const int dx = StepTowardCentre(x0);
    const int dy = StepTowardCentre(y0);
    do {
        *x = x0 + dx * (NextRandom() % 2);
        *y = y0 + dy * (NextRandom() % 2);
    } while (*x == x0 && *y == y0);
}

// A random empty point of the 5 x 5 square around the centre.
void ThirdMove(int32_t* x, int32_t* y) {
    do {
        *x = CENTRE - 2 + NextRandom() % 5;
        *y = CENTRE - 2 + NextRandom() % 5;
    } while (!EmptyPoint(*x, *y));
}

constexpr int64_t TOURNAMENT_STOP_SLACK = 200;  // ms past its own limit before it is told to stop

// The tournament player on a worker thread, within nine tenths of the limit per move, while
// this thread keeps the window painting. Its score is put on the scale of the title.
int32_t TournamentMove(int32_t* x, int32_t* y) {
    g_forceShallow = 0;  // left by pondering at another level, it must not reach a later move
    const int64_t millis =
        g_timeLimitMillis > 0 ? g_timeLimitMillis : std::max<int64_t>(100, int64_t{g_timeLimit} * 900);
    strong::ThinkResult result;
    Thread worker;
    worker.Start([&result, millis] {
        result = strong::Think(strong::ThinkLimits{millis, g_tournamentNodes});
    });
    // The longest wait a thread offers is far beyond any game; past it the player is stopped.
    const int64_t wait =
        std::min<int64_t>(millis, UINT32_MAX - TOURNAMENT_STOP_SLACK) + TOURNAMENT_STOP_SLACK;
    if (!worker.WaitFor(static_cast<uint32_t>(wait))) {
        g_stopSearch.store(1, std::memory_order_relaxed);
        worker.Wait();
        g_stopSearch.store(0, std::memory_order_relaxed);
    }
    if (result.point < 0) return SCORE_EVEN;
    *x = result.point % BOARD_SIZE;
    *y = result.point / BOARD_SIZE;
    if (result.score >= strong::PROVEN_SCORE) return SCORE_WIN;
    if (result.score <= -strong::PROVEN_SCORE) return SCORE_LOSS;
    return SCORE_EVEN + std::clamp(result.score, -8000, 8000);
}

// The computer's move from the third on: the short search after an aborted pondering, the
// prepared answer of a ponder hit, the deepening search, or the quick choice.
int32_t ChooseMove(int32_t* x, int32_t* y, RootResults* results) {
    if (g_level == TOURNAMENT_LEVEL) return TournamentMove(x, y);
    ConfigureSearch(g_moveCount);
    if (g_forceShallow) {
        const int32_t savedWidth = g_searchWidth;
        const int32_t savedExtensions = g_extensionLimit;
        g_stopSearch.store(0, std::memory_order_relaxed);
        g_finishPonder.store(0, std::memory_order_relaxed);
        g_searchWidth = SHALLOW_WIDTH;
        g_extensionLimit = SHALLOW_EXTENSIONS;
        const int32_t score = SearchRoot(x, y, SHALLOW_DEPTH, results);
        g_searchWidth = savedWidth;
        g_extensionLimit = savedExtensions;
        g_forceShallow = 0;
        return score;
    }
    if (g_ponderActive.load(std::memory_order_relaxed) && g_ponderHit) {
        *x = g_ponderHitX;
        *y = g_ponderHitY;
        return g_ponderHitScore;
    }
    if (g_searchWidth > 0) return DeepenSearch(x, y, g_searchDepth, results);
    return ChooseQuickMove(x, y);
}

// Black's second fifth-move proposal: the best examined move other than the first, or, when
// the search listed none (the quick choice lists nothing), the best other point by the
// ordering value of computer Black (own value plus a third more of White's).
int32_t SecondProposal(const RootResults& results, int32_t first) {
    for (int i = 0; i < results.count; ++i) {
        const MoveEntry m = results.moves[i];
        if (PointIndex(m.x, m.y) != first && EmptyPoint(m.x, m.y)) return PointIndex(m.x, m.y);
    }
    int32_t best = NO_POINT, bestValue = 0;
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (p == first || !EmptyPoint(p % BOARD_SIZE, p / BOARD_SIZE)) continue;
        const int32_t value = g_whiteValue[p] + 4 * g_blackValue[p] / 3;
        if (best == NO_POINT || value > bestValue) {
            best = p;
            bestValue = value;
        }
    }
    return best;
}

}  // namespace

int64_t g_tournamentNodes = 0;

int32_t ComputerMove() {
    StopPondering();  // the callers have stopped it; the board must be this thread's

    const int n = g_moveCount;
    int32_t x = 0, y = 0, score = 0;
    RootResults results{};
    g_finishPonder.store(0, std::memory_order_relaxed);
    g_stopSearch.store(0, std::memory_order_relaxed);

    // Black early in the game chooses among closer scores, so that its openings stay sound.
    if (g_humanBlack == 0) {
        for (int k = 0; k < 3; ++k)
            g_varietyMargin[k] = n < 16 ? VARIETY_BASE[k] - (16 - n) : VARIETY_BASE[k];
    }

    if (n == 0) {
        x = y = CENTRE;
        score = OPENING_SCORE;
    } else if (n == 1) {
        SecondMove(&x, &y);
        score = SCORE_QUICK;
    } else if (n == 2) {
        ThirdMove(&x, &y);
        score = OPENING_SCORE;
    } else {
        if (g_display) g_display->SetWaitCursor(true);
        score = ChooseMove(&x, &y, &results);
        if (g_display) g_display->SetWaitCursor(false);
    }
    if (!EmptyPoint(x, y)) return 0;  // a full board: nothing to play

    if (g_gameRule == 2 && n == 4) {
        // Black's fifth move under the international rule: two proposals, the human keeps one.
        const int32_t first = PointIndex(x, y);
        const int32_t second = SecondProposal(results, first);
        if (g_display) g_display->DrawStone(x, y, RING_BLACK);
        if (g_display && second != NO_POINT)
            g_display->DrawStone(second % BOARD_SIZE, second / BOARD_SIZE, RING_BLACK);
        g_fifthA = first;
        g_fifthB = second;
        return 0;
    }

    if (g_display) g_display->DrawStone(x, y, g_stackCount % 2);
    const int p = PointIndex(x, y);
    const int32_t value = g_humanBlack == 1 ? g_whiteValue[p] : g_blackValue[p];
    RecordPush(x, y);
    g_thinkMillis = static_cast<int32_t>(TickCount() - g_moveStartTick);
    if (g_display) g_display->UpdateTitle(score);
    EnginePush(x, y);
    if (g_display) g_display->DrawLastMoveMark();
    StartPondering();
    return value;
}
