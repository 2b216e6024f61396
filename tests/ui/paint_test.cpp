// The drawing primitives on a plain canvas, where every painted pixel can be seen.
#include "ui/paint.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr QRgb kCanvas = 0x123456;
const QColor kPen(255, 0, 0);
const QColor kBrush(0, 0, 255);

QImage Canvas(int w = 40, int h = 40) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(kCanvas));
    return image;
}

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xffffff;
}

std::set<std::pair<int, int>> Painted(const QImage& image) {
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) != kCanvas) pixels.insert({x, y});
    return pixels;
}

struct LineCase {
    QPoint from, to;
    std::vector<std::pair<int, int>> covered;
};

TEST(PixelLine, CoversTheStartAndNotTheEnd) {
    const std::vector<LineCase> cases = {
        {{2, 5}, {6, 5}, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        {{6, 5}, {2, 5}, {{6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        {{4, 1}, {4, 4}, {{4, 1}, {4, 2}, {4, 3}}},
        {{4, 4}, {4, 1}, {{4, 4}, {4, 3}, {4, 2}}},
        {{3, 3}, {3, 3}, {}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
    };
    for (const LineCase& c : cases) {
        QImage image = Canvas(10, 10);
        {
            QPainter painter(&image);
            DrawPixelLine(painter, c.from, c.to, kPen);
        }
        const std::set<std::pair<int, int>> expected(c.covered.begin(), c.covered.end());
        EXPECT_EQ(Painted(image), expected)
            << "line (" << c.from.x() << "," << c.from.y() << ") to (" << c.to.x() << "," << c.to.y() << ")";
    }
}

TEST(PixelRectangle, FillsItsBoxWithTheOutlineInside) {
    QImage image = Canvas(12, 12);
    {
        QPainter painter(&image);
        DrawPixelRectangle(painter, {2, 3, 7, 9}, kPen, kBrush);
    }
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inBox = x >= 2 && x <= 6 && y >= 3 && y <= 8;
            const bool onEdge = x == 2 || x == 6 || y == 3 || y == 8;
            const QRgb expected = !inBox ? kCanvas : onEdge ? kPen.rgb() & 0xffffff : kBrush.rgb() & 0xffffff;
            EXPECT_EQ(At(image, x, y), expected) << "at " << x << "," << y;
        }
    }
}

struct EllipseCase {
    PixelBox box;
    int penWidth;
};

// The figure reaches every side of its box and no further, is symmetric, has its outline as
// thick as the pen along the middle row, and its inside never touches the outside.
TEST(PixelEllipse, FillsExactlyItsBox) {
    const std::vector<EllipseCase> cases = {
        {{5, 5, 22, 22}, 1}, {{3, 8, 30, 25}, 1}, {{10, 2, 17, 30}, 1},
        {{4, 4, 12, 10}, 1}, {{6, 6, 11, 11}, 1}, {{6, 6, 13, 11}, 1},
        {{7, 7, 8, 8}, 1},   {{5, 5, 20, 20}, 3}, {{2, 10, 29, 25}, 3},
    };
    const QRgb pen = kPen.rgb() & 0xffffff, brush = kBrush.rgb() & 0xffffff;
    for (const EllipseCase& c : cases) {
        const PixelBox& b = c.box;
        SCOPED_TRACE(testing::Message() << "box " << b.left << "," << b.top << "," << b.right << ","
                                        << b.bottom << " pen " << c.penWidth);
        QImage image = Canvas();
        {
            QPainter painter(&image);
            DrawPixelEllipse(painter, b, kPen, c.penWidth, kBrush);
        }
        const auto painted = Painted(image);
        ASSERT_FALSE(painted.empty());
        int minX = 99, maxX = -1, minY = 99, maxY = -1;
        for (const auto& [x, y] : painted) {
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
            EXPECT_EQ(At(image, b.left + b.right - 1 - x, y), At(image, x, y))
                << "mirror of " << x << "," << y;
            EXPECT_EQ(At(image, x, b.top + b.bottom - 1 - y), At(image, x, y))
                << "mirror of " << x << "," << y;
            if (At(image, x, y) == brush) {
                for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}})
                    EXPECT_NE(At(image, nx, ny), kCanvas) << "inside open at " << x << "," << y;
            }
        }
        EXPECT_EQ(minX, b.left);
        EXPECT_EQ(maxX, b.right - 1);
        EXPECT_EQ(minY, b.top);
        EXPECT_EQ(maxY, b.bottom - 1);
        const int midY = (b.top + b.bottom - 1) / 2;
        if (b.right - b.left > 2 * c.penWidth) {
            for (int i = 0; i < c.penWidth; ++i)
                EXPECT_EQ(At(image, b.left + i, midY), pen) << "outline " << i;
            EXPECT_EQ(At(image, b.left + c.penWidth, midY), brush);
        }
    }
}

}  // namespace
