#include "engine/board.h"

#include <gtest/gtest.h>

#include "engine/patterns.h"
#include "engine/values.h"
#include "tests/support/engine_fixture.h"

using BoardTest = EngineTest;

TEST_F(BoardTest, ResetBuildsFrameAndClearsEverything) {
    EnginePush(3, 4);
    RecordPush(3, 4);
    ResetBoards();
    for (int row = 0; row < BOARD_STRIDE; ++row) {
        for (int col = 0; col < BOARD_STRIDE; ++col) {
            const bool frame = row < BOARD_PAD || col < BOARD_PAD || row >= BOARD_PAD + BOARD_SIZE ||
                               col >= BOARD_PAD + BOARD_SIZE;
            const int c = col + BOARD_STRIDE * row;
            EXPECT_EQ(g_board[c], frame ? CELL_BORDER : CELL_EMPTY) << "cell " << col << "," << row;
            EXPECT_EQ(g_gameBoard[c], CELL_EMPTY) << "cell " << col << "," << row;
        }
    }
    EXPECT_EQ(g_stackCount, 0);
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_EQ(CurrentValues(), ValueSnapshot{});
}

TEST_F(BoardTest, RestrictionFollowsMenuRuleAtNextReset) {
    struct Case {
        int rule;
        int restricted;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 1}}) {
        ResetWithRule(c.rule);
        EXPECT_EQ(g_gameRule, c.rule);
        EXPECT_EQ(g_restricted, c.restricted) << "rule " << c.rule;
        // A change in the menu waits for the next game.
        g_rule = 2 - c.rule;
        EXPECT_EQ(g_gameRule, c.rule);
        EXPECT_EQ(g_restricted, c.restricted);
    }
}

TEST_F(BoardTest, ColoursAlternateFromBlackOnBothStacks) {
    const MoveEntry moves[] = {{9, 9}, {0, 0}, {18, 18}, {0, 18}};
    for (int i = 0; i < 4; ++i) {
        RecordPush(moves[i].x, moves[i].y);
        EnginePush(moves[i].x, moves[i].y);
    }
    for (int i = 0; i < 4; ++i) {
        const uint8_t expected = i % 2 == 0 ? CELL_BLACK : CELL_WHITE;
        EXPECT_EQ(g_gameBoard[CellIndex(moves[i].x, moves[i].y)], expected);
        EXPECT_EQ(g_board[CellIndex(moves[i].x, moves[i].y)], expected);
        EXPECT_EQ(g_moves[i].x, moves[i].x);
        EXPECT_EQ(g_stack[i].y, moves[i].y);
    }
    EXPECT_EQ(g_moveCount, 4);
    EXPECT_EQ(g_stackCount, 4);

    RecordPop();
    EnginePop();
    EXPECT_EQ(g_gameBoard[CellIndex(0, 18)], CELL_EMPTY);
    EXPECT_EQ(g_board[CellIndex(0, 18)], CELL_EMPTY);
    // The next push takes the colour of its place in the stack again.
    RecordPush(5, 5);
    EnginePush(5, 5);
    EXPECT_EQ(g_gameBoard[CellIndex(5, 5)], CELL_WHITE);
    EXPECT_EQ(g_board[CellIndex(5, 5)], CELL_WHITE);
}

TEST_F(BoardTest, StacksAreIndependent) {
    RecordPush(4, 4);
    EXPECT_EQ(g_stackCount, 0);
    EXPECT_EQ(g_board[CellIndex(4, 4)], CELL_EMPTY);
    EnginePush(6, 6);
    EXPECT_EQ(g_moveCount, 1);
    EXPECT_EQ(g_gameBoard[CellIndex(6, 6)], CELL_EMPTY);
}

TEST_F(BoardTest, PopOnEmptyStacksChangesNothing) {
    const EngineSnapshot before = TakeEngineSnapshot();
    const std::vector<uint8_t> game(g_gameBoard, g_gameBoard + BOARD_CELLS);
    EnginePop();
    RecordPop();
    EXPECT_EQ(TakeEngineSnapshot(), before);
    EXPECT_EQ(std::vector<uint8_t>(g_gameBoard, g_gameBoard + BOARD_CELLS), game);
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_EQ(g_stackCount, 0);
}

// Line indices: the ten cells around the point, offset -5 in the top bits; border cells
// beyond the edge, never cells of another row.
TEST_F(BoardTest, LineIndexReadsTheTenCellsAroundThePoint) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int x, y, d;
        int32_t index;
    };
    const Case cases[] = {
        {"column 0, nothing to the right", {}, 0, 7, DIR_HORIZONTAL, 349184},
        {"column 0, Black stone at +1", {".X"}, 0, 0, DIR_HORIZONTAL, 349184 + 512},
        {"middle, Black at +1", {"..........X"}, 9, 0, DIR_HORIZONTAL, 512},
        {"middle, Black at +1..+4", {"..........XXXX"}, 9, 0, DIR_HORIZONTAL, 680},
        {"column 18 reads border to its right", {}, 18, 3, DIR_HORIZONTAL, 0x155},
        {"vertical, White above",
         {".", "O", "."},
         0,
         2,
         DIR_VERTICAL,
         (1 << 18) | (1 << 16) | (1 << 14) | (3 << 10)},
        // The anti-diagonal starts at the upper right: (x+5, y-5) is offset -5.
        {"anti-diagonal, Black up-right",
         {"......X", ".....", "....."},
         5,
         1,
         DIR_ANTIDIAGONAL,
         (1 << 18) | (1 << 16) | (1 << 14) | (1 << 12) | (2 << 10)},
        {"diagonal, White down-right",
         {".....", "......", ".......O"},
         6,
         1,
         DIR_DIAGONAL,
         (1 << 18) | (1 << 16) | (1 << 14) | (1 << 12) | (3 << 8)},
    };
    for (const Case& c : cases) {
        ResetBoards();
        SetPosition(c.rows);
        EXPECT_EQ(LineIndex(c.x, c.y, c.d), c.index) << c.name;
    }
}
