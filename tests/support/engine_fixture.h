// Shared fixtures and helpers for the engine tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/board.h"

// Loads the generated tables once and resets every piece of engine state before each test.
class EngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    // Resets the boards under the given menu rule (0 basic, 1 Japanese, 2 international).
    static void ResetWithRule(int rule);
};

// A board diagram: rows of 'X' (Black), 'O' (White) and '.', top row first, placed with its
// upper-left corner at (left, top). Stones are written straight onto both boards (no stack),
// then every value is recomputed, so any position can be set up regardless of move order.
void SetPosition(const std::vector<std::string>& rows, int left = 0, int top = 0);

// Plays the moves on both stacks, alternately Black and White: "x,y x,y ...".
void PlayMoves(const std::string& moves);

// Plays a diagram's stones on both stacks, Black and White alternately (the order within a
// colour is row by row), so that the stacks, counts and values are those of a real game. The
// diagram must hold as many 'X' as 'O', or one more.
void PlayDiagram(const std::vector<std::string>& rows, int left = 0, int top = 0);

// The point marked '*' in a diagram placed at (left, top).
std::pair<int, int> MarkedPoint(const std::vector<std::string>& rows, int left, int top);

// Recomputes every line value and point value of the engine board from scratch.
struct ValueSnapshot {
    int32_t blackLine[POINT_COUNT][4];
    int32_t whiteLine[POINT_COUNT][4];
    int32_t blackValue[POINT_COUNT];
    int32_t whiteValue[POINT_COUNT];
    bool operator==(const ValueSnapshot&) const = default;
};
ValueSnapshot RecomputedValues();
ValueSnapshot CurrentValues();
void StoreValues(const ValueSnapshot& v);

// The whole engine-side state, for exact before/after comparisons.
struct EngineSnapshot {
    std::vector<uint8_t> board;
    std::vector<int32_t> stack;
    int32_t stackCount;
    ValueSnapshot values;
    bool operator==(const EngineSnapshot&) const = default;
};
EngineSnapshot TakeEngineSnapshot();
