// Whole games driven by clicks, under each rule, with each side starting.
#include <vector>

#include "engine/board.h"
#include "player/game_state.h"
#include "player/quick.h"
#include "player/threads.h"
#include "tests/ui/play_fixture.h"

namespace {

using WholeGameTest = PlayTest;

constexpr int MOST_CLICKS = 40;
constexpr int32_t HANG_MILLIS = 30000;  // far beyond any stopped search, on however busy a machine

struct GameCase {
    int rule, humanFirst, level;
    MessageAnswer swapAnswer;  // when the computer offers the swap
};

std::vector<GameCase> AllStarts(std::initializer_list<int> levels) {
    std::vector<GameCase> cases;
    for (int rule : {0, 1, 2}) {
        for (int humanFirst : {1, 0}) {
            for (int level : levels) {
                const MessageAnswer swap = (rule + level) % 2 ? MessageAnswer::YES : MessageAnswer::NO;
                cases.push_back({rule, humanFirst, level, swap});
            }
        }
    }
    return cases;
}

// The human plays harmless stones along the edges, so the computer wins soon.
TEST_F(WholeGameTest, EveryGameEndsWithAMessageAndCountsTheComputersWin) {
    for (const GameCase& c : AllStarts({0, 1})) {
        for (unsigned seed : {7u, 8u}) {
            SCOPED_TRACE(testing::Message() << "rule " << c.rule << " human first " << c.humanFirst
                                            << " level " << c.level << " seed " << seed);
            NewWindow(c.rule, c.humanFirst, c.level, seed + c.rule);
            ui.messages.clear();
            ui.beeps = 0;
            ui.answers = {c.swapAnswer};
            const int humanWins = g_humanWins, computerWins = g_computerWins;

            // Under the international rule or with the computer to start, the first click starts
            // the game; otherwise it is Black's first stone.
            Click(HarmlessPoint());
            const bool opened = c.rule == 2 || c.humanFirst == 0;
            EXPECT_EQ(g_moveCount > 0, opened || g_moveCount == 2);
            for (int clicks = 0; g_gameOver == 0 && clicks < MOST_CLICKS; ++clicks) {
                if (g_gameRule == 2 && g_moveCount == 4 && g_humanBlack == 0) {
                    Click(g_fifthA % BOARD_SIZE, g_fifthA / BOARD_SIZE);  // Black's fifth is then g_fifthB
                    ASSERT_EQ(g_moveCount, 5);
                    EXPECT_EQ(PointIndex(g_moves[4].x, g_moves[4].y), g_fifthB);
                } else if (g_gameRule == 2 && g_moveCount == 4 && g_fifthAPlaced == 1) {
                    Click(HarmlessPoint(g_fifthA));  // the second proposal
                    ASSERT_EQ(g_moveCount, 6);
                } else {
                    Click(HarmlessPoint());
                }
            }
            ASSERT_EQ(g_gameOver, 1);
            EXPECT_EQ(ui.beeps, 0);
            ASSERT_FALSE(ui.messages.empty());
            const ShownMessage& end = ui.messages.back();
            EXPECT_EQ(end.caption, "Message: ...");
            EXPECT_TRUE(IsComputerWinText(end.text)) << end.text.toStdString();
            EXPECT_EQ(end.icon, MessageIcon::NONE);
            EXPECT_EQ(g_computerWins, computerWins + 1);
            EXPECT_EQ(g_humanWins, humanWins);
            ExpectEngineMatchesRecord();

            // After the end every click only beeps.
            const int moves = g_moveCount, beeps = ui.beeps;
            Click(HarmlessPoint());
            EXPECT_EQ(g_moveCount, moves);
            EXPECT_EQ(ui.beeps, beeps + 1);
        }
    }
}

// The tournament level against harmless stones: it wins every game, keeps to its time, and
// Undo in the middle of a game leaves the boards in step.
TEST_F(WholeGameTest, TournamentLevelWinsInItsTimeAndUndoKeepsTheBoardsInStep) {
    for (const GameCase& c : AllStarts({8})) {
        SCOPED_TRACE(testing::Message() << "rule " << c.rule << " human first " << c.humanFirst);
        NewWindow(c.rule, c.humanFirst, 8, 3);
        g_timeLimitMillis = 150;
        ui.messages.clear();
        ui.answers = {c.swapAnswer};
        const int computerWins = g_computerWins;
        Click(HarmlessPoint());
        for (int clicks = 0; g_gameOver == 0 && clicks < MOST_CLICKS; ++clicks) {
            if (g_gameRule == 2 && g_moveCount == 4 && g_humanBlack == 0) {
                Click(g_fifthA % BOARD_SIZE, g_fifthA / BOARD_SIZE);
            } else if (g_gameRule == 2 && g_moveCount == 4 && g_fifthAPlaced == 1) {
                Click(HarmlessPoint(g_fifthA));
            } else {
                Click(HarmlessPoint());
            }
            if (g_moveCount > 3) {
                // The player is stopped past its limit: only a search never stopped reaches this.
                EXPECT_LE(g_thinkMillis, 150 + HANG_MILLIS) << "move " << g_moveCount;
            }
            if (clicks == 4 && g_gameOver == 0) {
                view->OnUndo();
                ExpectEngineMatchesRecord();
            }
        }
        g_timeLimitMillis = 0;
        ASSERT_EQ(g_gameOver, 1);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_TRUE(IsComputerWinText(ui.messages.back().text)) << ui.messages.back().text.toStdString();
        EXPECT_EQ(g_computerWins, computerWins + 1);
        ExpectEngineMatchesRecord();
    }
}

// The human's move as the computer's quick choice would make it for the human's side.
std::pair<int, int> QuickChoiceForTheHuman() {
    int32_t x = 0, y = 0;
    g_humanBlack = 1 - g_humanBlack;
    ChooseQuickMove(&x, &y);
    g_humanBlack = 1 - g_humanBlack;
    return {x, y};
}

// Both sides play at the level Naive; whoever wins, or on a full board, the game ends with
// the message of its outcome and the counters follow it.
TEST_F(WholeGameTest, GamesPlayedInEarnestEndWithTheirOutcomesMessage) {
    int outcomes[3] = {};  // human wins, computer wins, draws
    for (const GameCase& c : AllStarts({0})) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(testing::Message()
                         << "rule " << c.rule << " human first " << c.humanFirst << " seed " << seed);
            NewWindow(c.rule, c.humanFirst, 0, seed);
            ui = {};
            ui.answers = {c.swapAnswer};
            const int humanWins = g_humanWins, computerWins = g_computerWins;
            Click(9, 9);
            for (int clicks = 0; g_gameOver == 0 && clicks <= POINT_COUNT; ++clicks) {
                if (g_gameRule == 2 && g_moveCount == 4 && g_humanBlack == 0) {
                    Click(g_fifthB % BOARD_SIZE, g_fifthB / BOARD_SIZE);
                } else if (g_gameRule == 2 && g_moveCount == 4 && g_fifthAPlaced == 1) {
                    Click(HarmlessPoint(g_fifthA));
                } else {
                    Click(QuickChoiceForTheHuman());
                }
            }
            ASSERT_EQ(g_gameOver, 1);
            ASSERT_FALSE(ui.messages.empty());
            const ShownMessage& end = ui.messages.back();
            if (IsHumanWinText(end.text)) {
                EXPECT_EQ(end.text, "Umm, better than naive");
                EXPECT_EQ(g_humanWins, humanWins + 1);
                EXPECT_EQ(g_computerWins, computerWins);
                ++outcomes[0];
            } else if (IsComputerWinText(end.text) || end.caption == "Message: ") {
                EXPECT_EQ(g_computerWins, computerWins + 1);
                EXPECT_EQ(g_humanWins, humanWins);
                ++outcomes[1];
            } else {
                EXPECT_EQ(end.text, QString::fromUtf8("哇! 居然下成和棋."));
                EXPECT_EQ(g_moveCount, POINT_COUNT);
                EXPECT_EQ(g_computerWins, computerWins);
                EXPECT_EQ(g_humanWins, humanWins);
                ++outcomes[2];
            }
            EXPECT_EQ(ui.beeps, 0);
            ExpectEngineMatchesRecord();
        }
    }
    EXPECT_GT(outcomes[0], 0) << "the human never won";
    EXPECT_GT(outcomes[1], 0) << "the computer never won";
}

}  // namespace
