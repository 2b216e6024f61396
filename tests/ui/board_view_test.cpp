// Geometry and pixels of the board window, drawn into its backing image at chosen sizes.
#include <QApplication>
#include <QCursor>
#include <QTest>
#include <algorithm>
#include <thread>
#include <tuple>
#include <vector>

#include "engine/board.h"
#include "platform/wait_hook.h"
#include "player/game_state.h"
#include "tests/ui/view_fixture.h"
#include "ui/wait.h"

namespace {

using BoardViewTest = ViewTest;

QRgb WindowRgb(const CBoardView& view) {
    return view.palette().color(QPalette::Window).rgb() & 0xffffff;
}

struct GeometryCase {
    int width, height;
    BoardGeometry expected;
    int starWidth, starHeight;
};

TEST_F(BoardViewTest, GeometryGridLinesAndStarPointsFollowTheWindowSize) {
    const std::vector<GeometryCase> cases = {
        {200, 200, {19, 19, 181, 181, 9, 9}, 5, 5},
        {600, 400, {129, 29, 471, 371, 19, 19}, 7, 7},  // square cells, the grid centred across
        {400, 600, {29, 129, 371, 471, 19, 19}, 7, 7},
        {330, 350, {30, 40, 300, 310, 15, 15}, 5, 5},
        {340, 340, {26, 26, 314, 314, 16, 16}, 7, 7},
        {1200, 950, {186, 61, 1014, 889, 46, 46}, 7, 7},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        CBoardView view;
        PaintAt(view, c.width, c.height);
        ASSERT_TRUE(view.BoardShown());
        const BoardGeometry g = view.Geometry();
        const BoardGeometry& e = c.expected;
        ASSERT_EQ(std::tie(g.left, g.top, g.right, g.bottom, g.cellWidth, g.cellHeight),
                  std::tie(e.left, e.top, e.right, e.bottom, e.cellWidth, e.cellHeight));

        // Each line runs from its first point to its last, so the grid is closed at every
        // corner.
        for (int i = 0; i < 19; ++i) {
            const int y = g.top + i * g.cellHeight, x = g.left + i * g.cellWidth;
            EXPECT_EQ(PixelAt(view, g.left - 1, y), kBoardRgb) << "row " << i;
            EXPECT_EQ(PixelAt(view, g.left, y), kBlackRgb) << "row " << i;
            EXPECT_EQ(PixelAt(view, g.right - 1, y), kBlackRgb) << "row " << i;
            EXPECT_EQ(PixelAt(view, g.right, y), kBlackRgb) << "row " << i;
            EXPECT_EQ(PixelAt(view, g.right + 1, y), kBoardRgb) << "row " << i;
            EXPECT_EQ(PixelAt(view, x, g.top - 1), kBoardRgb) << "column " << i;
            EXPECT_EQ(PixelAt(view, x, g.top), kBlackRgb) << "column " << i;
            EXPECT_EQ(PixelAt(view, x, g.bottom - 1), kBlackRgb) << "column " << i;
            EXPECT_EQ(PixelAt(view, x, g.bottom), kBlackRgb) << "column " << i;
            EXPECT_EQ(PixelAt(view, x, g.bottom + 1), kBoardRgb) << "column " << i;
        }
        EXPECT_EQ(PixelAt(view, g.left + g.cellWidth / 2, g.top + g.cellHeight / 2), kBoardRgb);

        // The surface reaches two thirds of a cell beyond the outer lines, outlined in black.
        const int mx = 2 * g.cellWidth / 3, my = 2 * g.cellHeight / 3;
        const int midY = g.top + g.cellHeight / 2;
        EXPECT_EQ(PixelAt(view, g.left - mx - 1, midY), WindowRgb(view));
        EXPECT_EQ(PixelAt(view, g.left - mx, midY), kBlackRgb);
        EXPECT_EQ(PixelAt(view, g.left - mx + 1, midY), kBoardRgb);
        EXPECT_EQ(PixelAt(view, g.right + mx - 2, midY), kBoardRgb);
        EXPECT_EQ(PixelAt(view, g.right + mx - 1, midY), kBlackRgb);
        EXPECT_EQ(PixelAt(view, g.right + mx, midY), WindowRgb(view));
        EXPECT_EQ(PixelAt(view, g.left + g.cellWidth / 2, g.top - my), kBlackRgb);
        EXPECT_EQ(PixelAt(view, g.left + g.cellWidth / 2, g.bottom + my - 1), kBlackRgb);
        EXPECT_EQ(PixelAt(view, g.left + g.cellWidth / 2, g.bottom + my), WindowRgb(view));

        // Star dots: the black pixels off the two lines through the point.
        for (const auto& [sx, sy] :
             {std::pair{3, 3}, {9, 3}, {15, 3}, {3, 9}, {9, 9}, {15, 9}, {3, 15}, {9, 15}, {15, 15}}) {
            const QPoint c0 = Centre(view, sx, sy);
            int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
            for (int y = c0.y() - 6; y <= c0.y() + 6; ++y) {
                for (int x = c0.x() - 6; x <= c0.x() + 6; ++x) {
                    if (x == c0.x() || y == c0.y() || PixelAt(view, x, y) != kBlackRgb) continue;
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
            }
            EXPECT_EQ(maxX - minX + 1, c.starWidth) << "star " << sx << "," << sy;
            EXPECT_EQ(maxY - minY + 1, c.starHeight) << "star " << sx << "," << sy;
            EXPECT_EQ(minX + maxX, 2 * c0.x()) << "star " << sx << "," << sy;
            EXPECT_EQ(minY + maxY, 2 * c0.y()) << "star " << sx << "," << sy;
        }
    }
}

TEST_F(BoardViewTest, TooSmallWindowDrawsNothingButWritesTheTitle) {
    for (const auto& [w, h] : {std::pair{199, 800}, {800, 199}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        CBoardView view;
        Play({{9, 9}});
        PaintAt(view, 200, 200);
        const BoardGeometry before = view.Geometry();
        view.setWindowTitle("none");
        PaintAt(view, w, h);
        EXPECT_FALSE(view.BoardShown());
        const BoardGeometry after = view.Geometry();
        EXPECT_EQ(
            std::tie(after.left, after.top, after.right, after.bottom, after.cellWidth, after.cellHeight),
            std::tie(before.left, before.top, before.right, before.bottom, before.cellWidth,
                     before.cellHeight));
        QImage plain(w, h, QImage::Format_RGB32);
        plain.fill(view.palette().color(QPalette::Window));
        EXPECT_EQ(view.Image(), plain);
        view.DrawStone(5, 5, 0);
        view.DrawLastMoveMark();
        EXPECT_EQ(view.Image(), plain);
        EXPECT_EQ(view.windowTitle(), "Renju - Move 1, Time 0.00");
    }
}

struct StoneCase {
    int width, height, colour;
};

// Box of a stone: (cx - h + 1, cy - v + 1) to (cx + h, cy + v), right and bottom excluded.
TEST_F(BoardViewTest, StonesFillExactlyTheirBox) {
    const std::vector<StoneCase> cases = {{400, 400, 0}, {400, 400, 1}, {600, 400, 0}, {600, 400, 1}};
    for (const StoneCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " colour " << c.colour);
        CBoardView view;
        PaintAt(view, c.width, c.height);
        const QImage before = view.Image();
        view.DrawStone(5, 7, c.colour);
        const QImage& after = view.Image();
        const BoardGeometry g = view.Geometry();
        const QPoint p = Centre(view, 5, 7);
        const int l = p.x() - g.cellWidth / 2 + 1, r = p.x() + g.cellWidth / 2;
        const int t = p.y() - g.cellHeight / 2 + 1, b = p.y() + g.cellHeight / 2;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (x >= l && x < r && y >= t && y < b) continue;
                ASSERT_EQ(after.pixel(x, y), before.pixel(x, y)) << "outside the box at " << x << "," << y;
            }
        }

        // The black rim touches all four sides just off the lines through the centre.
        const int x1 = p.x() - 1, y1 = p.y() - 1;
        EXPECT_EQ(PixelAt(view, l, y1), kBlackRgb);
        EXPECT_EQ(PixelAt(view, r - 1, y1), kBlackRgb);
        EXPECT_EQ(PixelAt(view, x1, t), kBlackRgb);
        EXPECT_EQ(PixelAt(view, x1, b - 1), kBlackRgb);
        EXPECT_EQ(PixelAt(view, l - 1, y1), kBoardRgb);
        EXPECT_EQ(PixelAt(view, r, y1), kBoardRgb);
        EXPECT_EQ(PixelAt(view, x1, t - 1), kBoardRgb);
        EXPECT_EQ(PixelAt(view, x1, b), kBoardRgb);
        EXPECT_EQ(PixelAt(view, p), c.colour == 0 ? kBlackRgb : kWhiteRgb);
        if (c.colour == 1) {
            // Inside the one-pixel rim, white reaches the rim's box on every side.
            EXPECT_EQ(PixelAt(view, l, p.y()), kBlackRgb);
            EXPECT_EQ(PixelAt(view, l + 1, p.y()), kWhiteRgb);
            EXPECT_EQ(PixelAt(view, r - 2, p.y()), kWhiteRgb);
            EXPECT_EQ(PixelAt(view, r - 1, p.y()), kBlackRgb);
            EXPECT_EQ(PixelAt(view, p.x(), t + 1), kWhiteRgb);
            EXPECT_EQ(PixelAt(view, p.x(), b - 2), kWhiteRgb);
        }
    }
}

// At any window shape a stone is as wide as it is high, and its edge is smoothed into the
// board: pixels there mix the stone's rim with the board's colour.
TEST_F(BoardViewTest, StonesAreRoundWithASmoothEdge) {
    for (const auto& [w, h] : {std::pair{1200, 950}, {362, 343}, {400, 600}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        CBoardView view;
        PaintAt(view, w, h);
        view.DrawStone(5, 7, 0);
        const QPoint p = Centre(view, 5, 7);
        const int reach = std::max(view.Geometry().cellWidth, view.Geometry().cellHeight) / 2;
        int minX = 1 << 20, maxX = -1, minY = 1 << 20, maxY = -1, mixed = 0;
        for (int y = p.y() - reach; y <= p.y() + reach; ++y) {
            for (int x = p.x() - reach; x <= p.x() + reach; ++x) {
                const QRgb c = PixelAt(view, x, y);
                const int red = qRed(c);
                if (c != kBlackRgb && c != kBoardRgb && red > 0 && red < qRed(kBoardRgb)) ++mixed;
                if (c != kBlackRgb || x == p.x() || y == p.y()) continue;  // the grid lines are black too
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
        }
        EXPECT_EQ(maxX - minX, maxY - minY) << "an oval stone";
        EXPECT_GT(mixed, 8) << "a jagged edge";
    }
}

// Box of a ring: (cx - h + 2, cy - v + 2) to (cx + h - 1, cy + v - 1), a pen 3 pixels wide inside.
TEST_F(BoardViewTest, RingsHaveABlackOrWhiteOutlineAndHideTheLines) {
    for (const auto& [colour, outline] : {std::pair{2, kBlackRgb}, {3, kWhiteRgb}}) {
        SCOPED_TRACE(testing::Message() << "colour " << colour);
        CBoardView view;
        PaintAt(view, 400, 400);  // dx = dy = 19
        view.DrawStone(5, 7, colour);
        const QPoint p = Centre(view, 5, 7);
        const int cx = p.x(), cy = p.y();
        EXPECT_EQ(PixelAt(view, cx - 7, cy), outline);
        EXPECT_EQ(PixelAt(view, cx - 5, cy), outline);
        EXPECT_EQ(PixelAt(view, cx - 4, cy), kBoardRgb);  // the grid line is covered
        EXPECT_EQ(PixelAt(view, cx, cy), kBoardRgb);
        EXPECT_EQ(PixelAt(view, cx + 7, cy), outline);
        EXPECT_EQ(PixelAt(view, cx - 8, cy), kBlackRgb);  // the line outside is left
        EXPECT_EQ(PixelAt(view, cx - 8, cy - 1), kBoardRgb);
        EXPECT_EQ(PixelAt(view, cx - 1, cy - 7), outline);
        EXPECT_EQ(PixelAt(view, cx - 1, cy - 8), kBoardRgb);
        EXPECT_EQ(PixelAt(view, cx - 1, cy + 7), outline);
        EXPECT_EQ(PixelAt(view, cx - 1, cy + 8), kBoardRgb);
    }
}

TEST_F(BoardViewTest, ErasingRestoresThePointWithoutLinesOutsideTheGrid) {
    CBoardView view;
    PaintAt(view, 400, 400);
    const QImage fresh = view.Image();
    const BoardGeometry g = view.Geometry();
    // Points that are not star points come back exactly as painted.
    for (const auto& [x, y] : {std::pair{5, 5}, {0, 5}, {18, 7}, {6, 0}, {12, 18}, {18, 18}}) {
        view.DrawStone(x, y, 1);
        view.ErasePoint(x, y);
        EXPECT_EQ(view.Image(), fresh) << "point " << x << "," << y;
    }
    // At the other corners only the corner pixel itself waits for the next full paint.
    for (const auto& [x, y] : {std::pair{0, 0}, {18, 0}, {0, 18}}) {
        view.DrawStone(x, y, 0);
        view.ErasePoint(x, y);
        const QPoint corner = Centre(view, x, y);
        for (int py = corner.y() - 10; py <= corner.y() + 10; ++py) {
            for (int px = corner.x() - 10; px <= corner.x() + 10; ++px) {
                const bool outsideGrid = px < g.left || px > g.right || py < g.top || py > g.bottom;
                if (QPoint(px, py) == corner) continue;
                EXPECT_EQ(view.Image().pixel(px, py), fresh.pixel(px, py))
                    << "point " << x << "," << y << " pixel " << px << "," << py
                    << (outsideGrid ? " outside the grid" : "");
            }
        }
    }
}

// Pixels of the cross on point (x, y): each arm starts dy / 3 - 1 from the centre and stops
// before the same distance on the other side.
void ExpectCross(const CBoardView& view, int x, int y, QRgb cross, QRgb stone) {
    const QPoint p = Centre(view, x, y);
    const int ax = view.Geometry().cellWidth / 3, ay = view.Geometry().cellHeight / 3;
    for (int i = -ay + 1; i <= ay - 2; ++i)
        EXPECT_EQ(PixelAt(view, p.x(), p.y() + i), cross) << "vertical " << i;
    for (int i = -ax + 1; i <= ax - 2; ++i)
        EXPECT_EQ(PixelAt(view, p.x() + i, p.y()), cross) << "horizontal " << i;
    EXPECT_EQ(PixelAt(view, p.x(), p.y() - ay), stone);
    EXPECT_EQ(PixelAt(view, p.x(), p.y() + ay - 1), stone);
    EXPECT_EQ(PixelAt(view, p.x() - ax, p.y()), stone);
    EXPECT_EQ(PixelAt(view, p.x() + ax - 1, p.y()), stone);
}

void ExpectNoCross(const CBoardView& view, int x, int y, QRgb stone) {
    const QPoint p = Centre(view, x, y);
    for (int i = -3; i <= 3; ++i) {
        EXPECT_EQ(PixelAt(view, p.x(), p.y() + i), stone) << "at " << x << "," << y;
        EXPECT_EQ(PixelAt(view, p.x() + i, p.y()), stone) << "at " << x << "," << y;
    }
}

TEST_F(BoardViewTest, LastMoveCrossContrastsWithTheStone) {
    // One move: a Black stone with a white cross. Two: a White stone with a black cross.
    {
        CBoardView view;
        Play({{5, 7}});
        PaintAt(view, 600, 400);
        ExpectCross(view, 5, 7, kWhiteRgb, kBlackRgb);
    }
    {
        CBoardView view;
        Play({{5, 7}, {6, 7}});
        PaintAt(view, 600, 400);
        ExpectCross(view, 6, 7, kBlackRgb, kWhiteRgb);
        ExpectNoCross(view, 5, 7, kBlackRgb);
    }
}

TEST_F(BoardViewTest, CrossMovesOffTheComputersPreviousMove) {
    CBoardView view;
    PaintAt(view, 400, 400);
    // The human plays Black; the computer marks each of its moves as it plays.
    const std::pair<int, int> moves[] = {{9, 9}, {10, 10}, {9, 10}, {10, 11}, {9, 11}, {10, 12}};
    for (int n = 0; n < 6; ++n) {
        const auto [x, y] = moves[n];
        Play({{x, y}});
        view.DrawStone(x, y, n % 2);
        if (n % 2 == 1) view.DrawLastMoveMark();
    }
    ExpectCross(view, 10, 12, kBlackRgb, kWhiteRgb);
    ExpectNoCross(view, 10, 10, kWhiteRgb);
    ExpectNoCross(view, 10, 11, kWhiteRgb);
    ExpectNoCross(view, 9, 11, kBlackRgb);  // a human move has no cross until a repaint
}

struct ProposalCase {
    int rule, moveCount, humanBlack, fifthAPlaced;
    bool ringA, ringB;
};

TEST_F(BoardViewTest, PaintShowsTheFifthMoveProposalsAfterTheFourthMove) {
    const std::vector<ProposalCase> cases = {
        {2, 4, 0, 0, true, true},   {2, 4, 0, 1, true, true},   {2, 4, 1, 1, true, false},
        {2, 4, 1, 0, false, false}, {0, 4, 0, 1, false, false}, {2, 3, 0, 1, false, false},
    };
    const std::pair<int, int> moves[] = {{9, 9}, {9, 8}, {10, 10}, {8, 8}};
    for (const ProposalCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "rule " << c.rule << " moves " << c.moveCount << " humanBlack "
                                        << c.humanBlack << " placed " << c.fifthAPlaced);
        ResetWithRule(c.rule);
        CBoardView view;  // starts a game under the menu rule
        for (int i = 0; i < c.moveCount; ++i)
            Play({moves[i]});
        g_humanBlack = c.humanBlack;
        g_fifthAPlaced = c.fifthAPlaced;
        g_fifthA = PointIndex(5, 7);
        g_fifthB = PointIndex(12, 4);
        PaintAt(view, 400, 400);
        for (const auto& [x, y, ringed] : {std::tuple{5, 7, c.ringA}, {12, 4, c.ringB}}) {
            const QPoint p = Centre(view, x, y);
            // A ring covers the crossing of the lines and has a black outline.
            EXPECT_EQ(PixelAt(view, p), ringed ? kBoardRgb : kBlackRgb) << "point " << x << "," << y;
            EXPECT_EQ(PixelAt(view, p.x() - 1, p.y() - 7), ringed ? kBlackRgb : kBoardRgb);
        }
    }
}

TEST_F(BoardViewTest, DrawingFromAnotherThreadHappensOnTheWindowThreadInOrder) {
    CBoardView view;
    PaintAt(view, 400, 400);
    const QImage fresh = view.Image();
    std::thread worker([&view] {
        view.DrawStone(3, 4, 0);
        view.ErasePoint(3, 4);
        view.ErasePoint(6, 4);
        view.DrawStone(6, 4, 1);
        view.DrawStone(7, 5, 3);
    });
    worker.join();
    EXPECT_EQ(view.Image(), fresh) << "drawn on the worker thread";
    ApplyQueuedDrawing();
    EXPECT_EQ(PixelAt(view, Centre(view, 3, 4)), kBlackRgb);  // erased: the crossing again
    EXPECT_EQ(PixelAt(view, Centre(view, 3, 4) + QPoint(-1, -1)), kBoardRgb);
    EXPECT_EQ(PixelAt(view, Centre(view, 6, 4)), kWhiteRgb);  // the stone came after the erase
    EXPECT_EQ(PixelAt(view, Centre(view, 7, 5) + QPoint(-1, -7)), kWhiteRgb);
}

// A search that ends with its ring still queued (drawn, then erased, on the point it then
// plays): the stone drawn on the window's thread afterwards stays, whatever runs next.
TEST_F(BoardViewTest, DrawingLeftQueuedByASearchComesBeforeItsMove) {
    CBoardView view;
    PaintAt(view, 400, 400);
    std::thread search([&view] {
        view.DrawStone(5, 5, 3);
        view.ErasePoint(5, 5);
    });
    search.join();
    view.DrawStone(5, 5, 1);
    QCoreApplication::processEvents();
    ApplyQueuedDrawing();
    EXPECT_EQ(PixelAt(view, Centre(view, 5, 5)), kWhiteRgb);
    EXPECT_EQ(PixelAt(view, Centre(view, 5, 5) + QPoint(-9, 0)), kBlackRgb) << "the stone's rim";
}

TEST_F(BoardViewTest, WaitHookRunsQueuedDrawingAndTitles) {
    InstallWaitHook();
    ASSERT_NE(GetWaitHook(), nullptr);
    CBoardView view;
    PaintAt(view, 400, 400);
    Play({{9, 9}, {10, 9}});
    std::thread worker([&view] {
        view.DrawStone(4, 4, 0);
        view.UpdateTitle(-11111);
    });
    worker.join();
    GetWaitHook()();
    EXPECT_EQ(PixelAt(view, Centre(view, 4, 4)), kBlackRgb);
    EXPECT_EQ(PixelAt(view, Centre(view, 4, 4) + QPoint(-1, -1)), kBlackRgb);
    EXPECT_EQ(view.windowTitle(), "Renju - Move 2, Time 0.00");
    SetWaitHook(nullptr);
}

TEST_F(BoardViewTest, ConstructorStartsAFreshRun) {
    Play({{9, 9}, {9, 10}});
    g_level = 5;
    g_gameOver = 1;
    g_fifthAPlaced = 1;
    g_humanBlack = 0;
    g_titleColor = 0;
    {
        CBoardView view;
        EXPECT_EQ(g_display, &view);
        EXPECT_EQ(g_moveCount, 0);
        EXPECT_EQ(g_stackCount, 0);
        EXPECT_EQ(g_gameBoard[CellIndex(9, 9)], CELL_EMPTY);
        EXPECT_EQ(g_level, 1);
        EXPECT_EQ(g_gameOver, 0);
        EXPECT_EQ(g_fifthAPlaced, 0);
        EXPECT_EQ(view.HumanFirst(), 1);
        EXPECT_EQ(g_humanBlack, 1);
        EXPECT_EQ(g_titleColor, 1);
        EXPECT_EQ(view.LastScore(), 0);
        EXPECT_FALSE(view.BoardShown());
    }
    EXPECT_EQ(g_display, nullptr);
}

TEST_F(BoardViewTest, RightButtonDoesNothing) {
    CBoardView view;
    view.resize(400, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    const QImage before = view.Image();
    QTest::mouseClick(&view, Qt::RightButton, {}, Centre(view, 9, 9));
    QTest::mouseDClick(&view, Qt::RightButton, {}, Centre(view, 9, 9));
    QCoreApplication::processEvents();
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_EQ(view.Image(), before);
}

// The thinking display lives between full paints: showing the window again must not wipe it,
// while a full repaint (new game, undo) does.
TEST_F(BoardViewTest, OnlyAFullRepaintClearsTheThinkingDisplay) {
    CBoardView view;
    view.resize(400, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.repaint();
    const QPoint ring = Centre(view, 7, 5) + QPoint(-1, -7);
    view.DrawStone(7, 5, 3);
    view.repaint();
    EXPECT_EQ(PixelAt(view, ring), kWhiteRgb);
    EXPECT_EQ(view.grab().toImage().pixel(ring) & 0xffffff, kWhiteRgb) << "the screen shows the image";
    view.Invalidate();
    view.repaint();
    EXPECT_EQ(PixelAt(view, ring), kBoardRgb);
}

TEST_F(BoardViewTest, WaitCursorIsSetOnceAndRestored) {
    {
        CBoardView view;
        view.SetWaitCursor(true);
        view.SetWaitCursor(true);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        view.SetWaitCursor(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        view.SetWaitCursor(true);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "left behind by a destroyed window";
}

// Run with QT_SCALE_FACTOR=2: the board is drawn at the screen's own pixels, not drawn at the
// window's size and scaled up.
TEST_F(BoardViewTest, AtScaleTwoTheBoardIsDrawnAtTheScreensPixels) {
    CBoardView view;
    if (view.devicePixelRatioF() != 2.0) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    Play({{9, 9}, {10, 9}});
    PaintAt(view, 400, 400);
    const QImage& image = view.Image();
    ASSERT_EQ(image.size(), QSize(800, 800));
    EXPECT_EQ(image.devicePixelRatio(), 2.0);

    // The geometry is the one of a 400 x 400 window; a line one logical pixel wide covers two.
    const BoardGeometry g = view.Geometry();
    EXPECT_EQ(g.cellWidth, 19);
    const int row = 2 * (g.top + 3 * g.cellHeight);
    EXPECT_EQ(image.pixel(2 * (g.left + 3), row) & 0xffffff, kBlackRgb);
    EXPECT_EQ(image.pixel(2 * (g.left + 3), row + 1) & 0xffffff, kBlackRgb);
    EXPECT_EQ(image.pixel(2 * (g.left + 3), row + 2) & 0xffffff, kBoardRgb);

    // The stones' edges step by single screen pixels: some 2 x 2 block on the Black stone's
    // box is not of one colour, which an image scaled up from half the size never shows.
    const QPoint c = Centre(view, 9, 9);
    const int h = g.cellWidth / 2;
    int mixedBlocks = 0;
    for (int y = 2 * (c.y() - h); y < 2 * (c.y() + h); y += 2) {
        for (int x = 2 * (c.x() - h); x < 2 * (c.x() + h); x += 2) {
            const QRgb p = image.pixel(x, y);
            mixedBlocks +=
                image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p;
        }
    }
    EXPECT_GT(mixedBlocks, 8);
}

}  // namespace
