// The padded board, coordinates and the two move stacks (game record and engine).
#pragma once

#include <cstdint>

constexpr int BOARD_SIZE = 19;    // points per side
constexpr int BOARD_PAD = 5;      // border cells on each side: as far as a line index reads
constexpr int BOARD_STRIDE = 29;  // cells per padded row
constexpr int BOARD_CELLS = 841;  // 29 x 29
constexpr int POINT_COUNT = 361;  // 19 x 19, also the capacity of each stack

// One byte per cell; the values fit in two bits, which the line index relies on.
enum CellCode : uint8_t {
    CELL_EMPTY = 0,
    CELL_BORDER = 1,
    CELL_BLACK = 2,
    CELL_WHITE = 3,
};

struct MoveEntry {
    int32_t x;
    int32_t y;
};

constexpr int PointIndex(int x, int y) {
    return x + BOARD_SIZE * y;
}
constexpr int CellIndex(int x, int y) {
    return (x + BOARD_PAD) + BOARD_STRIDE * (y + BOARD_PAD);
}
constexpr bool OnBoard(int x, int y) {
    return x >= 0 && x < BOARD_SIZE && y >= 0 && y < BOARD_SIZE;
}
// Colour of the move with zero-based number n: Black first.
constexpr uint8_t StoneOfMove(int n) {
    return static_cast<uint8_t>(CELL_BLACK + (n & 1));
}

// Engine board: the position being evaluated, with a frame of CELL_BORDER.
extern uint8_t g_board[BOARD_CELLS];
extern int32_t g_stackCount;
extern MoveEntry g_stack[POINT_COUNT];

// Game record: the game as played. Only its playing cells are used; the frame stays 0.
extern uint8_t g_gameBoard[BOARD_CELLS];
extern int32_t g_moveCount;
extern MoveEntry g_moves[POINT_COUNT];

// Rule chosen in the menu (0 basic, 1 Japanese, 2 international), the rule of the current
// game, and whether Black plays under restrictions in it. The last two change only in
// ResetBoards, so a new rule takes effect at the next game.
extern int32_t g_rule;
extern int32_t g_gameRule;
extern int32_t g_restricted;

// Callers push only empty points; the pushes do not check.
void RecordPush(int x, int y);
void RecordPop();
void EnginePush(int x, int y);
void EnginePop();
void ResetBoards();
