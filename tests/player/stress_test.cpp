// Many short games of the computer against a scripted opponent, with pondering on: the
// opponent moves at random moments (often a reply the pondering is preparing), takes moves
// back and starts new games in the middle of the pondering, and the time limit often runs
// out. Run under ThreadSanitizer this also checks that the threads share nothing unguarded.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/values.h"
#include "platform/thread.h"
#include "player/driver.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/threads.h"
#include "tests/player/thinking_fixture.h"

namespace {

constexpr int GAMES = 12;
constexpr int LONGEST_GAME = 30;  // moves

// Counts what the thinking display shows; every stone and ring shown must be removed again.
struct CountingDisplay : BoardDisplay {
    int shown = 0, erased = 0, placed = 0;
    void DrawStone(int, int, int) override { ++shown; }
    void ErasePoint(int, int) override { ++erased; }
    void DrawLastMoveMark() override { ++placed; }
    void UpdateTitle(int) override {}
    void SetWaitCursor(bool) override {}
};

class Opponent {
public:
    explicit Opponent(std::mt19937& rng) : m_rng(rng) {}

    int Below(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }

    // An empty point: half the time a reply the pondering has reached, otherwise a point near
    // the last stones. Reads only the game record and the atomic reply slots, so it may run
    // while the pondering thread searches.
    MoveEntry Choose() {
        if (Below(2) == 0) {
            const int32_t p = g_ponderReplies[Below(PONDER_SLOTS)].load();
            if (p != NO_POINT && Empty(p % BOARD_SIZE, p / BOARD_SIZE))
                return {p % BOARD_SIZE, p / BOARD_SIZE};
        }
        std::vector<MoveEntry> near;
        for (int i = std::max(0, g_moveCount - 4); i < g_moveCount; ++i) {
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    const int x = g_moves[i].x + dx, y = g_moves[i].y + dy;
                    if (Empty(x, y)) near.push_back({x, y});
                }
            }
        }
        if (near.empty()) {
            for (int p = 0; p < POINT_COUNT; ++p)
                if (Empty(p % BOARD_SIZE, p / BOARD_SIZE)) near.push_back({p % BOARD_SIZE, p / BOARD_SIZE});
        }
        return near[Below(static_cast<int>(near.size()))];
    }

    static bool Empty(int x, int y) { return OnBoard(x, y) && g_gameBoard[CellIndex(x, y)] == CELL_EMPTY; }

private:
    std::mt19937& m_rng;
};

void Play(const MoveEntry& m) {
    RecordPush(m.x, m.y);
    EnginePush(m.x, m.y);
}

void Undo() {
    RecordPop();
    EnginePop();
}

using StressTest = ThinkingTest;

}  // namespace

TEST_F(StressTest, ShortGamesWithPonderingStopsAndTimeOuts) {
    std::mt19937 rng(20240607);
    Opponent opponent(rng);
    CountingDisplay display;
    g_display = &display;
    int computerMoves = 0, proposals = 0, hits = 0, shallow = 0;

    for (int game = 0; game < GAMES; ++game) {
        const std::string context = "game " + std::to_string(game);
        StopPondering();
        ResetWithRule(game % 3);
        ResetThinkingState();
        g_humanBlack = opponent.Below(2);
        g_level = 1 + opponent.Below(3);
        g_searchMode = opponent.Below(3);
        bool over = false;
        if (g_humanBlack == 0) {
            ComputerMove();
            ++computerMoves;
        }
        while (!over && g_moveCount < LONGEST_GAME) {
            g_timeLimit = 1 + opponent.Below(2);  // 1: every timed wait runs out at once
            SleepMillis(static_cast<uint32_t>(opponent.Below(15)));

            const int action = opponent.Below(16);
            if (action == 0) break;  // a new game in the middle of the pondering
            if (action == 1 && g_moveCount >= 8) {
                // Undo the last two moves, then ponder again, as the undo command does.
                StopPondering();
                ASSERT_TRUE(EngineMatchesRecord()) << context;
                Undo();
                Undo();
                StartPondering();
                continue;
            }

            if (g_gameRule == 2 && g_moveCount == 4) {
                StopPondering();
                if (g_humanBlack == 0) {
                    // The computer proposed two fifth moves; the human takes one away.
                    ASSERT_NE(g_fifthA, g_fifthB) << context;
                    Play(opponent.Below(2) == 0 ? MoveEntry{g_fifthB % BOARD_SIZE, g_fifthB / BOARD_SIZE}
                                                : MoveEntry{g_fifthA % BOARD_SIZE, g_fifthA / BOARD_SIZE});
                    continue;
                }
                // The human proposes two; the computer keeps the better for White and answers it.
                const MoveEntry a = opponent.Choose();
                MoveEntry b = opponent.Choose();
                while (b.x == a.x && b.y == a.y)
                    b = opponent.Choose();
                g_searchWidth = 5;
                int32_t xa, ya, xb, yb;
                RootResults ra, rb;
                Play(a);
                const int32_t sa = RunTimedSearch(&xa, &ya, 6, &ra);
                Undo();
                Play(b);
                const int32_t sb = RunTimedSearch(&xb, &yb, 6, &rb);
                if (sa > sb) {
                    Undo();
                    Play(a);
                    Play({xa, ya});
                } else {
                    Play({xb, yb});
                }
                ASSERT_TRUE(EngineMatchesRecord()) << context;
                continue;
            }

            const MoveEntry m = opponent.Choose();
            TakePonderResult(m.x, m.y);
            ASSERT_EQ(g_ponderRunning, 0) << context;
            ASSERT_TRUE(EngineMatchesRecord()) << context << ", move " << g_moveCount;
            hits += g_ponderHit;
            shallow += g_forceShallow;
            if (g_ponderHit) {
                ASSERT_TRUE(Opponent::Empty(g_ponderHitX, g_ponderHitY)) << context;
                ASSERT_FALSE(g_ponderHitX == m.x && g_ponderHitY == m.y) << context;
            }

            const int32_t c = ClassifyBlack(m.x, m.y);
            const bool humanFive =
                g_humanBlack == 1 ? c == 3 : g_whiteValue[PointIndex(m.x, m.y)] >= FIVE_VALUE;
            Play(m);
            if ((g_restricted == 1 && g_humanBlack == 1 && c == 4) || humanFive) break;

            const int before = g_moveCount;
            const int32_t v = ComputerMove();
            ++computerMoves;
            if (g_gameRule == 2 && before == 4) {
                ++proposals;
            } else {
                ASSERT_EQ(g_moveCount, before + 1) << context;
            }
            over = v >= FIVE_VALUE;
        }
        StopPondering();
        ASSERT_TRUE(EngineMatchesRecord()) << context;
        // Besides the thinking display: each placed move, and two rings for each proposal.
        EXPECT_EQ(display.shown - display.placed - 2 * proposals, display.erased)
            << context << ": every thinking stone is removed";
    }
    // How long the games run depends on timing; every game has the computer move at least once.
    EXPECT_GE(computerMoves, GAMES);
    RecordProperty("computer_moves", computerMoves);
    RecordProperty("ponder_hits", hits);
    RecordProperty("short_searches", shallow);
}
