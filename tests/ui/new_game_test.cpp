// New game: who starts, the alternation, the international openings with the swap, and the
// choice of Black's fifth move.
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <set>
#include <vector>

#include "engine/board.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "tests/ui/play_fixture.h"
#include "ui/opening_dialog.h"
#include "engine/openings.h"

namespace {

using NewGameTest = PlayTest;

// The opening on the board, or -1.
int OpeningOnBoard() {
    for (int k = 0; k < OPENING_COUNT; ++k) {
        bool same = g_moveCount >= 3;
        for (int i = 0; i < 3 && same; ++i)
            same = g_moves[i].x == g_openings[k][i].x && g_moves[i].y == g_openings[k][i].y;
        if (same) return k;
    }
    return -1;
}

void ExpectRing(const CBoardView& view, int point, bool ringed) {
    const QPoint p = Centre(view, point % BOARD_SIZE, point / BOARD_SIZE);
    const int v = view.Geometry().cellHeight / 2 - 2;  // the ring's black outline at the top
    EXPECT_EQ(PixelAt(view, p), ringed ? kBoardRgb : kBlackRgb) << "point " << point;
    EXPECT_EQ(PixelAt(view, p.x() - 1, p.y() - v), ringed ? kBlackRgb : kBoardRgb) << "point " << point;
}

TEST_F(NewGameTest, WithoutOpeningsTheComputerPlaysTheFirstStoneOnlyWhenItStarts) {
    for (int rule : {0, 1}) {
        for (int humanFirst : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "rule " << rule << " human first " << humanFirst);
            NewWindow(rule, humanFirst, 1);
            Play({{3, 3}, {4, 4}});
            g_gameOver = 1;
            view->OnNewGame();
            EXPECT_EQ(g_gameRule, rule);
            EXPECT_EQ(g_gameOver, 0);
            EXPECT_EQ(g_humanBlack, humanFirst);
            EXPECT_EQ(g_titleColor, humanFirst);
            EXPECT_TRUE(IsEmpty(3, 3));
            ASSERT_EQ(g_moveCount, humanFirst ? 0 : 1);
            if (!humanFirst) {
                EXPECT_EQ(g_moves[0].x, 9);
                EXPECT_EQ(g_moves[0].y, 9);
                EXPECT_EQ(PixelAt(*view, Centre(*view, 9, 9) + QPoint(-2, -2)), kBlackRgb);
            }
            EXPECT_EQ(view->windowTitle(),
                      humanFirst ? "Renju - Move 0, Time 0.00" : "Renju - Move 1, Time 0.00");
            EXPECT_TRUE(ui.messages.empty());
            ExpectEngineMatchesRecord();
        }
    }
}

TEST_F(NewGameTest, TheRuleChosenInTheMenuHoldsFromTheNextGame) {
    Click(9, 9);
    g_rule = 1;
    EXPECT_EQ(g_gameRule, 0);
    EXPECT_EQ(g_restricted, 0);
    view->OnNewGame();
    EXPECT_EQ(g_gameRule, 1);
    EXPECT_EQ(g_restricted, 1);
}

// With the alternation on, every new game changes who starts: also one whose opening dialog
// was cancelled, and the one that the next click on the empty board starts.
TEST_F(NewGameTest, AlternationChangesWhoStartsAtEveryNewGame) {
    g_alternate = 1;
    view->OnNewGame();
    EXPECT_EQ(view->HumanFirst(), 0);
    EXPECT_EQ(g_moveCount, 1);
    view->OnNewGame();
    EXPECT_EQ(view->HumanFirst(), 1);
    EXPECT_EQ(g_moveCount, 0);

    g_rule = 2;
    ui.hand = [](QDialog& dialog) { static_cast<COpeningDlg&>(dialog).CancelButton()->click(); };
    view->OnNewGame();  // the computer opens and offers the swap
    EXPECT_EQ(view->HumanFirst(), 0);
    EXPECT_EQ(ui.dialogs, 0);
    EXPECT_GE(g_moveCount, 3);
    view->OnNewGame();  // the human's turn to choose; cancelled
    EXPECT_EQ(view->HumanFirst(), 1);
    EXPECT_EQ(ui.dialogs, 1);
    EXPECT_EQ(g_moveCount, 0);
    Click(9, 9);  // starts a new game, which the computer opens
    EXPECT_EQ(view->HumanFirst(), 0);
    EXPECT_EQ(ui.dialogs, 1);
    EXPECT_NE(OpeningOnBoard(), -1);
}

TEST_F(NewGameTest, ComputerChoosesARandomOpeningAndOffersTheSwap) {
    std::set<int> openings;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        for (MessageAnswer answer : {MessageAnswer::YES, MessageAnswer::NO}) {
            SCOPED_TRACE(testing::Message()
                         << "seed " << seed << (answer == MessageAnswer::YES ? " yes" : " no"));
            NewWindow(2, 0, 1, seed);
            ui = {};
            ui.answers = {answer};
            Click(0, 0);  // a click on the empty board starts the game
            const int k = OpeningOnBoard();
            ASSERT_NE(k, -1);
            openings.insert(k);
            EXPECT_EQ(ui.dialogs, 0);
            EXPECT_EQ(ui.pauses, std::vector<int>{1000});
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].caption, QString::fromUtf8("請決定先後手"));
            EXPECT_EQ(ui.messages[0].text, QString::fromUtf8("我選擇【") +
                                               QString::fromUtf8(g_openingNames[k]) +
                                               QString::fromUtf8("】開局，你是否仍要持白子？"));
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::QUESTION);
            EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YES_NO);
            if (answer == MessageAnswer::YES) {
                // The human keeps White and plays the fourth move.
                EXPECT_EQ(g_humanBlack, 0);
                EXPECT_EQ(g_moveCount, 3);
            } else {
                // The human takes Black; the computer plays White's fourth move at once.
                EXPECT_EQ(g_humanBlack, 1);
                EXPECT_EQ(g_moveCount, 4);
            }
            EXPECT_EQ(g_titleColor, g_humanBlack);
            ExpectEngineMatchesRecord();
        }
    }
    EXPECT_GE(openings.size(), 4u) << "the computer's openings are not random";
}

TEST_F(NewGameTest, HumanChoosesTheOpeningAndTheComputerMayTakeBlack) {
    for (bool computerTakesBlack : {true, false}) {
        SCOPED_TRACE(computerTakesBlack ? "computer takes Black" : "computer keeps White");
        NewWindow(2, 1, 1, SeedForSwap(computerTakesBlack));
        ui = {};
        view->OnNewGame();
        EXPECT_EQ(ui.dialogs, 1);
        EXPECT_EQ(OpeningOnBoard(), 0);  // OK at once: the first opening
        if (computerTakesBlack) {
            EXPECT_EQ(ui.pauses, std::vector<int>{1000});
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].caption, QString::fromUtf8("五子棋"));
            EXPECT_EQ(ui.messages[0].text, QString::fromUtf8("我選擇下黑棋，請你下第四手"));
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::EXCLAMATION);
            EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OK);
            EXPECT_EQ(g_humanBlack, 0);
            EXPECT_EQ(g_moveCount, 3);
        } else {
            EXPECT_TRUE(ui.messages.empty());
            EXPECT_EQ(g_humanBlack, 1);
            EXPECT_EQ(g_moveCount, 4);
        }
        EXPECT_EQ(g_titleColor, g_humanBlack);
        ExpectEngineMatchesRecord();
    }
}

TEST_F(NewGameTest, TheOpeningChosenInTheDialogIsPlaced) {
    NewWindow(2, 1, 1, SeedForSwap(true));
    ui.hand = [](QDialog& dialog) {
        auto& opening = static_cast<COpeningDlg&>(dialog);
        for (int k = 0; k < OPENING_COUNT; ++k) {
            if (opening.OpeningButton(k)->text() == QString::fromUtf8("慧星"))
                opening.OpeningButton(k)->click();
        }
        opening.OkButton()->click();
    };
    view->OnNewGame();
    ASSERT_EQ(g_moveCount, 3);
    EXPECT_EQ(std::pair(g_moves[0].x, g_moves[0].y), std::pair(9, 9));
    EXPECT_EQ(std::pair(g_moves[1].x, g_moves[1].y), std::pair(10, 8));
    EXPECT_EQ(std::pair(g_moves[2].x, g_moves[2].y), std::pair(7, 11));  // two left, two below
    EXPECT_EQ(PixelAt(*view, Centre(*view, 7, 11) + QPoint(-2, -2)), kBlackRgb);
    EXPECT_EQ(PixelAt(*view, Centre(*view, 10, 8) + QPoint(-2, -2)), kWhiteRgb);
}

// The opening's stones are placed without a title; the next paint of the window brings it up
// to date, as every paint does.
TEST_F(NewGameTest, TheNextPaintShowsTheMoveNumberOfTheOpening) {
    NewWindow(2, 0, 1);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    ui.answers = {MessageAnswer::YES};
    view->OnNewGame();
    ASSERT_EQ(g_moveCount, 3);
    view->repaint();
    EXPECT_EQ(view->windowTitle(), "Renju - Move 3, Time 0.00");
}

// Any click on the empty board opens the dialog, even beside the grid; Cancel leaves the
// board empty and the game unstarted.
TEST_F(NewGameTest, ACancelledOpeningLeavesTheGameUnstarted) {
    NewWindow(2, 1, 1);
    ui.hand = [](QDialog& dialog) { static_cast<COpeningDlg&>(dialog).CancelButton()->click(); };
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(ui.dialogs, 1);
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.beeps, 0);
    Click(9, 9);
    EXPECT_EQ(ui.dialogs, 2);
    EXPECT_EQ(g_moveCount, 0);
}

// The computer, as Black, proposes two fifth moves; the human removes one and Black's fifth
// move is the other.
TEST_F(NewGameTest, HumanTakesOneOfTheComputersFifthMoveProposalsAway) {
    for (bool pressFirst : {true, false}) {
        SCOPED_TRACE(pressFirst ? "press the first proposal" : "press the second");
        NewWindow(2, 0, 1, 3);
        ui = {};
        ui.answers = {MessageAnswer::YES};
        view->OnNewGame();
        ASSERT_EQ(g_humanBlack, 0);
        Click(HarmlessPoint());
        ASSERT_EQ(g_moveCount, 4);  // proposals only
        ASSERT_NE(g_fifthA, g_fifthB);
        ASSERT_TRUE(IsEmptyPoint(g_fifthA));
        ASSERT_TRUE(IsEmptyPoint(g_fifthB));
        ExpectRing(*view, g_fifthA, true);
        ExpectRing(*view, g_fifthB, true);

        // Another empty point is no choice.
        const auto [ox, oy] = HarmlessPoint();
        Click(ox, oy);
        EXPECT_EQ(ui.beeps, 1);
        EXPECT_EQ(g_moveCount, 4);

        const int pressed = pressFirst ? g_fifthA : g_fifthB, kept = pressFirst ? g_fifthB : g_fifthA;
        Click(pressed % BOARD_SIZE, pressed / BOARD_SIZE);
        ASSERT_EQ(g_moveCount, 5);
        EXPECT_EQ(PointIndex(g_moves[4].x, g_moves[4].y), kept);
        EXPECT_TRUE(IsEmptyPoint(pressed));
        ExpectRing(*view, pressed, false);
        // Black's fifth stone, marked with the white cross.
        const QPoint c = Centre(*view, kept % BOARD_SIZE, kept / BOARD_SIZE);
        EXPECT_EQ(PixelAt(*view, c), kWhiteRgb);
        EXPECT_EQ(PixelAt(*view, c + QPoint(-2, -2)), kBlackRgb);
        EXPECT_TRUE(ui.messages.size() == 1u);  // only the swap question
        ExpectEngineMatchesRecord();

        // The human, as White, plays on.
        Click(HarmlessPoint());
        EXPECT_EQ(g_moveCount, 7);
    }
}

// The human, as Black, proposes two fifth moves; the computer keeps one and answers it.
TEST_F(NewGameTest, ComputerKeepsOneOfTheHumansFifthMoveProposalsAndAnswersIt) {
    NewWindow(2, 1, 1, SeedForSwap(false));
    view->OnNewGame();
    ASSERT_EQ(g_moveCount, 4);
    ASSERT_EQ(g_humanBlack, 1);
    std::vector<int> proposals;
    for (const auto& [x, y] : {std::pair{8, 10}, {7, 9}, {11, 10}, {12, 7}, {6, 12}}) {
        if (IsEmpty(x, y) && proposals.size() < 2) proposals.push_back(PointIndex(x, y));
    }
    ASSERT_EQ(proposals.size(), 2u);
    const int a = proposals[0], b = proposals[1];

    Click(a % BOARD_SIZE, a / BOARD_SIZE);
    EXPECT_EQ(g_moveCount, 4);
    EXPECT_EQ(g_fifthAPlaced, 1);
    ExpectRing(*view, a, true);
    Click(a % BOARD_SIZE, a / BOARD_SIZE);  // the same point again
    EXPECT_EQ(ui.beeps, 1);
    Click(g_moves[3].x, g_moves[3].y);  // an occupied point
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(g_moveCount, 4);

    Click(b % BOARD_SIZE, b / BOARD_SIZE);
    ASSERT_EQ(g_moveCount, 6);
    const int fifth = PointIndex(g_moves[4].x, g_moves[4].y);
    ASSERT_TRUE(fifth == a || fifth == b);
    // The ring of the other proposal is gone, unless White answered right there.
    const int dropped = fifth == a ? b : a;
    if (PointIndex(g_moves[5].x, g_moves[5].y) != dropped) {
        EXPECT_TRUE(IsEmptyPoint(dropped));
        ExpectRing(*view, dropped, false);
    }
    EXPECT_EQ(PixelAt(*view, Centre(*view, g_moves[4].x, g_moves[4].y) + QPoint(-2, -2)), kBlackRgb);
    // White's answer carries the black cross.
    const QPoint answer = Centre(*view, g_moves[5].x, g_moves[5].y);
    EXPECT_EQ(PixelAt(*view, answer), kBlackRgb);
    EXPECT_EQ(PixelAt(*view, answer + QPoint(-2, -2)), kWhiteRgb);
    EXPECT_TRUE(ui.messages.empty());
    ExpectEngineMatchesRecord();
}

}  // namespace
