// The end of a game: the forbidden-move loss, the human's and the computer's five, the full
// board, with their messages and counters.
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/values.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "tests/support/engine_fixture.h"
#include "tests/ui/play_fixture.h"

namespace {

using GameEndTest = PlayTest;

enum class Outcome { FORBIDDEN_LOSS, PLAY_GOES_ON, HUMAN_WINS };

struct RuleCase {
    const char* shape;
    const std::vector<std::string>* diagram;
    int rule;
    int humanBlack;
    Outcome expected;
};

TEST_F(GameEndTest, ForbiddenShapesLoseOnlyForARestrictedBlackHuman) {
    const std::vector<RuleCase> cases = {
        {"double three", &DOUBLE_THREE, 1, 1, Outcome::FORBIDDEN_LOSS},
        {"double four", &DOUBLE_FOUR, 1, 1, Outcome::FORBIDDEN_LOSS},
        {"overline", &OVERLINE, 1, 1, Outcome::FORBIDDEN_LOSS},
        {"double three", &DOUBLE_THREE, 2, 1, Outcome::FORBIDDEN_LOSS},
        {"overline", &OVERLINE, 2, 1, Outcome::FORBIDDEN_LOSS},
        // Without restrictions the same moves are legal; an overline is a five.
        {"double three", &DOUBLE_THREE, 0, 1, Outcome::PLAY_GOES_ON},
        {"double four", &DOUBLE_FOUR, 0, 1, Outcome::PLAY_GOES_ON},
        {"overline", &OVERLINE, 0, 1, Outcome::HUMAN_WINS},
        // White has no forbidden moves.
        {"double three", &DOUBLE_THREE, 1, 0, Outcome::PLAY_GOES_ON},
        {"double four", &DOUBLE_FOUR, 1, 0, Outcome::PLAY_GOES_ON},
        {"overline", &OVERLINE, 1, 0, Outcome::HUMAN_WINS},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shape << " rule " << c.rule << " human black " << c.humanBlack);
        const auto [x, y] = SetUpPosition(c.rule, c.humanBlack, *c.diagram);
        ui = {};
        const int moves = g_moveCount, humanWins = g_humanWins, computerWins = g_computerWins;
        Click(x, y);
        EXPECT_EQ(g_gameBoard[CellIndex(x, y)], c.humanBlack ? CELL_BLACK : CELL_WHITE);
        switch (c.expected) {
            case Outcome::FORBIDDEN_LOSS:
                EXPECT_EQ(g_moveCount, moves + 1);  // the stone stays; the computer does not move
                ASSERT_EQ(ui.messages.size(), 1u);
                EXPECT_EQ(ui.messages[0].caption, "Message: ");
                EXPECT_EQ(ui.messages[0].text, "You lost by playing a prohibited move\n\n");
                EXPECT_EQ(ui.messages[0].icon, MessageIcon::STOP);
                EXPECT_EQ(ui.pauses, std::vector<int>{300});
                EXPECT_EQ(g_gameOver, 1);
                EXPECT_EQ(g_computerWins, computerWins + 1);
                EXPECT_EQ(g_humanWins, humanWins);
                break;
            case Outcome::PLAY_GOES_ON:
                EXPECT_EQ(g_moveCount, moves + 2);
                EXPECT_TRUE(ui.messages.empty());
                EXPECT_EQ(g_gameOver, 0);
                EXPECT_EQ(g_computerWins, computerWins);
                break;
            case Outcome::HUMAN_WINS:
                EXPECT_EQ(g_moveCount, moves + 1);
                ASSERT_EQ(ui.messages.size(), 1u);
                EXPECT_TRUE(IsHumanWinText(ui.messages[0].text)) << ui.messages[0].text.toStdString();
                EXPECT_EQ(g_gameOver, 1);
                EXPECT_EQ(g_humanWins, humanWins + 1);
                break;
        }
        ExpectEngineMatchesRecord();
    }
}

// Two threes by their lines, but the row's three becomes a straight four only right of '*', where
// Black would make a double four: no double three, and the game goes on.
TEST_F(GameEndTest, AFakeDoubleThreeIsNoForbiddenMove) {
    const std::vector<std::string> fakeDoubleThree = {
        ".....C...C.........",  //
        "......H..H.........",  //
        ".......HHH.........",  //
        "........HH.........",  //
        "....C.HH*..........",  //
        "...................",  //
        "...................",  //
        "...................",  //
        "C.C.C.C.C.C........",
    };
    for (const int rule : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "rule " << rule);
        const auto [x, y] = SetUpPosition(rule, 1, fakeDoubleThree);
        int threes = 0;
        for (const int32_t v : g_blackLine[PointIndex(x, y)])
            threes += ClassOfValue(v) == CLASS_THREE;
        ASSERT_EQ(threes, 2);
        ui = {};
        const int moves = g_moveCount, computerWins = g_computerWins;
        Click(x, y);
        EXPECT_EQ(g_moveCount, moves + 2);  // the computer answered
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(g_gameOver, 0);
        EXPECT_EQ(g_computerWins, computerWins);
        ExpectEngineMatchesRecord();
    }
}

// The remark is drawn at random from the entries for the event; every entry can come up.
TEST_F(GameEndTest, FivesEndTheGameWithARemarkForWhoWonAndHowFast) {
    struct FiveCase {
        const char* event;
        int rule, humanBlack, level;
        const std::vector<std::string>* diagram;
        bool longGame;
        std::set<QString> remarks;
    };
    const std::vector<FiveCase> cases = {
        {"Black human's five at Naive", 1, 1, 0, &HUMAN_FOUR, false, {"Umm, better than naive"}},
        {"White human's five",
         0,
         0,
         1,
         &HUMAN_FOUR,
         false,
         {"What? I lost?", "I was desigend by a stupid programmer, not my fault",
          "You can not be always lucky"}},
        {"Black human's five",
         2,
         1,
         3,
         &HUMAN_FOUR,
         false,
         {"What? I lost?", "I was desigend by a stupid programmer, not my fault",
          "You can not be always lucky"}},
        {"computer's five",
         0,
         1,
         1,
         &COMPUTER_FOUR,
         false,
         {"Be smart, ok?", "So easy to defeat you", "You need more practice"}},
        {"computer's five as Black",
         1,
         0,
         0,
         &COMPUTER_FOUR,
         false,
         {"Be smart, ok?", "So easy to defeat you", "You need more practice"}},
        {"computer's five after move 50",
         0,
         1,
         1,
         &COMPUTER_FOUR,
         true,
         {"Not bad, it costs me so many moves to win"}},
    };
    for (const FiveCase& c : cases) {
        SCOPED_TRACE(c.event);
        std::set<QString> seen;
        for (unsigned seed = 1; seed <= 12; ++seed) {
            g_level = c.level;
            const std::pair<int, int> point = SetUpPosition(c.rule, c.humanBlack, *c.diagram, c.longGame);
            const bool computerWins = c.diagram == &COMPUTER_FOUR;
            ui = {};
            SeedRandom(seed);
            const int moves = g_moveCount, humanWins = g_humanWins, computerWinsBefore = g_computerWins;
            Click(point);
            EXPECT_EQ(g_moveCount, moves + (computerWins ? 2 : 1));  // a human five ends it at once
            EXPECT_EQ(g_gameOver, 1);
            EXPECT_EQ(g_humanWins, humanWins + (computerWins ? 0 : 1));
            EXPECT_EQ(g_computerWins, computerWinsBefore + (computerWins ? 1 : 0));
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].caption, "Message: ...");
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::NONE);
            EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OK);
            EXPECT_EQ(ui.pauses, std::vector<int>{300});
            seen.insert(ui.messages[0].text);
            ExpectEngineMatchesRecord();
        }
        EXPECT_EQ(seen, c.remarks);
    }
}

// Fills the board by a colouring, leaving out the points given.
void FillBoardExcept(std::initializer_list<MoveEntry> leftOut, const std::function<bool(int, int)>& black) {
    std::vector<MoveEntry> blacks, whites;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            bool skip = false;
            for (const MoveEntry& m : leftOut)
                skip = skip || (m.x == x && m.y == y);
            if (!skip) (black(x, y) ? blacks : whites).push_back({x, y});
        }
    }
    PlayAlternately(blacks, whites);
}

void ExpectDrawMessage(const ScriptedInteraction& ui) {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Message: ...");
    EXPECT_EQ(ui.messages[0].text, QString::fromUtf8("哇! 居然下成和棋."));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::NONE);
    EXPECT_TRUE(ui.pauses.empty());
}

// When the human plays White, the human's move can be the 360th: the computer then takes the
// last point, and the draw follows.
TEST_F(GameEndTest, AFullBoardIsADrawWhoeverTakesTheLastPoint) {
    const MoveEntry lastBlack{10, 9}, lastWhite{9, 9};
    ASSERT_TRUE(BlackInFilling(lastBlack.x, lastBlack.y));
    ASSERT_FALSE(BlackInFilling(lastWhite.x, lastWhite.y));
    for (int humanBlack : {1, 0}) {
        for (int level : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "human black " << humanBlack << " level " << level);
            g_level = level;
            SetUpPosition(0, humanBlack, {});
            ui = {};
            if (humanBlack) {
                FillBoardExcept({lastBlack}, BlackInFilling);
                ASSERT_EQ(g_moveCount, 360);
                Click(lastBlack.x, lastBlack.y);
            } else {
                FillBoardExcept({lastBlack, lastWhite}, BlackInFilling);
                ASSERT_EQ(g_moveCount, 359);
                Click(lastWhite.x, lastWhite.y);
            }
            ExpectDrawMessage(ui);
            ASSERT_EQ(g_moveCount, 361);
            EXPECT_EQ(g_moves[360].x, lastBlack.x);
            EXPECT_EQ(g_moves[360].y, lastBlack.y);
            EXPECT_EQ(g_gameOver, 1);
            EXPECT_EQ(g_humanWins, 0);
            EXPECT_EQ(g_computerWins, 0);
            ExpectEngineMatchesRecord();
        }
    }
}

// Longest run of one colour through any line of a colouring, with the points left out empty.
int LongestRun(const std::function<bool(int, int)>& black, bool colour,
               std::initializer_list<MoveEntry> leftOut) {
    auto at = [&](int x, int y) {
        if (!OnBoard(x, y)) return false;
        for (const MoveEntry& m : leftOut)
            if (m.x == x && m.y == y) return false;
        return black(x, y) == colour;
    };
    int longest = 0;
    for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
        for (int y = 0; y < BOARD_SIZE; ++y) {
            for (int x = 0; x < BOARD_SIZE; ++x) {
                int run = 0;
                while (at(x + run * dx, y + run * dy))
                    ++run;
                longest = std::max(longest, run);
            }
        }
    }
    return longest;
}

// Under restrictions Black may not take a last point that makes an overline; nobody can move
// then, so the game is drawn at once instead of the computer playing a forbidden move.
TEST_F(GameEndTest, ALastPointForbiddenToTheComputerAsBlackIsADraw) {
    // Row 9 reads X X X * X X from column 2: the last point makes six. Two Black points far
    // away turn White so that Black still holds 181 points with the last one.
    const MoveEntry last{5, 9}, lastWhite{9, 15};
    std::set<std::pair<int, int>> turnedWhite;
    auto colouring = [&](int x, int y) {
        if (y == 9 && x >= 2 && x <= 7) return true;
        if (turnedWhite.count({x, y})) return false;
        return BlackInFilling(x, y);
    };
    for (int y = 0; y < BOARD_SIZE && turnedWhite.size() < 2; y += 3) {
        for (int x = 0; x < BOARD_SIZE && turnedWhite.size() < 2; x += 5) {
            if (!BlackInFilling(x, y) || (y >= 7 && y <= 11)) continue;
            turnedWhite.insert({x, y});
            if (LongestRun(colouring, false, {}) > 4) turnedWhite.erase({x, y});
        }
    }
    ASSERT_EQ(turnedWhite.size(), 2u);
    ASSERT_FALSE(colouring(lastWhite.x, lastWhite.y));
    ASSERT_LE(LongestRun(colouring, true, {last}), 4) << "no five for Black elsewhere";
    ASSERT_EQ(LongestRun(colouring, true, {}), 6);

    for (int level : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        g_level = level;
        SetUpPosition(1, 0, {});
        ui = {};
        FillBoardExcept({last, lastWhite}, colouring);
        ASSERT_EQ(g_moveCount, 359);
        ASSERT_EQ(IsForbiddenBlack(last.x, last.y), 1);
        Click(lastWhite.x, lastWhite.y);
        ExpectDrawMessage(ui);
        EXPECT_EQ(g_moveCount, 360);
        EXPECT_TRUE(IsEmpty(last.x, last.y));
        EXPECT_EQ(g_gameOver, 1);
        ExpectEngineMatchesRecord();
    }
}

}  // namespace

namespace {

// The cross marks the last move at once, also when that move is the human's and ends the game:
// it leaves the computer's stone without a repaint.
TEST_F(GameEndTest, TheCrossMovesToTheHumansMoveAtOnce) {
    const auto [x, y] = SetUpPosition(0, 1, HUMAN_FOUR);
    view->OnPaint();
    const MoveEntry computer = g_moves[g_moveCount - 1];
    ASSERT_EQ(g_gameBoard[CellIndex(computer.x, computer.y)], CELL_WHITE);
    ASSERT_EQ(PixelAt(*view, Centre(*view, computer.x, computer.y)), kBlackRgb) << "no cross to begin with";
    Click(x, y);
    ASSERT_EQ(g_gameOver, 1);
    EXPECT_EQ(PixelAt(*view, Centre(*view, computer.x, computer.y)), kWhiteRgb) << "the cross stayed";
    EXPECT_EQ(PixelAt(*view, Centre(*view, x, y)), kWhiteRgb) << "no cross on the human's five";
    EXPECT_EQ(PixelAt(*view, Centre(*view, x, y) + QPoint(0, 2)), kWhiteRgb);
}

}  // namespace
