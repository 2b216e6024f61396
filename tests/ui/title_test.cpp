#include "ui/title.h"

#include <QMainWindow>
#include <string>
#include <vector>

#include "engine/board.h"
#include "player/game_state.h"
#include "tests/ui/view_fixture.h"

namespace {

struct TitleCase {
    int32_t showInfo, titleColor, moveCount, thinkMillis, score, level;
    std::string title;
};

TEST(TitleText, StatusLines) {
    const std::vector<TitleCase> cases = {
        // showInfo, human's colour (1 Black), moves, ms, score, level
        {0, 1, 12, 345, -50, 1, "Renju - Move 12, Time 0.34"},
        {0, 0, 12, 345, 9000, 3, "Renju - Move 12, Time 0.34"},
        {1, 1, 12, 345, -50, 1, "Renju - BlackAdvantage 9, Move 12, Time 0.34"},
        {1, 1, 12, 345, -41, 1, "Renju - BlackAdvantage 0, Move 12, Time 0.34"},
        {1, 0, 12, 345, -40, 1, "Renju - WhiteBehined 1, Move 12, Time 0.34"},
        {1, 0, 1, 345, 500, 1, "Renju - quick response, Move 1, Time 0.00"},
        // At most 2 moves the judgement is "quick response" whatever the score; below 2 the time is 0.
        {1, 1, 2, 2345, 8128, 1, "Renju - quick response, Move 2, Time 2.34"},
        {1, 1, 0, 2345, -50, 1, "Renju - quick response, Move 0, Time 0.00"},
        {0, 1, 1, 2345, -50, 1, "Renju - Move 1, Time 0.00"},
        // Bounds of the forced results.
        {1, 1, 12, 345, 8128, 1, "Renju - Blackwill lose, Move 12, Time 0.34"},
        {1, 1, 12, 345, 8127, 1, "Renju - BlackBehined 8168, Move 12, Time 0.34"},
        {1, 0, 12, 345, -88888888, 1, "Renju - Whitewill win, Move 12, Time 0.34"},
        {1, 0, 12, 345, -88888887, 1, "Renju - WhiteAdvantage 88888846, Move 12, Time 0.34"},
        // No search behind the move: the Naive level, or a quick answer.
        {1, 1, 12, 345, -50, 0, "Renju - quick response, Move 12, Time 0.34"},
        {1, 1, 12, 345, -11111, 5, "Renju - quick response, Move 12, Time 0.34"},
        // Hundredths are truncated.
        {0, 1, 40, 12999, 0, 1, "Renju - Move 40, Time 12.99"},
        {0, 1, 40, 9, 0, 1, "Renju - Move 40, Time 0.00"},
        {0, 1, 40, 60010, 0, 1, "Renju - Move 40, Time 60.01"},
    };
    for (const TitleCase& c : cases) {
        const TitleInputs in{c.moveCount, c.level, c.titleColor, c.showInfo, c.thinkMillis};
        EXPECT_EQ(TitleText(c.score, in), c.title);
    }
}

using UpdateTitleTest = ViewTest;

TEST_F(UpdateTitleTest, WritesTheFrameTitleAndRemembersTheScoreForPaints) {
    QMainWindow frame;
    auto* view = new CBoardView(&frame);
    frame.setCentralWidget(view);
    Play({{9, 9}, {9, 10}, {10, 10}, {8, 8}});
    g_showInfo = 1;
    g_thinkMillis = 1234;
    view->UpdateTitle(-50);
    EXPECT_EQ(frame.windowTitle(), "Renju - BlackAdvantage 9, Move 4, Time 1.23");
    EXPECT_EQ(view->LastScore(), -50);

    g_thinkMillis = 5678;
    view->resize(300, 300);
    view->OnPaint();
    EXPECT_EQ(frame.windowTitle(), "Renju - BlackAdvantage 9, Move 4, Time 5.67");
}

TEST_F(UpdateTitleTest, ClearsTheThinkingTimeBeforeTheSecondMove) {
    CBoardView view;
    Play({{9, 9}});
    g_thinkMillis = 4321;
    view.UpdateTitle(0);
    EXPECT_EQ(g_thinkMillis, 0);
    EXPECT_EQ(view.windowTitle(), "Renju - Move 1, Time 0.00");
    Play({{9, 10}});
    g_thinkMillis = 4321;
    view.UpdateTitle(0);
    EXPECT_EQ(g_thinkMillis, 4321);
}

}  // namespace
