// Review: Left, Right, Home and End step through the game without losing its later moves; a
// stone played from a position shown continues the game from there.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <vector>

#include "app/main_frame.h"
#include "engine/board.h"
#include "player/game_state.h"
#include "player/threads.h"
#include "tests/ui/play_fixture.h"
#include "ui/commands.h"

namespace {

class ReviewTest : public PlayTest {
protected:
    // A game that Black lost by a double three: its moves.
    std::vector<MoveEntry> FinishedGame(CBoardView& board) {
        const std::pair<int, int> forbidden = SetUpPosition(1, 1, DOUBLE_THREE);
        QTest::mouseClick(&board, Qt::LeftButton, {}, Centre(board, forbidden.first, forbidden.second));
        EXPECT_EQ(g_gameOver, 1);
        return {g_moves, g_moves + g_moveCount};
    }

    // The position is the line's first k moves, on the boards and on the screen.
    void ExpectShows(const std::vector<MoveEntry>& line, int k) {
        ASSERT_EQ(g_moveCount, k);
        ExpectEngineMatchesRecord();
        view->OnPaint();
        for (int i = 0; i < static_cast<int>(line.size()); ++i) {
            const MoveEntry m = line[i];
            EXPECT_EQ(g_gameBoard[CellIndex(m.x, m.y)], i < k ? StoneOfMove(i) : uint8_t{CELL_EMPTY})
                << "move " << i;
            const bool bare = PixelAt(*view, Centre(*view, m.x, m.y) + QPoint(-5, -5)) ==
                              kBoardRgb;  // clear of a star point
            EXPECT_EQ(bare, i >= k) << "move " << i << " on the screen";
        }
    }

    QString Title() const { return view->window()->windowTitle(); }
};

TEST_F(ReviewTest, StepsThroughAFinishedGameAndTheTitleCounts) {
    const std::vector<MoveEntry> line = FinishedGame(*view);
    const int n = static_cast<int>(line.size());
    view->OnCommand(cmd::REVIEW_START);
    ExpectShows(line, 0);
    EXPECT_EQ(Title(), QString("Renju - Move 0 of %1").arg(n));
    for (int k = 1; k <= 3; ++k)
        view->OnCommand(cmd::REVIEW_FORWARD);
    ExpectShows(line, 3);
    EXPECT_EQ(Title(), QString("Renju - Move 3 of %1").arg(n));
    EXPECT_EQ(g_gameOver, 0) << "the middle of a game is no end";
    view->OnCommand(cmd::REVIEW_END);
    ExpectShows(line, n);
    EXPECT_EQ(g_gameOver, 1);
    view->OnCommand(cmd::REVIEW_FORWARD);
    ExpectShows(line, n);
    view->OnCommand(cmd::REVIEW_BACK);
    ExpectShows(line, n - 1);
    EXPECT_EQ(Title(), QString("Renju - Move %1 of %2").arg(n - 1).arg(n));
    // Saving or copying while reviewing keeps the whole game.
    view->OnCommand(cmd::COPY_GAME);
    records::Check fault;
    const auto copied = records::ParseMoveList(QGuiApplication::clipboard()->text().toStdString(), &fault);
    EXPECT_EQ(copied.size(), line.size());
}

TEST_F(ReviewTest, PlayingFromTheMiddleDropsTheLaterMovesAndTheComputerAnswers) {
    for (const int k : {4, 5}) {  // Black to move, then White
        SCOPED_TRACE(k);
        NewWindow(1, 1, 1);
        const std::vector<MoveEntry> line = FinishedGame(*view);
        view->OnCommand(cmd::REVIEW_START);
        for (int i = 0; i < k; ++i)
            view->OnCommand(cmd::REVIEW_FORWARD);
        const std::pair<int, int> point = HarmlessPoint();
        Click(point);
        StopPondering();
        EXPECT_FALSE(view->Reviewing());
        EXPECT_EQ(g_humanBlack, k % 2 == 0 ? 1 : 0);
        ASSERT_EQ(g_moveCount, k + 2) << "the human's stone and the computer's answer";
        EXPECT_EQ(g_moves[k].x, point.first);
        EXPECT_EQ(g_moves[k].y, point.second);
        for (int i = 0; i < k; ++i)
            EXPECT_EQ(g_moves[i].x * 100 + g_moves[i].y, line[i].x * 100 + line[i].y);
        ExpectEngineMatchesRecord();
        EXPECT_EQ(g_gameOver, 0);
        EXPECT_FALSE(Title().contains(" of ")) << Title().toStdString();
        // The dropped moves do not come back.
        view->OnCommand(cmd::REVIEW_END);
        EXPECT_EQ(g_moveCount, k + 2);
    }
}

TEST_F(ReviewTest, TheArrowKeysHomeAndEndOfTheWindowStep) {
    StopPondering();
    view.reset();
    CMainFrame frame;
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    const int n = static_cast<int>(FinishedGame(*frame.View()).size());
    const struct {
        Qt::Key key;
        int shown;
    } steps[] = {{Qt::Key_Home, 0},
                 {Qt::Key_Right, 1},
                 {Qt::Key_End, n},
                 {Qt::Key_Left, n - 1},
                 {Qt::Key_Left, n - 2}};
    for (const auto& s : steps) {
        QTest::keyClick(&frame, s.key);
        EXPECT_EQ(g_moveCount, s.shown) << QKeySequence(s.key).toString().toStdString();
        EXPECT_EQ(frame.windowTitle(), QString("Renju - Move %1 of %2").arg(s.shown).arg(n));
    }
    StopPondering();
}

}  // namespace
