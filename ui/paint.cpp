#include "ui/paint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Columns [first, last) of row y that lie inside the ellipse inscribed in the box: a pixel
// belongs to it when its centre does. The figures are symmetric, so are the spans.
std::pair<int, int> EllipseSpan(const PixelBox& box, int y) {
    const double a = (box.right - box.left) / 2.0;
    const double b = (box.bottom - box.top) / 2.0;
    if (a <= 0 || b <= 0) return {0, 0};
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    const double t = (y + 0.5 - cy) / b;
    if (t * t > 1.0) return {0, 0};
    // A small tolerance keeps centres that lie exactly on the curve inside.
    const double half = a * std::sqrt(1.0 - t * t) + 1e-9;
    const int first = static_cast<int>(std::ceil(cx - half - 0.5));
    const int last = static_cast<int>(std::floor(cx + half - 0.5));
    return {first, last + 1};
}

// How much of pixel (x, y) the ellipse inscribed in the box covers, 0 .. 16 of 4 x 4 samples.
// The samples lie symmetrically in the pixel, so mirrored pixels get the same share.
int CoveredSamples(const PixelBox& box, int x, int y) {
    const double a = (box.right - box.left) / 2.0;
    const double b = (box.bottom - box.top) / 2.0;
    if (a <= 0 || b <= 0) return 0;
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    int inside = 0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const double u = (x + (i + 0.5) / 4 - cx) / a, v = (y + (j + 0.5) / 4 - cy) / b;
            if (u * u + v * v <= 1.0) ++inside;
        }
    }
    return inside;
}

void FillSpan(QPainter& painter, int y, int first, int end, const QColor& colour) {
    if (end > first) painter.fillRect(first, y, end - first, 1, colour);
}

}  // namespace

void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& pen) {
    if (from.y() == to.y()) {
        // Leftwards lines also start at `from` and leave out `to`.
        const int first = from.x() <= to.x() ? from.x() : to.x() + 1;
        FillSpan(painter, from.y(), first, first + std::abs(to.x() - from.x()), pen);
        return;
    }
    if (from.x() == to.x()) {
        const int first = from.y() <= to.y() ? from.y() : to.y() + 1;
        const int count = std::abs(to.y() - from.y());
        painter.fillRect(from.x(), first, 1, count, pen);
        return;
    }
    // Bresenham for any other direction, the end point left out.
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1, sy = y < to.y() ? 1 : -1;
    int err = dx + dy;
    while (x != to.x() || y != to.y()) {
        painter.fillRect(x, y, 1, 1, pen);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void FillPixelBox(QPainter& painter, const PixelBox& box, const QColor& colour) {
    if (box.right > box.left && box.bottom > box.top)
        painter.fillRect(box.left, box.top, box.right - box.left, box.bottom - box.top, colour);
}

void DrawPixelRectangle(QPainter& painter, const PixelBox& box, const QColor& pen, const QColor& brush) {
    FillPixelBox(painter, box, pen);
    FillPixelBox(painter, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, brush);
}

namespace {

void FillPixelEllipse(QPainter& painter, const PixelBox& box, const QColor& pen, int penWidth,
                      const QColor& brush) {
    // The inside is what stays after taking off every pixel within penWidth steps (up, down,
    // left, right) of the outside, so the outline is closed and penWidth thick across the
    // middle at any shape, also where the curve is steep.
    for (int y = box.top; y < box.bottom; ++y) {
        const auto [first, end] = EllipseSpan(box, y);
        FillSpan(painter, y, first, end, pen);
        // The pixels of the box that the curve only grazes take the outline's colour in
        // proportion, so that the edge is smooth and still stays inside the box.
        for (int x = box.left; x < box.right; ++x) {
            if (x >= first && x < end) continue;
            if (const int samples = CoveredSamples(box, x, y); samples > 0) {
                QColor soft = pen;
                soft.setAlpha(samples * 255 / 16);
                painter.fillRect(x, y, 1, 1, soft);
            }
        }
        int innerFirst = first, innerEnd = end;
        for (int dy = -penWidth; dy <= penWidth; ++dy) {
            const int reach = penWidth - std::abs(dy);
            const auto [f, e] =
                y + dy >= box.top && y + dy < box.bottom ? EllipseSpan(box, y + dy) : std::pair{0, 0};
            if (e <= f) {
                innerEnd = innerFirst;
                break;
            }
            innerFirst = std::max(innerFirst, f + reach);
            innerEnd = std::min(innerEnd, e - reach);
        }
        FillSpan(painter, y, innerFirst, innerEnd, brush);
    }
}

}  // namespace

void DrawPixelEllipse(QPainter& painter, const PixelBox& box, const QColor& pen, int penWidth,
                      const QColor& brush) {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    if (ratio == 1.0) return FillPixelEllipse(painter, box, pen, penWidth, brush);
    // On a scaled screen the curve is worked out in the screen's own pixels, so that it is as
    // fine as the screen; the box and the pen still count in logical pixels.
    const auto scaled = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    FillPixelEllipse(painter, {scaled(box.left), scaled(box.top), scaled(box.right), scaled(box.bottom)}, pen,
                     std::max(1, scaled(penWidth)), brush);
    painter.restore();
}
