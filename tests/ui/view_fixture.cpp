#include "tests/ui/view_fixture.h"

#include "engine/patterns.h"
#include "player/game_state.h"

void ViewTest::SetUpTestSuite() {
    static const bool loaded = LoadPatternTables(RENJU_TABLE_DIR).ok;
    ASSERT_TRUE(loaded) << "pattern tables not found in " RENJU_TABLE_DIR;
}

void ViewTest::SetUp() {
    ResetGameState();
    ResetWithRule(0);
}

void ViewTest::ResetWithRule(int rule) {
    g_rule = rule;
    ResetBoards();
}

void Play(std::initializer_list<std::pair<int, int>> moves) {
    for (const auto& [x, y] : moves) {
        RecordPush(x, y);
        EnginePush(x, y);
    }
}

void PaintAt(CBoardView& view, int width, int height) {
    view.resize(width, height);
    view.OnPaint();
}

QPoint Centre(const CBoardView& view, int x, int y) {
    const BoardGeometry g = view.Geometry();
    return {g.left + x * g.cellWidth, g.top + y * g.cellHeight};
}

QRgb PixelAt(const CBoardView& view, int x, int y) {
    return view.Image().pixel(x, y) & 0xffffff;
}

QRgb PixelAt(const CBoardView& view, QPoint p) {
    return PixelAt(view, p.x(), p.y());
}
