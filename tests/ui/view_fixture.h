// Shared fixture and helpers for the window tests.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <initializer_list>
#include <utility>

#include "ui/board_view.h"

// Loads the generated tables once and resets the boards and every setting before each test.
class ViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    // Resets the boards under the given menu rule (0 basic, 1 Japanese, 2 international).
    static void ResetWithRule(int rule);
};

// Puts the moves on both stacks, Black first.
void Play(std::initializer_list<std::pair<int, int>> moves);

// A view of the given client size with its board painted.
void PaintAt(CBoardView& view, int width, int height);

// Pixel centre of grid point (x, y) in the view's last geometry.
QPoint Centre(const CBoardView& view, int x, int y);

// The colour at (x, y) of the view's backing image, without alpha.
QRgb PixelAt(const CBoardView& view, int x, int y);
QRgb PixelAt(const CBoardView& view, QPoint p);

constexpr QRgb kBlackRgb = 0x000000;
constexpr QRgb kWhiteRgb = 0xffffff;
constexpr QRgb kBoardRgb = CBoardView::BOARD_COLOR & 0xffffff;
