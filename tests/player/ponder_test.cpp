#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/classes.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/threads.h"
#include "tests/player/thinking_fixture.h"

namespace {

constexpr int PATIENCE_MILLIS = 60000;  // generous: the sanitizer build is many times slower

// After the computer's (White's) 14th move. The first step for the human's most likely reply,
// (4, 7), takes the longest of the replies: long enough to be caught while it runs.
const char* const SLOW_FIRST_STEP = "9,9 9,8 8,9 8,8 7,8 7,9 5,6 6,7 7,6 4,6 9,7 5,7 6,8 3,7";
const MoveEntry SLOW_REPLY = {4, 7};

// After the computer's (White's) fourth move: quick steps.
const char* const EARLY = "9,9 10,8 9,8 9,7";

struct Prepared {
    MoveEntry reply;
    int32_t score;
};

// The human's likely replies that the pondering thread is to prepare, in order, found on this
// thread with the same settings.
std::vector<MoveEntry> ExpectedReplies() {
    ConfigureSearch(g_moveCount + 1);
    const int32_t width = g_searchWidth;
    g_humanBlack = 1 - g_humanBlack;
    const RootAnswer guess = SearchHere(4);
    g_humanBlack = 1 - g_humanBlack;
    g_searchWidth = width;

    std::vector<MoveEntry> replies;
    for (int i = 0; i < guess.results.count && i < PONDER_SLOTS; ++i) {
        const MoveEntry r = guess.results.moves[i];
        if (!(g_restricted == 1 && g_humanBlack == 1 && IsForbiddenBlack(r.x, r.y) == 1))
            replies.push_back(r);
    }
    if (guess.results.count == 0) replies.push_back({guess.x, guess.y});
    return replies;
}

// The first `replyCount` of them with the score of each first step. With variety 0 the score
// chosen is the best one, so it does not depend on the random draw.
std::vector<Prepared> ExpectedPondering(int replyCount = PONDER_SLOTS) {
    const std::vector<MoveEntry> replies = ExpectedReplies();
    std::vector<Prepared> expected;
    for (int i = 0; i < static_cast<int>(replies.size()) && i < replyCount; ++i) {
        const MoveEntry r = replies[i];
        EnginePush(r.x, r.y);
        expected.push_back({r, SearchHere(std::min(g_searchDepth, 6)).score});
        EnginePop();
    }
    return expected;
}

int32_t ReplySlot(int i) {
    return g_ponderReplies[i].load();
}

bool PonderingEnded() {
    return g_ponderRunning.load() == 0;
}

class PonderTest : public ThinkingTest {
protected:
    void SetUp() override {
        ThinkingTest::SetUp();
        g_variety = 0;
    }
    // The computer (White) has just moved; the human plays Black.
    void AfterComputerMove(const char* moves, int level) {
        PlayMoves(moves);
        g_humanBlack = 1;
        g_level = level;
    }
};

}  // namespace

// The human plays a reply whose preparation has ended: its answer is taken at once, without
// asking the thread to finish anything.
TEST_F(PonderTest, HitOnAFinishedReplyIsTakenWithoutWaiting) {
    AfterComputerMove(EARLY, 1);
    const std::vector<Prepared> expected = ExpectedPondering(2);
    ASSERT_GE(expected.size(), 2u);
    StartPondering();
    ASSERT_TRUE(WaitUntil([] { return g_ponderIndex.load() >= 1; }, PATIENCE_MILLIS));

    const MoveEntry r = expected[0].reply;
    TakePonderResult(r.x, r.y);
    EXPECT_EQ(g_ponderRunning, 0);
    EXPECT_EQ(g_finishPonder, 0) << "nothing was waited for";
    ASSERT_EQ(g_ponderHit, 1);
    EXPECT_EQ(g_ponderHitScore, expected[0].score);
    EXPECT_EQ(g_gameBoard[CellIndex(g_ponderHitX, g_ponderHitY)], CELL_EMPTY);
    EXPECT_FALSE(g_ponderHitX == r.x && g_ponderHitY == r.y);
    EXPECT_EQ(g_forceShallow, 0);
    EXPECT_TRUE(EngineMatchesRecord());
}

// The human plays the reply whose first step is still running: the step is allowed to end,
// and its full answer is the hit.
TEST_F(PonderTest, HitOnTheReplyInItsFirstStepWaitsForIt) {
    AfterComputerMove(SLOW_FIRST_STEP, 4);
    const std::vector<Prepared> expected = ExpectedPondering(1);
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(expected[0].reply.x, SLOW_REPLY.x);
    ASSERT_EQ(expected[0].reply.y, SLOW_REPLY.y);
    StartPondering();
    const int32_t slow = PointIndex(SLOW_REPLY.x, SLOW_REPLY.y);
    ASSERT_TRUE(WaitUntil([slow] { return ReplySlot(0) == slow; }, PATIENCE_MILLIS));
    EXPECT_EQ(g_ponderEstimate, 0) << "caught in its first step";

    TakePonderResult(SLOW_REPLY.x, SLOW_REPLY.y);
    EXPECT_EQ(g_ponderRunning, 0);
    EXPECT_EQ(g_finishPonder, 1);
    EXPECT_EQ(g_forceShallow, 0);
    ASSERT_EQ(g_ponderHit, 1);
    EXPECT_EQ(g_ponderHitScore, expected[0].score);
    EXPECT_TRUE(EngineMatchesRecord());
}

// The same, with a limit of one second: the wait ends at once, the thread is stopped, and the
// driver is told to make its short search.
TEST_F(PonderTest, FirstStepThatCannotEndInTimeIsAbandoned) {
    AfterComputerMove(SLOW_FIRST_STEP, 4);
    g_timeLimit = 1;
    StartPondering();
    const int32_t slow = PointIndex(SLOW_REPLY.x, SLOW_REPLY.y);
    ASSERT_TRUE(WaitUntil([slow] { return ReplySlot(0) == slow; }, PATIENCE_MILLIS));

    TakePonderResult(SLOW_REPLY.x, SLOW_REPLY.y);
    EXPECT_EQ(g_ponderRunning, 0);
    EXPECT_EQ(g_forceShallow, 1);
    EXPECT_EQ(g_ponderHit, 0);
    EXPECT_EQ(g_stopSearch, 0) << "the stop request ends with the thread";
    EXPECT_TRUE(EngineMatchesRecord());
}

// A move that was not prepared, or not yet reached: no hit, and the thread is stopped.
TEST_F(PonderTest, UnpreparedMoveGivesNoHit) {
    struct Case {
        const char* name;
        const char* moves;
        int level;
        bool prepared;  // a prepared reply, but played before the thread reached it
        bool waitForTheEnd;
    };
    const Case cases[] = {
        {"a move far from the stones, at once", SLOW_FIRST_STEP, 4, false, false},
        {"a move far from the stones, after the pondering ended", EARLY, 1, false, true},
        {"the second reply while the first is prepared", SLOW_FIRST_STEP, 4, true, false},
    };
    for (const Case& c : cases) {
        ResetWithRule(0);
        ResetThinkingState();
        AfterComputerMove(c.moves, c.level);
        const std::vector<MoveEntry> replies = ExpectedReplies();
        ASSERT_GE(replies.size(), 2u);
        StartPondering();
        MoveEntry move = {18, 0};
        if (c.prepared) {
            move = replies[1];
            const int32_t slow = PointIndex(SLOW_REPLY.x, SLOW_REPLY.y);
            ASSERT_TRUE(WaitUntil([slow] { return ReplySlot(0) == slow; }, PATIENCE_MILLIS)) << c.name;
        }
        if (c.waitForTheEnd) {
            ASSERT_TRUE(WaitUntil(PonderingEnded, PATIENCE_MILLIS)) << c.name;
        }
        TakePonderResult(move.x, move.y);
        EXPECT_EQ(g_ponderRunning, 0) << c.name;
        EXPECT_EQ(g_ponderHit, 0) << c.name;
        EXPECT_EQ(g_forceShallow, 0) << c.name;
        EXPECT_EQ(g_finishPonder, 0) << c.name << ": nothing to wait for";
        EXPECT_TRUE(EngineMatchesRecord()) << c.name;
    }
}

// Under restrictions the human as Black may not play a double three; the pondering does not
// prepare it. Slots left over from an earlier pondering never match either.
TEST_F(PonderTest, ForbiddenRepliesAreNeverPrepared) {
    const std::vector<std::string> rows = {".......", "...X...", "...X...", ".XX*...",
                                           ".......", "O.....O", ".......", "O.....O"};
    ResetWithRule(1);
    PlayDiagram(rows, 5, 5);
    g_humanBlack = 1;
    g_level = 1;
    const auto [fx, fy] = MarkedPoint(rows, 5, 5);
    ASSERT_EQ(IsForbiddenBlack(fx, fy), 1);

    // The human's likely replies include the forbidden point, which is skipped.
    ConfigureSearch(g_moveCount + 1);
    g_humanBlack = 0;
    const RootAnswer guess = SearchHere(4);
    g_humanBlack = 1;
    const MoveEntry* end = guess.results.moves + std::min(guess.results.count, PONDER_SLOTS);
    ASSERT_NE(
        std::find_if(guess.results.moves, end, [&](const MoveEntry& m) { return m.x == fx && m.y == fy; }),
        end);
    const MoveEntry stale = {18, 18};
    ASSERT_EQ(std::find_if(guess.results.moves, end,
                           [&](const MoveEntry& m) { return m.x == stale.x && m.y == stale.y; }),
              end);

    // An earlier pondering left every slot holding a reply with an answer.
    for (int i = 0; i < PONDER_SLOTS; ++i) {
        g_ponderReplies[i] = PointIndex(stale.x, stale.y);
        g_ponderAnswers[i] = {0, 0};
    }
    StartPondering();
    ASSERT_TRUE(WaitUntil(PonderingEnded, PATIENCE_MILLIS));
    int prepared = 0;
    for (int i = 0; i < PONDER_SLOTS; ++i) {
        EXPECT_NE(ReplySlot(i), PointIndex(fx, fy)) << "slot " << i;
        prepared += ReplySlot(i) != NO_POINT;
    }
    EXPECT_GT(prepared, 0);

    TakePonderResult(stale.x, stale.y);
    EXPECT_EQ(g_ponderHit, 0) << "a slot from the earlier pondering matched";
    EXPECT_TRUE(EngineMatchesRecord());
}

// The human's only sensible reply is a forced block in column 0, the first point of a row:
// it is prepared like any other.
TEST_F(PonderTest, ReplyInColumnZeroIsPrepared) {
    const std::vector<std::string> rows = {"........", ".OOOOX..", "......X.",
                                           ".......X", "........", "........X"};
    PlayDiagram(rows, 0, 4);
    g_humanBlack = 1;
    g_level = 1;
    const std::vector<Prepared> expected = ExpectedPondering();
    ASSERT_EQ(expected.size(), 1u);
    ASSERT_EQ(expected[0].reply.x, 0);
    ASSERT_EQ(expected[0].reply.y, 5);

    StartPondering();
    ASSERT_TRUE(WaitUntil(PonderingEnded, PATIENCE_MILLIS));
    TakePonderResult(0, 5);
    ASSERT_EQ(g_ponderHit, 1);
    EXPECT_EQ(g_ponderHitScore, expected[0].score);
    EXPECT_TRUE(EngineMatchesRecord());
}

// Each prepared answer is the one the computer's own search would find at the first step's
// depth, also at a level whose width the root narrows to its depth (8 or more): the search
// for the human's replies must not leave the answers searched narrower.
TEST_F(PonderTest, PreparedAnswersMatchTheComputersOwnSearch) {
    constexpr int COMPARED = 3;
    AfterComputerMove(EARLY, 4);
    ConfigureSearch(g_moveCount + 1);
    ASSERT_GE(g_searchWidth, 8);
    const std::vector<Prepared> expected = ExpectedPondering(COMPARED);
    ASSERT_EQ(expected.size(), static_cast<size_t>(COMPARED));
    StartPondering();
    ASSERT_TRUE(
        WaitUntil([] { return g_ponderIndex.load() >= COMPARED || PonderingEnded(); }, PATIENCE_MILLIS));
    StopPondering();  // the answers are read only once the thread has been waited for
    for (int i = 0; i < COMPARED; ++i) {
        EXPECT_EQ(ReplySlot(i), PointIndex(expected[i].reply.x, expected[i].reply.y));
        EXPECT_EQ(g_ponderScores[i], expected[i].score) << "reply " << i;
    }
    TakePonderResult(expected[1].reply.x, expected[1].reply.y);
    EXPECT_EQ(g_ponderHit, 1);
    EXPECT_EQ(g_ponderHitScore, expected[1].score);
}

TEST_F(PonderTest, PonderingOnlyWhereTheSettingsCallForASearch) {
    struct Case {
        const char* name;
        int rule;
        int level;
        const char* moves;
        bool ponders;
    };
    const Case cases[] = {
        {"international rule, five moves", 2, 3, "9,9 10,8 9,8 9,7 10,7", false},
        {"international rule, six moves", 2, 3, "9,9 10,8 9,8 9,7 10,7 10,9", true},
        {"Naive", 0, 0, "9,9 10,8 9,8 9,7 10,7 10,9", false},
        {"two moves", 0, 3, "9,9 10,8", false},
        {"three moves", 0, 3, "9,9 10,8 9,8", true},
    };
    for (const Case& c : cases) {
        StopPondering();
        ResetWithRule(c.rule);
        ResetThinkingState();
        PlayMoves(c.moves);
        g_humanBlack = 1 - g_moveCount % 2;  // the computer has just moved
        g_level = c.level;
        StartPondering();
        EXPECT_EQ(g_ponderActive, c.ponders ? 1 : 0) << c.name;
        if (!c.ponders) {
            EXPECT_EQ(g_ponderRunning, 0) << c.name;
        }
        StopPondering();
        EXPECT_TRUE(EngineMatchesRecord()) << c.name;
    }
}

// When the human can force a win nothing is prepared, and a reply gives no hit.
TEST_F(PonderTest, NothingPreparedWhenTheHumanCanForceAWin) {
    const std::vector<std::string> rows = {"XXXX.", ".....", "O.O.O", ".....", "...O."};
    PlayDiagram(rows, 7, 7);
    g_humanBlack = 1;
    g_level = 3;
    StartPondering();
    ASSERT_TRUE(WaitUntil(PonderingEnded, PATIENCE_MILLIS));
    EXPECT_EQ(g_ponderActive, 0);
    TakePonderResult(11, 7);
    EXPECT_EQ(g_ponderHit, 0);
    EXPECT_TRUE(EngineMatchesRecord());
}
