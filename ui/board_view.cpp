#include "ui/board_view.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "engine/board.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "player/game_state.h"
#include "player/threads.h"
#include "ui/language.h"
#include "ui/paint.h"
#include "ui/title.h"

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBoard = QColor::fromRgb(CBoardView::BOARD_COLOR);

// The one board window, for the waiting hook; touched on the window's thread only.
CBoardView* s_view = nullptr;

constexpr int kStarPoints[9][2] = {{3, 3},  {9, 3},  {15, 3}, {3, 9},  {9, 9},
                                   {15, 9}, {3, 15}, {9, 15}, {15, 15}};

}  // namespace

CBoardView::CBoardView(QWidget* parent) : QWidget(parent) {
    // The start-of-run state: empty boards and the default settings of a fresh game.
    StopPondering();
    g_display = this;
    s_view = this;
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
    if (s_view == this) s_view = nullptr;
}

BoardGeometry CBoardView::Geometry() const {
    return {m_gridLeft, m_gridTop, m_gridRight, m_gridBottom, m_cellWidth, m_cellHeight};
}

bool CBoardView::OnOwnThread() const {
    return std::this_thread::get_id() == m_ownThread;
}

void CBoardView::Invalidate() {
    m_needsFullPaint = true;
    update();
}

QSize CBoardView::DeviceSize() const {
    return size() * devicePixelRatioF();
}

void CBoardView::paintEvent(QPaintEvent*) {
    ApplyQueuedDrawing();
    if (m_needsFullPaint || m_image.size() != DeviceSize() ||
        m_image.devicePixelRatioF() != devicePixelRatioF()) {
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
    ApplyQueuedDrawing();  // a full repaint comes after whatever was drawn before it
    m_needsFullPaint = false;
    m_markedPoint = -1;
    // The geometry stays in logical pixels; the image holds the screen's own pixels.
    const qreal ratio = devicePixelRatioF();
    if (m_image.size() != DeviceSize() || m_image.devicePixelRatioF() != ratio) {
        m_image = QImage(DeviceSize(), QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
    }
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
    // Square cells at any window shape, so that stones and star points stay round; the grid is
    // centred in the other direction.
    const int cell = std::min((w - 18) / 20, (h - 18) / 20);
    const int dx = cell, dy = cell;
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
    // Each line covers its last point too, so the grid's bottom-right corner is closed.
    for (int i = 0; i < BOARD_SIZE; ++i) {
        DrawPixelLine(painter, {x0, y0 + i * dy}, {m_gridRight + 1, y0 + i * dy}, kBlack);
        DrawPixelLine(painter, {x0 + i * dx, y0}, {x0 + i * dx, m_gridBottom + 1}, kBlack);
    }
    const int r = dx >= 16 ? 3 : 2;
    for (const auto& star : kStarPoints) {
        const int cx = x0 + star[0] * dx, cy = y0 + star[1] * dy;
        DrawPixelEllipse(painter, {cx - r, cy - r, cx + r + 1, cy + r + 1}, kBlack, 1, kBlack);
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
        box.right = cx + 1;
    }
    if (y == 0) {
        box.top = cy + 1;
    } else if (y == 18) {
        box.bottom = cy + 1;
    }
    DrawPixelLine(painter, {cx, box.top}, {cx, box.bottom}, kBlack);
    DrawPixelLine(painter, {box.left, cy}, {box.right, cy}, kBlack);
}

void CBoardView::PaintLastMoveMark(QPainter& painter) {
    if (m_boardShown == 0) return;
    const int n = g_moveCount;
    // The cross follows each computer move, so the computer's previous move loses its cross.
    // Counted on the game record: a paint may come while a search has the engine's stack.
    if (n >= 3) PaintStone(painter, g_moves[n - 3].x, g_moves[n - 3].y, 1 - n % 2);
    // So does whichever stone a full repaint marked meanwhile (the human's, while the computer
    // thought): one move carries the cross.
    const int last = n > 0 ? PointIndex(g_moves[n - 1].x, g_moves[n - 1].y) : -1;
    if (m_markedPoint >= 0 && m_markedPoint != last) {
        const int x = m_markedPoint % BOARD_SIZE, y = m_markedPoint / BOARD_SIZE;
        const int cell = g_gameBoard[CellIndex(x, y)];
        if (cell == CELL_BLACK || cell == CELL_WHITE) PaintStone(painter, x, y, cell == CELL_BLACK ? 0 : 1);
    }
    m_markedPoint = last;
    if (n == 0) return;
    const QColor& pen = n % 2 ? kWhite : kBlack;
    const int cx = m_gridLeft + g_moves[n - 1].x * m_cellWidth;
    const int cy = m_gridTop + g_moves[n - 1].y * m_cellHeight;
    const int ax = m_cellWidth / 3, ay = m_cellHeight / 3;
    DrawPixelLine(painter, {cx, cy - ay + 1}, {cx, cy + ay - 1}, pen);
    DrawPixelLine(painter, {cx - ax + 1, cy}, {cx + ax - 1, cy}, pen);
}

// Another thread only leaves its call in the queue: no toolkit call is made off the window's
// thread, and the mutex is the whole hand-over.
void CBoardView::Enqueue(const QueuedCall& call) {
    std::lock_guard lock(m_queueMutex);
    m_queue.push_back(call);
}

void CBoardView::ApplyQueuedDrawing() {
    std::vector<QueuedCall> calls;
    {
        std::lock_guard lock(m_queueMutex);
        calls.swap(m_queue);
    }
    for (const QueuedCall& call : calls)
        Apply(call);
}

void CBoardView::Apply(const QueuedCall& call) {
    switch (call.kind) {
        case QueuedCall::STONE:
            return DrawStoneNow(call.a, call.b, call.c);
        case QueuedCall::ERASE:
            return ErasePointNow(call.a, call.b);
        case QueuedCall::MARK:
            return DrawLastMoveMarkNow();
        case QueuedCall::TITLE:
            return UpdateTitleNow(call.a);
        case QueuedCall::CURSOR:
            return SetWaitCursorNow(call.a != 0);
    }
}

// On the window's thread every call first applies what other threads queued before it, so the
// board shows the calls in the order they were made.
void CBoardView::DrawStone(int x, int y, int colour) {
    if (!OnOwnThread()) return Enqueue({QueuedCall::STONE, x, y, colour});
    ApplyQueuedDrawing();
    DrawStoneNow(x, y, colour);
}

void CBoardView::ErasePoint(int x, int y) {
    if (!OnOwnThread()) return Enqueue({QueuedCall::ERASE, x, y});
    ApplyQueuedDrawing();
    ErasePointNow(x, y);
}

void CBoardView::DrawLastMoveMark() {
    if (!OnOwnThread()) return Enqueue({QueuedCall::MARK});
    ApplyQueuedDrawing();
    DrawLastMoveMarkNow();
}

void CBoardView::UpdateTitle(int score) {
    if (!OnOwnThread()) return Enqueue({QueuedCall::TITLE, score});
    ApplyQueuedDrawing();
    UpdateTitleNow(score);
}

void CBoardView::SetWaitCursor(bool on) {
    if (!OnOwnThread()) return Enqueue({QueuedCall::CURSOR, on ? 1 : 0});
    ApplyQueuedDrawing();
    SetWaitCursorNow(on);
}

void CBoardView::DrawStoneNow(int x, int y, int colour) {
    if (m_boardShown == 0 || m_image.isNull()) return;
    QPainter painter(&m_image);
    PaintStone(painter, x, y, colour);
    update();
}

void CBoardView::ErasePointNow(int x, int y) {
    if (m_image.isNull()) return;
    if (m_markedPoint == PointIndex(x, y)) m_markedPoint = -1;
    QPainter painter(&m_image);
    PaintErase(painter, x, y);
    update();
}

void CBoardView::DrawLastMoveMarkNow() {
    if (m_boardShown == 0 || m_image.isNull()) return;
    QPainter painter(&m_image);
    PaintLastMoveMark(painter);
    update();
}

void CBoardView::UpdateTitleNow(int score) {
    if (g_moveCount < 2) g_thinkMillis = 0;
    const std::string text = TitleText(score, {g_moveCount, g_level, g_titleColor, g_showInfo, g_thinkMillis},
                                       [](const char* marked) { return Tr(marked).toStdString(); });
    m_lastScore = score;
    window()->setWindowTitle(
        m_reviewing
            ? Tr(QT_TRANSLATE_NOOP("Renju", "Renju - Move %1 of %2")).arg(g_moveCount).arg(m_line.size())
            : QString::fromStdString(text));
}

void CBoardView::SetWaitCursorNow(bool on) {
    if (on == m_waitCursor) return;
    m_waitCursor = on;
    if (on) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

void ApplyQueuedDrawing() {
    if (s_view) s_view->ApplyQueuedDrawing();
}

void CBoardView::StopForClose() {
    m_closing = true;
    g_stopSearch.store(1, std::memory_order_relaxed);
}

void StopSearchIfClosing() {
    // The player clears the flag at each new search step; until the play flow has returned,
    // every wait sets it again.
    if (s_view && s_view->Closing()) g_stopSearch.store(1, std::memory_order_relaxed);
}
