// The move choice without look-ahead, used by the level Naive.
#pragma once

#include <cstdint>

constexpr int QUICK_KEEP = 8;  // the pick is among at most this many near-best points

// Writes the chosen empty point and returns its ordering value; (-1, -1) on a full board.
int32_t ChooseQuickMove(int32_t* x, int32_t* y);
