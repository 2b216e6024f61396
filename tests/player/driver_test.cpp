#include "player/driver.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "engine/values.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/threads.h"
#include "tests/player/thinking_fixture.h"

namespace {

using Call = DisplayRecorder::Call;
using Point = std::pair<int, int>;

constexpr int PATIENCE_MILLIS = 60000;

// A game of the engine against itself; its first n moves give positions of every length.
const char* const GAME =
    "9,9 10,8 7,8 7,9 9,7 9,6 10,6 9,8 12,8 8,9 12,4 11,5 10,7 8,7 9,5 11,7 11,4 10,4 13,7 8,10";

std::string FirstMoves(int n) {
    std::istringstream in(GAME);
    std::string move, moves;
    for (int i = 0; i < n && in >> move; ++i)
        moves += move + " ";
    return moves;
}

class DriverTest : public ThinkingTest {
protected:
    DisplayRecorder display;
    void SetUp() override {
        ThinkingTest::SetUp();
        g_display = &display;
    }
    // After the move: no thread left, and the engine is the record.
    void ExpectSettled(const std::string& context) {
        StopPondering();
        EXPECT_TRUE(EngineMatchesRecord()) << context;
    }
};

Point LastMove() {
    return {g_moves[g_moveCount - 1].x, g_moves[g_moveCount - 1].y};
}

}  // namespace

TEST_F(DriverTest, ComputerOpensInTheCentre) {
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        ResetWithRule(0);
        display.calls.clear();
        g_humanBlack = 0;
        g_level = 3;
        SeedRandom(seed);
        const int32_t value = g_blackValue[PointIndex(9, 9)];
        EXPECT_EQ(ComputerMove(), value);
        ASSERT_EQ(g_moveCount, 1);
        EXPECT_EQ(LastMove(), Point(9, 9));
        const std::vector<Call> expected = {{"stone", 9, 9, 0}, {"title", 0, 0, 100}, {"mark"}};
        EXPECT_EQ(display.calls, expected);
        EXPECT_EQ(g_ponderActive, 0) << "no search yet, so no pondering";
        ExpectSettled("seed " + std::to_string(seed));
    }
}

// The answer to the first stone lies beside it toward the centre; on a centre line either side
// may be taken.
TEST_F(DriverTest, SecondMoveIsANeighbourTowardTheCentre) {
    struct Case {
        Point first;
        std::set<Point> answers;
    };
    const Case cases[] = {
        {{9, 9}, {{8, 8}, {9, 8}, {10, 8}, {8, 9}, {10, 9}, {8, 10}, {9, 10}, {10, 10}}},
        {{3, 15}, {{4, 15}, {3, 14}, {4, 14}}},
        {{15, 3}, {{14, 3}, {15, 4}, {14, 4}}},
        {{9, 3}, {{8, 3}, {10, 3}, {8, 4}, {9, 4}, {10, 4}}},
        {{0, 18}, {{1, 18}, {0, 17}, {1, 17}}},
    };
    for (const Case& c : cases) {
        std::set<Point> answers;
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            ResetWithRule(0);
            display.calls.clear();
            PlayMoves(std::to_string(c.first.first) + "," + std::to_string(c.first.second));
            g_humanBlack = 1;
            SeedRandom(seed);
            ComputerMove();
            ASSERT_EQ(g_moveCount, 2);
            answers.insert(LastMove());
            ASSERT_EQ(display.calls.size(), 3u);
            EXPECT_EQ(display.calls[0].value, 1) << "a White stone";
            EXPECT_EQ(display.calls[1], (Call{"title", 0, 0, SCORE_QUICK}));
            ExpectSettled("seed " + std::to_string(seed));
        }
        EXPECT_EQ(answers, c.answers) << "first stone " << c.first.first << "," << c.first.second;
    }
}

TEST_F(DriverTest, ThirdMoveIsAnEmptyPointNearTheCentre) {
    for (const char* moves : {"9,9 10,8", "9,9 3,3", "11,11 7,7"}) {
        std::set<Point> answers;
        for (uint32_t seed = 1; seed <= 300; ++seed) {
            ResetWithRule(0);
            PlayMoves(moves);
            g_humanBlack = 0;
            g_level = 0;  // no pondering afterwards: nothing to wait for between the games
            SeedRandom(seed);
            ComputerMove();
            ASSERT_EQ(g_moveCount, 3);
            answers.insert(LastMove());
        }
        ExpectSettled(moves);
        std::set<Point> free;
        for (int y = 7; y <= 11; ++y) {
            for (int x = 7; x <= 11; ++x) {
                if (g_gameBoard[CellIndex(x, y)] == CELL_EMPTY || Point(x, y) == LastMove())
                    free.insert({x, y});
            }
        }
        EXPECT_EQ(answers, free) << moves;
    }
}

// The computer as Black narrows its choice early in the game; as White it leaves the margins.
TEST_F(DriverTest, VarietyMarginsOfTheComputerAsBlack) {
    struct Case {
        int moves;
        int humanBlack;
        int32_t margins[3];
    };
    const Case cases[] = {
        {4, 0, {-12, 20, 52}}, {10, 0, {-6, 26, 58}}, {16, 0, {0, 32, 64}},
        {20, 0, {0, 32, 64}},  {5, 1, {1, 2, 3}},     {15, 1, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        ResetWithRule(0);
        PlayMoves(FirstMoves(c.moves));
        g_humanBlack = c.humanBlack;
        g_level = 0;
        for (int k = 0; k < 3; ++k)
            g_varietyMargin[k] = k + 1;
        ComputerMove();
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(g_varietyMargin[k], c.margins[k]) << c.moves << " moves, margin " << k;
        EXPECT_EQ(g_moveCount, c.moves + 1);
        ExpectSettled(std::to_string(c.moves) + " moves");
    }
}

// The human plays a reply the pondering prepared: the answer is played without a search, with
// the prepared score in the title. Any other move is searched.
TEST_F(DriverTest, PonderHitAgainstNormalSearch) {
    for (const bool hit : {true, false}) {
        StopPondering();
        ResetWithRule(0);
        ResetThinkingState();
        PlayMoves("9,9 10,8 9,8");
        g_humanBlack = 1;
        g_level = 1;
        ComputerMove();  // the computer's fourth move, then pondering
        ASSERT_TRUE(WaitUntil([] { return g_ponderRunning.load() == 0; }, PATIENCE_MILLIS));
        ASSERT_NE(g_ponderReplies[0].load(), NO_POINT);
        const int reply = g_ponderReplies[0].load();
        const Point human = hit ? Point(reply % BOARD_SIZE, reply / BOARD_SIZE) : Point(18, 0);
        TakePonderResult(human.first, human.second);
        ASSERT_EQ(g_ponderHit, hit ? 1 : 0);
        RecordPush(human.first, human.second);
        EnginePush(human.first, human.second);

        SlowRootDisplay shown;  // shows the root moves of any search
        g_display = &shown;
        g_searchMode = 1;
        const Point prepared = {g_ponderHitX, g_ponderHitY};
        const int32_t value = g_whiteValue[PointIndex(prepared.first, prepared.second)];
        const int32_t v = ComputerMove();
        StopPondering();  // before the display is changed under it
        g_display = &display;
        g_searchMode = 0;
        ASSERT_EQ(g_moveCount, 6);
        if (hit) {
            EXPECT_EQ(LastMove(), prepared);
            EXPECT_EQ(v, value);
            const std::vector<Call> expected = {{"cursor", 0, 0, 1},
                                                {"cursor", 0, 0, 0},
                                                {"stone", prepared.first, prepared.second, 1},
                                                {"title", 0, 0, g_ponderHitScore},
                                                {"mark"}};
            EXPECT_EQ(shown.calls, expected);
        } else {
            EXPECT_FALSE(shown.rings.empty()) << "the move is searched";
        }
        ExpectSettled(hit ? "hit" : "no hit");
    }
}

// The pondering could not finish the human's reply in time: the driver searches depth 4 with
// width 6 on its own thread, without a time limit.
TEST_F(DriverTest, ShortSearchAfterAnAbortedPondering) {
    PlayMoves("9,9 9,8 8,9 8,8 7,8 7,9 5,6 6,7 7,6 4,6 9,7 5,7 6,8 3,7");
    g_humanBlack = 1;
    g_level = 4;
    g_timeLimit = 1;
    StartPondering();
    ASSERT_TRUE(WaitUntil([] { return g_ponderReplies[0].load() == PointIndex(4, 7); }, PATIENCE_MILLIS));
    TakePonderResult(4, 7);
    ASSERT_EQ(g_forceShallow, 1);
    RecordPush(4, 7);
    EnginePush(4, 7);

    ConfigureSearch(g_moveCount);
    SeedRandom(9);
    const RootAnswer shallow = SearchHereWith(4, 6, 2);

    SlowRootDisplay shown;
    g_display = &shown;
    g_searchMode = 1;
    SeedRandom(9);
    ComputerMove();
    StopPondering();
    g_display = &display;
    g_searchMode = 0;
    EXPECT_EQ(LastMove(), Point(shallow.x, shallow.y));
    EXPECT_EQ(shown.calls.back(), (Call{"mark"}));
    EXPECT_EQ(shown.calls[shown.calls.size() - 2], (Call{"title", 0, 0, shallow.score}));
    EXPECT_EQ(shown.threads, std::vector<int>{-1}) << "one search, on this thread";
    EXPECT_EQ(g_forceShallow, 0);
    ExpectSettled("after the short search");
}

// International rule, the computer as Black to make the fifth move: two rings on two
// different empty points, nothing placed. The second is the best other examined move, or,
// when the move came from the quick choice that examines none, the best other point.
TEST_F(DriverTest, FifthMoveProposals) {
    for (const int level : {1, 2, 0}) {
        StopPondering();
        ResetWithRule(2);
        display.calls.clear();
        PlayMoves("9,9 10,8 9,8 9,7");
        g_humanBlack = 0;
        g_level = level;
        ConfigureSearch(g_moveCount);
        const RootAnswer direct = SearchHere(g_searchDepth > 0 ? g_searchDepth : 4);

        EXPECT_EQ(ComputerMove(), 0);
        EXPECT_EQ(g_moveCount, 4) << "nothing placed";
        EXPECT_EQ(g_ponderRunning, 0);
        const Point a = {g_fifthA % BOARD_SIZE, g_fifthA / BOARD_SIZE};
        const Point b = {g_fifthB % BOARD_SIZE, g_fifthB / BOARD_SIZE};
        ASSERT_NE(g_fifthA, g_fifthB);
        for (const Point& p : {a, b}) {
            ASSERT_TRUE(OnBoard(p.first, p.second));
            EXPECT_EQ(g_gameBoard[CellIndex(p.first, p.second)], CELL_EMPTY);
        }
        const std::vector<Call> expected = {{"cursor", 0, 0, 1},
                                            {"cursor", 0, 0, 0},
                                            {"stone", a.first, a.second, 2},
                                            {"stone", b.first, b.second, 2}};
        EXPECT_EQ(display.calls, expected) << "level " << level;

        if (level > 0) {
            const MoveEntry listed = direct.results.moves[0];
            const Point best = {listed.x, listed.y};
            const Point second = {direct.results.moves[1].x, direct.results.moves[1].y};
            EXPECT_EQ(b, a == best ? second : best) << "level " << level;
        } else {
            for (int p = 0; p < POINT_COUNT; ++p) {
                if (p == g_fifthA || g_gameBoard[CellIndex(p % BOARD_SIZE, p / BOARD_SIZE)] != CELL_EMPTY)
                    continue;
                EXPECT_LE(g_whiteValue[p] + 4 * g_blackValue[p] / 3,
                          g_whiteValue[g_fifthB] + 4 * g_blackValue[g_fifthB] / 3)
                    << "point " << p;
            }
        }
        ExpectSettled("level " + std::to_string(level));
    }
}

// The tournament level under extreme limits per move still answers with a move on an empty
// point; the node limit keeps each move short whatever the clock allows.
TEST_F(DriverTest, TournamentLevelPlaysUnderExtremeTimeLimits) {
    struct Case {
        int32_t seconds;
        int64_t millis;  // 0: from the seconds
    };
    const Case cases[] = {{0, 0}, {1, 0}, {INT32_MAX, 0}, {20, 1}, {20, INT32_MAX}, {20, INT64_MAX}};
    g_tournamentNodes = 20000;
    for (const Case& c : cases) {
        const std::string context = std::to_string(c.seconds) + " s, " + std::to_string(c.millis) + " ms";
        ResetWithRule(1);
        PlayMoves(FirstMoves(8));
        g_humanBlack = 0;
        g_level = TOURNAMENT_LEVEL;
        g_timeLimit = c.seconds;
        g_timeLimitMillis = c.millis;
        ComputerMove();
        g_timeLimitMillis = 0;
        ASSERT_EQ(g_moveCount, 9) << context;
        const Point move = LastMove();
        EXPECT_EQ(FirstMoves(8).find(std::to_string(move.first) + "," + std::to_string(move.second) + " "),
                  std::string::npos)
            << context;
        ExpectSettled(context);
    }
    g_tournamentNodes = 0;
    g_timeLimit = 20;
}

TEST_F(DriverTest, FullBoardPlacesNothing) {
    std::vector<std::string> rows;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        std::string row;
        for (int x = 0; x < BOARD_SIZE; ++x)
            row += (x + 2 * y) % 4 < 2 ? 'X' : 'O';
        rows.push_back(row);
    }
    SetPosition(rows);
    g_moveCount = g_stackCount = POINT_COUNT;
    g_humanBlack = 0;
    g_level = 2;
    EXPECT_EQ(ComputerMove(), 0);
    EXPECT_EQ(g_moveCount, POINT_COUNT);
    for (const Call& call : display.calls)
        EXPECT_EQ(call.what, "cursor");
}
