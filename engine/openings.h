// The 26 standard openings of the international rule: Black 1 on the centre, White 2 directly
// above it (0 .. 12) or diagonally above and to the right (13 .. 25), Black 3 within two points
// of Black 1. The index is the opening's number everywhere: table, names, dialog.
#pragma once

#include "engine/board.h"

constexpr int OPENING_COUNT = 26;

// Black, White, Black as (column, row), row 0 at the top.
extern const MoveEntry g_openings[OPENING_COUNT][3];
// The names shown to the player (UTF-8).
extern const char* const g_openingNames[OPENING_COUNT];
