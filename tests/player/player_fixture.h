// Fixture for the computer player's tests: engine and player state reset before each test.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "player/display.h"
#include "tests/support/engine_fixture.h"

class PlayerTest : public EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Records what the player draws, in order.
struct DisplayRecorder : BoardDisplay {
    struct Call {
        std::string what;  // "stone", "erase", "mark", "title", "cursor"
        int x = 0, y = 0, value = 0;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    void DrawStone(int x, int y, int colour) override { calls.push_back({"stone", x, y, colour}); }
    void ErasePoint(int x, int y) override { calls.push_back({"erase", x, y, 0}); }
    void DrawLastMoveMark() override { calls.push_back({"mark"}); }
    void UpdateTitle(int score) override { calls.push_back({"title", 0, 0, score}); }
    void SetWaitCursor(bool on) override { calls.push_back({"cursor", 0, 0, on ? 1 : 0}); }
};
