// Drawing primitives with the board's pixel conventions, which differ by a pixel from Qt's own
// line, rectangle and ellipse calls: a line from A to B covers A and not B; a box (left, top,
// right, bottom) covers columns left .. right - 1 and rows top .. bottom - 1, and the outline
// of a figure lies inside its box. An ellipse's edge is smoothed inside its box.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPoint>

struct PixelBox {
    int left;
    int top;
    int right;
    int bottom;
};

void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& pen);
void FillPixelBox(QPainter& painter, const PixelBox& box, const QColor& colour);
// A rectangle with a one-pixel outline of `pen`, filled with `brush`.
void DrawPixelRectangle(QPainter& painter, const PixelBox& box, const QColor& pen, const QColor& brush);
// An ellipse inscribed in the box: an outline `penWidth` pixels thick, filled with `brush`.
void DrawPixelEllipse(QPainter& painter, const PixelBox& box, const QColor& pen, int penWidth,
                      const QColor& brush);
