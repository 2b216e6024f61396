#include "ui/board_view.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>

#include "engine/board.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "player/game_state.h"
#include "player/threads.h"
#include "ui/paint.h"
#include "ui/title.h"

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBoard = QColor::fromRgb(CBoardView::BOARD_COLOR);

constexpr int kStarPoints[9][2] = {{3, 3},  {9, 3},  {15, 3}, {3, 9},  {9, 9},
                                   {15, 9}, {3, 15}, {9, 15}, {15, 15}};

}  // namespace

CBoardView::CBoardView(QWidget* parent) : QWidget(parent) {
    // The start-of-run state: empty boards and the default settings of a fresh game.
    StopPondering();
    g_display = this;
    ResetBoards();
    SeedRandom(TickCount());
    g_level = 1;
    StartPlayState();

    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

// The play flow's state at the start of a run and of each game: nothing over, nothing
// proposed, no search asked to stop, no prepared answer, and the human's colour.
void CBoardView::StartPlayState() {
    g_fifthAPlaced = 0;
    g_gameOver = 0;
    g_stopSearch = 0;
    g_finishPonder = 0;
    g_ponderActive = 0;
    g_ponderHit = 0;
    g_forceShallow = 0;
    g_humanBlack = m_humanFirst;
    g_titleColor = m_humanFirst;
}

CBoardView::~CBoardView() {
    StopPondering();
    if (m_waitCursor) QGuiApplication::restoreOverrideCursor();
    if (g_display == this) g_display = nullptr;
}

BoardGeometry CBoardView::Geometry() const {
    return {m_gridLeft, m_gridTop, m_gridRight, m_gridBottom, m_cellWidth, m_cellHeight};
}

bool CBoardView::OnOwnThread() const {
    return QThread::currentThread() == thread();
}

void CBoardView::Invalidate() {
    m_needsFullPaint = true;
    update();
}

void CBoardView::paintEvent(QPaintEvent*) {
    if (m_needsFullPaint || m_image.size() != size()) {
        OnPaint();
    } else {
        UpdateTitle(m_lastScore);  // every paint writes the status, as a full one does
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void CBoardView::resizeEvent(QResizeEvent* event) {
    m_needsFullPaint = true;
    QWidget::resizeEvent(event);
}

void CBoardView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click is not a click.
    event->accept();
}

void CBoardView::OnPaint() {
    m_needsFullPaint = false;
    if (m_image.size() != size()) m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(palette().color(QPalette::Window));
    if (!m_image.isNull()) {
        QPainter painter(&m_image);
        DrawGrid(painter);
        for (int i = 0; i < g_moveCount; ++i)
            PaintStone(painter, g_moves[i].x, g_moves[i].y, i % 2);
        PaintLastMoveMark(painter);
        if (g_gameRule == 2 && g_moveCount == 4) {
            // The fifth-move proposals of the international rule.
            if (g_humanBlack == 0) {
                PaintPoint(g_fifthA, 2, painter);
                PaintPoint(g_fifthB, 2, painter);
            } else if (g_fifthAPlaced == 1) {
                PaintPoint(g_fifthA, 2, painter);
            }
        }
    }
    UpdateTitle(m_lastScore);
}

void CBoardView::PaintPoint(int point, int colour, QPainter& painter) {
    if (point >= 0 && point < POINT_COUNT)
        PaintStone(painter, point % BOARD_SIZE, point / BOARD_SIZE, colour);
}

void CBoardView::DrawGrid(QPainter& painter) {
    const int w = width(), h = height();
    if (w < MIN_CLIENT || h < MIN_CLIENT) {
        m_boardShown = 0;  // the geometry of the last board stays
        return;
    }
    m_boardShown = 1;
    const int dx = (w - 18) / 20, dy = (h - 18) / 20;
    const int x0 = (w - 18 * dx) / 2, y0 = (h - 18 * dy) / 2;
    m_cellWidth = dx;
    m_cellHeight = dy;
    m_gridLeft = x0;
    m_gridTop = y0;
    m_gridRight = x0 + 18 * dx;
    m_gridBottom = y0 + 18 * dy;

    // The surface reaches two thirds of a cell beyond the outer lines.
    const int mx = (2 * dx) / 3, my = (2 * dy) / 3;
    DrawPixelRectangle(painter, {x0 - mx, y0 - my, m_gridRight + mx, m_gridBottom + my}, kBlack, kBoard);
    for (int i = 0; i < BOARD_SIZE; ++i) {
        DrawPixelLine(painter, {x0, y0 + i * dy}, {m_gridRight, y0 + i * dy}, kBlack);
        DrawPixelLine(painter, {x0 + i * dx, y0}, {x0 + i * dx, m_gridBottom}, kBlack);
    }
    // Star dots: one pixel wider than high.
    const int rx = dx >= 16 ? 3 : 2, ry = dy >= 16 ? 2 : 1;
    for (const auto& star : kStarPoints) {
        const int cx = x0 + star[0] * dx, cy = y0 + star[1] * dy;
        DrawPixelEllipse(painter, {cx - rx, cy - ry, cx + rx + 1, cy + ry + 1}, kBlack, 1, kBlack);
    }
}

void CBoardView::PaintStone(QPainter& painter, int x, int y, int colour) {
    if (m_boardShown == 0) return;
    const int h = m_cellWidth / 2, v = m_cellHeight / 2;
    const int cx = m_gridLeft + x * m_cellWidth, cy = m_gridTop + y * m_cellHeight;
    if (colour == 0 || colour == 1) {
        // A White stone keeps the black rim of the pen.
        DrawPixelEllipse(painter, {cx - h + 1, cy - v + 1, cx + h, cy + v}, kBlack, 1,
                         colour == 0 ? kBlack : kWhite);
    } else {
        DrawPixelEllipse(painter, {cx - h + 2, cy - v + 2, cx + h - 1, cy + v - 1},
                         colour % 2 ? kWhite : kBlack, 3, kBoard);
    }
}

void CBoardView::PaintErase(QPainter& painter, int x, int y) {
    const int h = m_cellWidth / 2, v = m_cellHeight / 2;
    const int cx = m_gridLeft + x * m_cellWidth, cy = m_gridTop + y * m_cellHeight;
    PixelBox box{cx - h + 1, cy - v + 1, cx + h, cy + v};
    FillPixelBox(painter, box, kBoard);
    // The line pieces through the point stop at the edge of the grid. A star dot comes back
    // with the next full paint.
    if (x == 0) {
        box.left = cx + 1;
    } else if (x == 18) {
        box.right = cx;
    }
    if (y == 0) {
        box.top = cy + 1;
    } else if (y == 18) {
        box.bottom = cy;
    }
    DrawPixelLine(painter, {cx, box.top}, {cx, box.bottom}, kBlack);
    DrawPixelLine(painter, {box.left, cy}, {box.right, cy}, kBlack);
}

void CBoardView::PaintLastMoveMark(QPainter& painter) {
    if (m_boardShown == 0) return;
    const int n = g_moveCount;
    // The cross follows each computer move, so the computer's previous move loses its cross.
    if (g_stackCount > 2 && n >= 3) PaintStone(painter, g_moves[n - 3].x, g_moves[n - 3].y, 1 - n % 2);
    if (n == 0) return;
    const QColor& pen = n % 2 ? kWhite : kBlack;
    const int cx = m_gridLeft + g_moves[n - 1].x * m_cellWidth;
    const int cy = m_gridTop + g_moves[n - 1].y * m_cellHeight;
    const int ax = m_cellWidth / 3, ay = m_cellHeight / 3;
    DrawPixelLine(painter, {cx, cy - ay + 1}, {cx, cy + ay - 1}, pen);
    DrawPixelLine(painter, {cx - ax + 1, cy}, {cx + ax - 1, cy}, pen);
}

void CBoardView::DrawStone(int x, int y, int colour) {
    if (!OnOwnThread()) {
        QMetaObject::invokeMethod(
            this, [this, x, y, colour] { DrawStone(x, y, colour); }, Qt::QueuedConnection);
        return;
    }
    if (m_boardShown == 0 || m_image.isNull()) return;
    QPainter painter(&m_image);
    PaintStone(painter, x, y, colour);
    update();
}

void CBoardView::ErasePoint(int x, int y) {
    if (!OnOwnThread()) {
        QMetaObject::invokeMethod(
            this, [this, x, y] { ErasePoint(x, y); }, Qt::QueuedConnection);
        return;
    }
    if (m_image.isNull()) return;
    QPainter painter(&m_image);
    PaintErase(painter, x, y);
    update();
}

void CBoardView::DrawLastMoveMark() {
    if (!OnOwnThread()) {
        QMetaObject::invokeMethod(
            this, [this] { DrawLastMoveMark(); }, Qt::QueuedConnection);
        return;
    }
    if (m_boardShown == 0 || m_image.isNull()) return;
    QPainter painter(&m_image);
    PaintLastMoveMark(painter);
    update();
}

void CBoardView::UpdateTitle(int score) {
    if (!OnOwnThread()) {
        QMetaObject::invokeMethod(
            this, [this, score] { UpdateTitle(score); }, Qt::QueuedConnection);
        return;
    }
    if (g_moveCount < 2) g_thinkMillis = 0;
    const std::string text =
        TitleText(score, {g_moveCount, g_level, g_titleColor, g_showInfo, g_thinkMillis});
    m_lastScore = score;
    window()->setWindowTitle(QString::fromStdString(text));
}

void CBoardView::SetWaitCursor(bool on) {
    if (!OnOwnThread()) {
        QMetaObject::invokeMethod(
            this, [this, on] { SetWaitCursor(on); }, Qt::QueuedConnection);
        return;
    }
    if (on == m_waitCursor) return;
    m_waitCursor = on;
    if (on) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}
