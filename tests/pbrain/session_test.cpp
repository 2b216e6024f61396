// The protocol session in-process: what a child process cannot show.
#include "tools/pbrain/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/board.h"
#include "tests/support/engine_fixture.h"

namespace {

class SessionTest : public EngineTest {
protected:
    std::vector<std::string> lines;
    pbrain::Session session{[this](const std::string& line) { lines.push_back(line); }};
    void Send(const std::string& text) { session.Feed(text); }
};

// The first empty point of the engine board, row by row: a choice the test can predict.
MoveEntry FirstEmpty(int32_t) {
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (g_board[CellIndex(p % BOARD_SIZE, p / BOARD_SIZE)] == CELL_EMPTY)
            return {p % BOARD_SIZE, p / BOARD_SIZE};
    }
    return {-1, -1};
}

}  // namespace

TEST_F(SessionTest, TurnBudgetFollowsTheTimeSettings) {
    struct Case {
        const char* info;
        int32_t budget;
    };
    const Case cases[] = {
        {"", 30000},  // the default per turn
        {"INFO timeout_turn 5000\n", 5000},
        {"INFO time_left 20000\n", 5000},  // no match limit: the time left does not count
        {"INFO timeout_match 100000\nINFO time_left 20000\n", 2000},
        {"INFO time_left 50000\n", 5000},
        {"INFO time_left -300\n", 0},  // overdrawn
        {"INFO timeout_match 0\n", 5000},
        {"INFO timeout_turn 0\n", 0},
    };
    for (const Case& c : cases) {  // each case adds to the settings before it
        Send(c.info);
        EXPECT_EQ(session.TurnBudgetMillis(), c.budget) << c.info;
    }
    EXPECT_TRUE(lines.empty());
}

// Bytes split anywhere, and line ends of either kind, give the same answers as whole lines.
TEST_F(SessionTest, LinesMayArriveInPieces) {
    int calls = 0;
    session.SetMoveChooser([&](int32_t) {
        ++calls;
        // The opponent's stone is on the engine board, and it is the engine's turn.
        EXPECT_EQ(g_board[CellIndex(0, 0)], CELL_BLACK);
        EXPECT_EQ(g_stackCount, 1);
        return FirstEmpty(0);
    });
    for (const char c : std::string("START 10\r\nTURN 0,0\nEND\nTURN 5,5\n"))
        Send(std::string(1, c));
    EXPECT_EQ(lines, (std::vector<std::string>{"OK", "1,0"}));
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(session.Finished()) << "END ends the session; what follows is ignored";
}

// A move choice that gives no usable point still yields a move on an empty point of the board.
TEST_F(SessionTest, UnusableChoiceFallsBackToAnEmptyPoint) {
    for (const MoveEntry bad : {MoveEntry{-1, -1}, MoveEntry{0, 0}, MoveEntry{12, 3}}) {
        lines.clear();
        session.SetMoveChooser([bad](int32_t) { return bad; });
        Send("START 10\nTURN 0,0\n");
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1].rfind("DEBUG", 0), 0u);
        EXPECT_EQ(lines[2], "1,0") << bad.x << "," << bad.y;
    }
}

TEST_F(SessionTest, MissingTablesRefuseTheGame) {
    std::vector<std::string> out;
    pbrain::Session broken([&](const std::string& line) { out.push_back(line); }, "black.dat not found");
    broken.Feed("START 15\nBEGIN\n");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], "ERROR pattern tables not loaded: black.dat not found");
    EXPECT_EQ(out[1].rfind("ERROR", 0), 0u) << "no board was started";
}

// The input reader stops the engine on exactly the lines that end the session.
class EndLineTest : public EngineTest {};

TEST_F(EndLineTest, EndLinesAreTheLinesThatEndTheSession) {
    struct Case {
        const char* before;  // sent first, to put the session in a state
        const char* line;
    };
    const Case cases[] = {
        {"", "END"},
        {"", "end"},
        {"", " \tEnD \r"},
        {"", "END now"},
        {"", "ENDS"},
        {"", "EN D"},
        {"", "#END"},
        {"START 10\nBOARD\n1,1,1\n", "END"},
        {"START 10\nBOARD\n", "DONE"},
        {"", ""},
    };
    for (const Case& c : cases) {
        pbrain::Session fresh([](const std::string&) {});
        fresh.Feed(c.before);
        ASSERT_FALSE(fresh.Finished());
        fresh.Feed(std::string(c.line) + "\n");
        EXPECT_EQ(pbrain::IsEndLine(c.line), fresh.Finished())
            << "'" << c.line << "' after '" << c.before << "'";
    }
}
