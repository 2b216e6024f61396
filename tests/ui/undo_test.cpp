// Undo: back to the human's turn, also after the end of a game and during the fifth-move
// choice; pondering starts again and the engine board follows the record.
#include <functional>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "player/game_state.h"
#include "player/threads.h"
#include "tests/ui/play_fixture.h"

namespace {

class UndoTest : public PlayTest {
protected:
    // An international game whose opening the computer chose; the human answers the swap
    // question (Yes keeps White).
    void ComputerOpens(MessageAnswer keepWhite) {
        NewWindow(2, 0, 1, 3);
        ui.answers = {keepWhite};
        view->OnNewGame();
    }
};

struct UndoCase {
    const char* after;
    std::function<std::pair<int, int>()> setUp;  // returns the human's move
    int takenBack;
};

TEST_F(UndoTest, TakesBackMovesUntilItIsTheHumansTurn) {
    const std::vector<UndoCase> cases = {
        {"the computer's five", [] { return SetUpPosition(0, 1, COMPUTER_FOUR); }, 2},
        {"the computer's five as Black", [] { return SetUpPosition(1, 0, COMPUTER_FOUR); }, 2},
        {"the human's five", [] { return SetUpPosition(1, 1, HUMAN_FOUR); }, 1},
        {"the White human's five", [] { return SetUpPosition(0, 0, HUMAN_FOUR); }, 1},
        {"a forbidden move", [] { return SetUpPosition(1, 1, DOUBLE_THREE); }, 1},
        {"a move in play", [] { return SetUpPosition(0, 1, DOUBLE_THREE); }, 2},
        {"a move in play as White", [] { return SetUpPosition(1, 0, DOUBLE_THREE); }, 2},
    };
    for (const UndoCase& c : cases) {
        SCOPED_TRACE(c.after);
        Click(c.setUp());
        const int after = g_moveCount;
        const MoveEntry last = g_moves[after - 1];
        view->OnUndo();
        ExpectEngineMatchesRecord();  // also ends the pondering, which borrows g_humanBlack
        EXPECT_EQ(g_gameOver, 0);
        EXPECT_EQ(g_moveCount, after - c.takenBack);
        EXPECT_EQ(g_moveCount % 2, 1 - g_humanBlack) << "not the human's turn";
        EXPECT_TRUE(IsEmpty(last.x, last.y));
        EXPECT_EQ(PixelAt(*view, Centre(*view, last.x, last.y) + QPoint(-2, -2)), kBoardRgb);
    }
}

TEST_F(UndoTest, TakesBackTheComputersOpeningStoneAndNothingOnAnEmptyBoard) {
    view->SetHumanFirst(0);
    view->OnNewGame();
    ASSERT_EQ(g_moveCount, 1);
    view->OnUndo();
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_EQ(PixelAt(*view, Centre(*view, 9, 9) + QPoint(-2, -2)), kBoardRgb);
    g_gameOver = 1;
    view->OnUndo();
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_EQ(g_gameOver, 0);
    ExpectEngineMatchesRecord();
}

TEST_F(UndoTest, PonderingStartsAgainForThePositionLeft) {
    // A quiet position: a human who could force a win would leave nothing to ponder, and
    // the pondering thread would say so at a moment the test cannot know.
    Click(9, 9);
    Click(HarmlessPoint());
    Click(HarmlessPoint());
    ASSERT_EQ(g_moveCount, 6);
    StopPondering();
    g_ponderActive = 0;
    view->OnUndo();
    EXPECT_EQ(g_moveCount, 4);
    EXPECT_EQ(g_ponderActive, 1);
    ExpectEngineMatchesRecord();
    // The human plays on from there, and the computer answers.
    Click(HarmlessPoint());
    EXPECT_EQ(g_moveCount, 6);
    ExpectEngineMatchesRecord();
}

// While the computer's two fifth-move proposals wait for the human's choice, the human's
// fourth move is the last one: undo takes it back and the proposals go with it.
TEST_F(UndoTest, DuringTheComputersFifthMoveProposalsTakesBackTheHumansFourthMove) {
    ComputerOpens(MessageAnswer::YES);
    ASSERT_EQ(g_humanBlack, 0);
    Click(HarmlessPoint());
    ASSERT_EQ(g_moveCount, 4);
    const int a = g_fifthA, b = g_fifthB;
    view->OnUndo();
    EXPECT_EQ(g_moveCount, 3);
    view->OnPaint();
    for (int ring : {a, b}) {
        const QPoint c = Centre(*view, ring % BOARD_SIZE, ring / BOARD_SIZE);
        EXPECT_EQ(PixelAt(*view, c.x() - 1, c.y() - 7), kBoardRgb) << "ring left at " << ring;
    }
    // The human plays the fourth move again and gets fresh proposals on empty points.
    Click(HarmlessPoint());
    ASSERT_EQ(g_moveCount, 4);
    EXPECT_TRUE(IsEmptyPoint(g_fifthA));
    EXPECT_TRUE(IsEmptyPoint(g_fifthB));
    Click(g_fifthA % BOARD_SIZE, g_fifthA / BOARD_SIZE);
    EXPECT_EQ(g_moveCount, 5);
    ExpectEngineMatchesRecord();
}

// Under the international rule the opening's three stones stay while the opening is played:
// during the human's fifth-move proposals undo takes back only the proposal rings, and before
// the fourth move it takes back nothing. A taken-back ring is not kept as placed.
TEST_F(UndoTest, KeepsTheOpeningAndTakesBackOnlyTheHumansProposals) {
    // The computer chose the opening, the human took Black, and the computer played move 4.
    ComputerOpens(MessageAnswer::NO);
    ASSERT_EQ(g_humanBlack, 1);
    ASSERT_EQ(g_moveCount, 4);
    const std::vector<MoveEntry> opening(g_moves, g_moves + 4);
    const auto expectOpening = [&] {
        ASSERT_EQ(g_moveCount, 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(g_moves[i].x, opening[i].x) << "move " << i;
            EXPECT_EQ(g_moves[i].y, opening[i].y) << "move " << i;
        }
        ExpectEngineMatchesRecord();
    };

    view->OnUndo();  // no proposal yet: nothing of the human's to take back
    expectOpening();
    const auto first = HarmlessPoint();
    Click(first);
    ASSERT_EQ(g_fifthAPlaced, 1);
    view->OnUndo();
    expectOpening();
    EXPECT_EQ(g_fifthAPlaced, 0);
    view->OnPaint();
    const QPoint ring = Centre(*view, first.first, first.second);
    EXPECT_EQ(PixelAt(*view, ring.x() - 1, ring.y() - 7), kBoardRgb) << "the ring is still shown";

    // A press elsewhere is a first proposal again, not a move of Black's.
    const auto second = HarmlessPoint(PointIndex(first.first, first.second));
    Click(second);
    expectOpening();
    EXPECT_EQ(g_fifthAPlaced, 1);
    EXPECT_EQ(g_fifthA, PointIndex(second.first, second.second));
    // With both proposals made the computer keeps one and answers it; undo then takes that
    // pair back and the choice starts afresh.
    Click(HarmlessPoint(g_fifthA));
    ASSERT_EQ(g_moveCount, 6);
    view->OnUndo();
    expectOpening();
    EXPECT_EQ(g_fifthAPlaced, 0);
}

// The human as White: undo goes back to the human's fourth move, never further.
TEST_F(UndoTest, NeverTakesBackTheOpeningsThreeStones) {
    ComputerOpens(MessageAnswer::YES);
    ASSERT_EQ(g_humanBlack, 0);
    ASSERT_EQ(g_moveCount, 3);
    view->OnUndo();
    EXPECT_EQ(g_moveCount, 3);
    Click(HarmlessPoint());
    ASSERT_EQ(g_moveCount, 4);
    Click(g_fifthA % BOARD_SIZE, g_fifthA / BOARD_SIZE);  // Black's fifth move is the other ring
    Click(HarmlessPoint());
    ASSERT_EQ(g_moveCount, 7);
    for (const int left : {5, 3, 3}) {
        view->OnUndo();
        EXPECT_EQ(g_moveCount, left);
        ExpectEngineMatchesRecord();
    }
}

}  // namespace
