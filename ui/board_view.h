// The board window: draws the board, the stones of the game record, the last-move cross and
// the fifth-move rings, scaled to its size, and writes the status into the frame's title.
//
// Drawing goes into a backing image the size of the window, because the computer player draws
// between paints (its thinking display); a paint event shows that image and redraws it fully
// only after a resize or an Invalidate().
#pragma once

#include <QImage>
#include <QWidget>

#include "player/display.h"

struct BoardGeometry {
    int left;        // x pixel of column 0
    int top;         // y pixel of row 0
    int right;       // x pixel of column 18
    int bottom;      // y pixel of row 18
    int cellWidth;   // dx
    int cellHeight;  // dy
};

class CBoardView : public QWidget, public BoardDisplay {
    Q_OBJECT

public:
    static constexpr QRgb BOARD_COLOR = 0xffc08000;  // red 192, green 128, blue 0
    static constexpr int MIN_CLIENT = 200;           // smaller windows show no board

    explicit CBoardView(QWidget* parent = nullptr);
    ~CBoardView() override;

    // BoardDisplay. Safe from any thread: calls from another thread are queued to the window's
    // thread in the order they were made.
    void DrawStone(int x, int y, int colour) override;
    void ErasePoint(int x, int y) override;
    void DrawLastMoveMark() override;
    void UpdateTitle(int score) override;
    void SetWaitCursor(bool on) override;

    // Redraws everything into the backing image: grid, stones, cross, proposal rings, title.
    void OnPaint();
    // Makes the next paint event a full repaint.
    void Invalidate();

    const QImage& Image() const { return m_image; }
    BoardGeometry Geometry() const;
    bool BoardShown() const { return m_boardShown != 0; }
    int HumanFirst() const { return m_humanFirst; }
    int LastScore() const { return m_lastScore; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool OnOwnThread() const;
    void DrawGrid(QPainter& painter);
    void PaintStone(QPainter& painter, int x, int y, int colour);
    void PaintErase(QPainter& painter, int x, int y);
    void PaintLastMoveMark(QPainter& painter);
    void PaintPoint(int point, int colour, QPainter& painter);

    int m_gridLeft = 0;
    int m_gridTop = 0;
    int m_gridRight = 0;
    int m_gridBottom = 0;
    int m_cellHeight = 0;
    int m_cellWidth = 0;
    int m_boardShown = 0;
    int m_humanFirst = 1;
    int m_lastScore = 0;

    QImage m_image;
    bool m_needsFullPaint = true;
    bool m_waitCursor = false;
};
