// The protocol session in-process: what a child process cannot show.
#include "tools/pbrain/session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/board.h"
#include "player/strong/search.h"
#include "tests/support/engine_fixture.h"

namespace {

class SessionTest : public EngineTest {
protected:
    std::vector<std::string> lines;
    pbrain::Session session{[this](const std::string& line) { lines.push_back(line); }};
    void Send(const std::string& text) { session.Feed(text); }
};

// The first empty point of the engine board, row by row: a choice the test can predict.
MoveEntry FirstEmpty(int64_t) {
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
        int64_t budget;
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
        // The protocol's largest numbers, and time left far overdrawn.
        {"INFO timeout_turn 9223372036854775807\n", 9223372036854775807},
        {"INFO timeout_match 1\nINFO time_left 9223372036854775807\n", 922337203685477580},
        {"INFO time_left -9223372036854775808\n", 0},
        {"INFO timeout_match 0\n", 9223372036854775807},
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
    session.SetMoveChooser([&](int64_t) {
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
        session.SetMoveChooser([bad](int64_t) { return bad; });
        Send("START 10\nTURN 0,0\n");
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1].rfind("DEBUG", 0), 0u);
        EXPECT_EQ(lines[2], "1,0") << bad.x << "," << bad.y;
    }
}

// Lines may end in CR, LF or CR LF, mixed in one session, and a CR LF split between two reads is
// still one line end.
TEST_F(SessionTest, EveryKindOfLineEndEndsALine) {
    session.SetMoveChooser(FirstEmpty);
    for (const char* piece : {"START 10\r", "TURN 5,5\r\n", "TURN 6,6\r", "\n", "TURN 7,7\n", "ABOUT\r"})
        Send(piece);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "OK");
    EXPECT_EQ(lines[1], "0,0");
    EXPECT_EQ(lines[2], "1,0");
    EXPECT_EQ(lines[3], "2,0");
    EXPECT_EQ(lines[4].rfind("name=", 0), 0u) << lines[4];
    Send("END\r");
    EXPECT_TRUE(session.Finished());
}

// Dropped input is reported once, and the start of the line it cut is not executed (the reader
// drops the rest up to the line end). Inside BOARD the drop spoils the block, reported at DONE.
TEST_F(SessionTest, DroppedInputIsReportedOnceAndCutsNoCommand) {
    session.SetMoveChooser(FirstEmpty);
    Send("START 10\nTURN 5,");
    session.InputDropped(1000);
    Send("ABOUT\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "OK");
    EXPECT_EQ(lines[1],
              "ERROR input dropped: more than 1000 bytes were waiting to be handled; send less "
              "while the engine thinks");
    EXPECT_EQ(lines[2].rfind("name=", 0), 0u) << lines[2];
    lines.clear();
    Send("BOARD\n1,1,1\n");
    session.InputDropped(1000);
    Send("2,2,2\nDONE\nTURN 5,5\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("ERROR BOARD input dropped", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], "0,0") << "the board before the block, with no stone of it";
}

// A number beyond 64 bits is named too large (or too small), not called malformed.
TEST_F(SessionTest, NumbersBeyondRangeAreCalledTooLarge) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"INFO max_memory 99999999999999999999", "ERROR INFO MAX_MEMORY 99999999999999999999 is too large"},
        {"INFO timeout_turn 99999999999999999999",
         "ERROR INFO TIMEOUT_TURN 99999999999999999999 is too large"},
        {"INFO time_left -99999999999999999999", "ERROR INFO TIME_LEFT -99999999999999999999 is too small"},
        {"START 99999999999999999999", "ERROR board size 99999999999999999999 is too large: 5 to 19 only"},
        {"TURN 99999999999999999999,1", "ERROR TURN 99999999999999999999 is too large"},
        {"TAKEBACK 1,-99999999999999999999", "ERROR TAKEBACK -99999999999999999999 is too small"},
        {"INFO max_memory 9x", "ERROR INFO MAX_MEMORY needs a whole number, got '9x'"},
        {"START 99999999999999999999x", "ERROR START needs a board size, got '99999999999999999999x'"},
    };
    session.SetMoveChooser(FirstEmpty);
    Send("START 10\n");
    for (const Case& c : cases) {
        lines.clear();
        Send(std::string(c.line) + "\n");
        EXPECT_EQ(lines, std::vector<std::string>{c.error}) << c.line;
    }
    lines.clear();
    Send("BOARD\n1,99999999999999999999,1\nDONE\n");
    EXPECT_EQ(lines, std::vector<std::string>{"ERROR BOARD line '1,99999999999999999999,1': "
                                              "99999999999999999999 is too large; board unchanged"});
}

// The tournament player under extreme time settings: always a legal move, and where the time
// allows, a search that went past its first depth. The node limit keeps each move short.
TEST_F(SessionTest, ExtremeTimeLimitsStillGiveASearchedMove) {
    constexpr int64_t NODES = 20000;
    struct Case {
        const char* info;
        bool deep;  // the time allows more than one depth
    };
    const Case cases[] = {
        {"INFO timeout_turn 0\n", false},
        {"INFO timeout_turn 1\n", false},
        {"INFO timeout_turn 2147483647\n", true},
        {"INFO timeout_turn 2147483648\n", true},
        {"INFO timeout_turn 9223372036854775807\n", true},
        {"INFO timeout_match 9223372036854775807\nINFO time_left 9223372036854775807\n", true},
        {"INFO timeout_turn 9223372036854775807\nINFO timeout_match 1\nINFO time_left 2147483647\n", true},
        {"INFO timeout_match 9223372036854775807\nINFO time_left 0\n", false},
        {"INFO timeout_match 9223372036854775807\nINFO time_left -9223372036854775808\n", false},
        {"INFO timeout_match 1\nINFO time_left 1\n", false},
        {"INFO time_left 9223372036854775807\n", true},  // no match limit: the turn's 30 s
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.info);
        lines.clear();
        std::vector<strong::ThinkResult> results;
        pbrain::Session fresh([&](const std::string& line) { lines.push_back(line); });
        fresh.SetMoveChooser([&](int64_t budget) {
            strong::ThinkResult r;
            const MoveEntry m = pbrain::ThinkStrong(budget, NODES, &r);
            results.push_back(r);
            return m;
        });
        fresh.Feed(std::string("START 15\n") + c.info + "BOARD\n7,7,2\n8,8,1\n6,8,2\nDONE\n");
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "OK");
        ASSERT_EQ(results.size(), 1u);
        const std::string own = std::to_string(results[0].point % BOARD_SIZE) + "," +
                                std::to_string(results[0].point / BOARD_SIZE);
        EXPECT_EQ(lines[1], own) << "the search's own move, not a fallback";
        EXPECT_TRUE(lines[1] != "7,7" && lines[1] != "8,8" && lines[1] != "6,8");
        if (c.deep) {
            EXPECT_GT(results[0].depth, 1) << results[0].reason;
        }
        EXPECT_LE(results[0].nodes, NODES);
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
