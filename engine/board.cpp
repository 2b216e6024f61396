#include "engine/board.h"

#include <cstring>

#include "engine/values.h"

uint8_t g_board[BOARD_CELLS];
int32_t g_stackCount;
MoveEntry g_stack[POINT_COUNT];

uint8_t g_gameBoard[BOARD_CELLS];
int32_t g_moveCount;
MoveEntry g_moves[POINT_COUNT];

int32_t g_rule = 0;
int32_t g_gameRule = 0;
int32_t g_restricted = 0;

void RecordPush(int x, int y) {
    g_moves[g_moveCount] = {x, y};
    g_gameBoard[CellIndex(x, y)] = StoneOfMove(g_moveCount);
    ++g_moveCount;
}

void RecordPop() {
    if (g_moveCount <= 0) return;
    --g_moveCount;
    const MoveEntry m = g_moves[g_moveCount];
    g_gameBoard[CellIndex(m.x, m.y)] = CELL_EMPTY;
}

void EnginePush(int x, int y) {
    g_stack[g_stackCount] = {x, y};
    g_board[CellIndex(x, y)] = StoneOfMove(g_stackCount);
    // The count goes up only after the re-evaluation, which sees the new stone on the board.
    UpdateValuesAround(x, y);
    ++g_stackCount;
}

void EnginePop() {
    if (g_stackCount <= 0) return;
    --g_stackCount;
    const MoveEntry m = g_stack[g_stackCount];
    g_board[CellIndex(m.x, m.y)] = CELL_EMPTY;
    UpdateValuesAround(m.x, m.y);
}

void ResetBoards() {
    std::memset(g_board, 0, sizeof g_board);
    std::memset(g_gameBoard, 0, sizeof g_gameBoard);
    ClearValues();
    for (int i = 0; i < BOARD_PAD; ++i) {
        for (int j = 0; j < BOARD_STRIDE; ++j) {
            g_board[j + BOARD_STRIDE * i] = CELL_BORDER;
            g_board[i + BOARD_STRIDE * j] = CELL_BORDER;
            g_board[j + BOARD_STRIDE * (BOARD_STRIDE - 1 - i)] = CELL_BORDER;
            g_board[(BOARD_STRIDE - 1 - i) + BOARD_STRIDE * j] = CELL_BORDER;
        }
    }
    g_stackCount = 0;
    g_moveCount = 0;
    g_gameRule = g_rule;
    g_restricted = (g_rule + 1) >> 1;
    RebuildKeptState();
}
