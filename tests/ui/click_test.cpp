// The click on the board: which point a pixel selects, what is refused with or without a
// beep, and that clicks made while the computer thinks are not played.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <string>
#include <vector>

#include "engine/board.h"
#include "platform/wait_hook.h"
#include "player/game_state.h"
#include "player/search.h"
#include "tests/ui/play_fixture.h"
#include "ui/wait.h"

namespace {

using ClickTest = PlayTest;

// A quiet middle game, which level 3 searches long enough to be waited for.
const std::vector<std::string> kMiddleGame = {
    ".......H.C.........",  //
    "........CH.........",  //
    ".......HCC.H.......",  //
    "........HC.........",  //
    ".......C.H.........",  //
};

// Checks that every stone of the game record shows on the board (its colour beside the
// centre, clear of the cross) and returns the number of stones that carry a cross.
int ExpectRecordShownAndCountCrosses(const CBoardView& view) {
    const BoardGeometry g = view.Geometry();
    int crosses = 0;
    for (int i = 0; i < g_moveCount; ++i) {
        const QPoint centre = Centre(view, g_moves[i].x, g_moves[i].y);
        const QRgb colour = i % 2 == 0 ? kBlackRgb : kWhiteRgb;
        EXPECT_EQ(PixelAt(view, centre - QPoint(g.cellWidth / 2 - 2, 0)), colour)
            << "move " << i + 1 << " at " << g_moves[i].x << "," << g_moves[i].y;
        crosses += PixelAt(view, centre) != colour;
    }
    return crosses;
}

bool LastMoveCrossed(const CBoardView& view) {
    const MoveEntry last = g_moves[g_moveCount - 1];
    return PixelAt(view, Centre(view, last.x, last.y)) != (g_moveCount % 2 == 1 ? kBlackRgb : kWhiteRgb);
}

TEST(PointFromPixel, SelectsTheNearestLineAndTheHigherOneHalfWay) {
    constexpr int x0 = 30, dx = 20;
    struct PixelCase {
        int pixel, expected;
    };
    const std::vector<PixelCase> cases = {
        {x0 + 4 * dx + 9, 4},
        {x0 + 4 * dx + 10, 5},  // half-way goes to the right
        {x0 + 4 * dx - 10, 4},
        {x0 + 4 * dx - 11, 3},  //
        {x0 - 10, 0},
        {x0 - 11, -1},  // left of the first line
        {x0 + 18 * dx + 9, 18},
        {x0 + 18 * dx + 10, 19},  // right of the last line
        {x0 + 19 * dx + 10, 20},
        {0, -1},  // far outside
    };
    for (const PixelCase& c : cases)
        EXPECT_EQ(PointFromPixel(c.pixel, x0, dx), c.expected) << "pixel " << c.pixel;
}

TEST_F(ClickTest, ClicksBesideTheGridAreSilentAndRefusalsBeep) {
    const BoardGeometry g = view->Geometry();
    const int half = g.cellWidth / 2;
    const QPoint centre = Centre(*view, 0, 9);
    // More than half a cell left of the first line: nothing, not even a beep.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, centre - QPoint(half + 1, 0));
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_EQ(ui.beeps, 0);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, Centre(*view, 18, 18) + QPoint(0, g.cellHeight - half));
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_EQ(ui.beeps, 0);
    // Half a cell left of it still plays on column 0.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, centre - QPoint(half, 0));
    ASSERT_EQ(g_moveCount, 2);
    EXPECT_EQ(g_moves[0].x, 0);
    EXPECT_EQ(g_moves[0].y, 9);

    // An occupied point beeps.
    Click(0, 9);
    Click(g_moves[1].x, g_moves[1].y);
    EXPECT_EQ(g_moveCount, 2);
    EXPECT_EQ(ui.beeps, 2);

    // A window too small to show the board beeps.
    PaintAt(*view, 150, 300);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(75, 150));
    EXPECT_EQ(g_moveCount, 2);
    EXPECT_EQ(ui.beeps, 3);
    ExpectEngineMatchesRecord();
}

TEST_F(ClickTest, TheSecondPressOfADoubleClickPlaysNothing) {
    g_level = 0;
    const QPoint at = Centre(*view, 4, 4);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.get(), Qt::LeftButton, {}, Centre(*view, 4, 5));
    EXPECT_EQ(g_moveCount, 2);
    EXPECT_TRUE(IsEmpty(4, 5) || (g_moves[1].x == 4 && g_moves[1].y == 5));
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(ClickTest, RightClicksDoNothing) {
    QTest::mouseClick(view.get(), Qt::RightButton, {}, Centre(*view, 9, 9));
    g_gameOver = 1;
    QTest::mouseClick(view.get(), Qt::RightButton, {}, Centre(*view, 9, 9));
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_EQ(ui.beeps, 0);
}

// While the computer thinks, the window keeps painting (the thinking display is on) and a
// click that arrives is not played.
TEST_F(ClickTest, ClicksWhileTheComputerThinksAreNotPlayed) {
    static CBoardView* s_view;
    static int s_hookCalls, s_paints;
    static WaitHook s_painting;
    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            s_paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;

    InstallWaitHook();
    s_painting = GetWaitHook();
    SetWaitHook([] {
        s_painting();
        if (s_hookCalls++ == 0) QTest::mouseClick(s_view, Qt::LeftButton, {}, Centre(*s_view, 1, 1));
    });
    s_view = view.get();
    s_hookCalls = s_paints = 0;
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->installEventFilter(&counter);

    g_level = 3;
    g_searchPruning = false;  // plain minimax: long enough to be waited for on any machine
    g_searchMode = 1;
    SetUpPosition(0, 1, kMiddleGame);
    s_paints = 0;
    Click(HarmlessPoint());
    SetWaitHook(nullptr);
    g_searchMode = 0;

    ASSERT_GT(s_hookCalls, 0) << "the computer answered without being waited for";
    EXPECT_GT(s_paints, 0);
    EXPECT_EQ(g_moveCount, 14);
    EXPECT_TRUE(IsEmpty(1, 1));
    EXPECT_EQ(ui.beeps, 0);
    ExpectEngineMatchesRecord();
}

// The search's thinking display is still waiting for the window's thread when the search ends
// (the window drew nothing while it waited): all of it comes before the computer's stone.
TEST_F(ClickTest, TheComputersStoneOutlastsItsThinkingDisplay) {
    SetWaitHook(nullptr);
    g_level = 2;
    g_searchMode = 2;
    SetUpPosition(0, 1, kMiddleGame);
    view->OnPaint();
    Click(HarmlessPoint());
    g_searchMode = 0;
    QCoreApplication::processEvents();
    ASSERT_EQ(g_moveCount, 14);
    EXPECT_EQ(ExpectRecordShownAndCountCrosses(*view), 1);
    EXPECT_TRUE(LastMoveCrossed(*view));
}

// A full repaint while the computer thinks marks the human's stone; the computer's move then
// takes that cross over.
TEST_F(ClickTest, AFullRepaintWhileTheComputerThinksLeavesOneCross) {
    static CBoardView* s_view;
    static int s_repaints;
    s_view = view.get();
    s_repaints = 0;
    SetWaitHook([] {
        if (s_repaints++ == 0) s_view->OnPaint();
    });
    g_level = 3;
    g_searchPruning = false;  // plain minimax: long enough to be waited for on any machine
    SetUpPosition(0, 1, kMiddleGame);
    view->OnPaint();
    Click(HarmlessPoint());
    SetWaitHook(nullptr);
    ASSERT_GT(s_repaints, 0) << "the computer answered without being waited for";
    ASSERT_EQ(g_moveCount, 14);
    EXPECT_EQ(ExpectRecordShownAndCountCrosses(*view), 1);
    EXPECT_TRUE(LastMoveCrossed(*view));
}

// Clicks that the window did not take while it waited are dropped once the computer has moved.
TEST_F(ClickTest, InputLeftWaitingIsDropped) {
    auto post = [this] {
        const QPoint at = Centre(*view, 3, 3);
        QCoreApplication::postEvent(
            view.get(), new QMouseEvent(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton,
                                        Qt::LeftButton, {}));
    };
    post();
    DiscardPendingInput();
    EXPECT_EQ(g_moveCount, 0);
    post();
    QCoreApplication::processEvents();
    EXPECT_EQ(g_moveCount, 2) << "a waiting click is played when not dropped";
}

}  // namespace
