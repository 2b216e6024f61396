#include "tests/ui/play_fixture.h"

#include <QTest>

#include "engine/board.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "player/search.h"
#include "player/threads.h"
#include "tests/support/engine_fixture.h"

MessageAnswer ScriptedInteraction::ShowMessage(QWidget*, const QString& caption, const QString& text,
                                               MessageIcon icon, MessageButtons buttons) {
    messages.push_back({caption, text, icon, buttons});
    if (buttons == MessageButtons::OK) return MessageAnswer::OK;
    if (answers.empty()) return MessageAnswer::NO;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedInteraction::RunDialog(QDialog& dialog) {
    ++dialogs;
    dialog.show();
    if (hand) {
        hand(dialog);
    } else {
        dialog.accept();
    }
    return dialog.result() == QDialog::Accepted;
}

void PlayTest::SetUp() {
    ViewTest::SetUp();
    SetInteraction(&ui);
    g_timeLimit = 2;  // a search step waits at most one second
    view = std::make_unique<CBoardView>();
    PaintAt(*view, 400, 400);
    SeedRandom(1);
}

void PlayTest::TearDown() {
    StopPondering();
    g_searchPruning = true;  // a test may have asked for plain minimax
    view.reset();
    SetInteraction(nullptr);
}

void PlayTest::Click(int x, int y) {
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, Centre(*view, x, y));
}

void PlayTest::NewWindow(int rule, int humanFirst, int level, unsigned seed) {
    StopPondering();
    view.reset();
    g_rule = rule;
    view = std::make_unique<CBoardView>();
    PaintAt(*view, 400, 400);
    view->SetHumanFirst(humanFirst);
    g_level = level;
    SeedRandom(seed);
}

void ExpectEngineMatchesRecord() {
    StopPondering();
    ASSERT_EQ(g_stackCount, g_moveCount);
    for (int i = 0; i < g_moveCount; ++i) {
        EXPECT_EQ(g_stack[i].x, g_moves[i].x) << "move " << i;
        EXPECT_EQ(g_stack[i].y, g_moves[i].y) << "move " << i;
    }
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x)
            EXPECT_EQ(g_board[CellIndex(x, y)], g_gameBoard[CellIndex(x, y)]) << "point " << x << "," << y;
    }
}

unsigned SeedForSwap(bool computerTakesBlack) {
    for (unsigned seed = 1;; ++seed) {
        SeedRandom(seed);
        if ((NextRandom() % 2 != 0) == computerTakesBlack) return seed;
    }
}

bool IsEmpty(int x, int y) {
    return g_gameBoard[CellIndex(x, y)] == CELL_EMPTY;
}

bool IsEmptyPoint(int point) {
    return point >= 0 && point < POINT_COUNT && IsEmpty(point % BOARD_SIZE, point / BOARD_SIZE);
}

std::pair<int, int> HarmlessPoint(int skip) {
    for (int y : {0, 18}) {
        for (int x = 0; x < BOARD_SIZE; x += 2) {
            if (IsEmpty(x, y) && PointIndex(x, y) != skip) return {x, y};
        }
    }
    ADD_FAILURE() << "no harmless point left";
    return {1, 1};
}

namespace {
const char* const kComputerWins[] = {"Not bad, it costs me so many moves to win", "Be smart, ok?",
                                     "So easy to defeat you", "You need more practice"};
const char* const kHumanWins[] = {"Umm, better than naive", "What? I lost?",
                                  "I was desigend by a stupid programmer, not my fault",
                                  "You can not be always lucky"};
}  // namespace

bool IsComputerWinText(const QString& text) {
    for (const char* t : kComputerWins)
        if (text == t) return true;
    return false;
}

bool IsHumanWinText(const QString& text) {
    for (const char* t : kHumanWins)
        if (text == t) return true;
    return false;
}

const std::vector<std::string> DOUBLE_THREE = {
    "C.C................",  //
    "...................",  //
    ".........H.........",  //
    ".........H.........",  //
    ".......HH*.........",  //
    "...................",  //
    "...................",  //
    "..................+",  //
    "................C.C",
};
const std::vector<std::string> DOUBLE_FOUR = {
    ".........H.........",  //
    ".........H.........",  //
    ".........H.........",  //
    "...................",  //
    ".....HHH.*.........",  //
    "...................",  //
    "...................",  //
    "..................+",  //
    "C.C.C.C.C.C........",
};
const std::vector<std::string> OVERLINE = {
    "...................",  //
    "...................",  //
    "...................",  //
    "...................",  //
    "....HHH*HH.........",  //
    "...................",  //
    "...................",  //
    "..................+",  //
    "C.C.C.C.C..........",
};
const std::vector<std::string> HUMAN_FOUR = {
    "...................",  //
    "...................",  //
    "...................",  //
    "...................",  //
    ".....HHHH*.........",  //
    "...................",  //
    "...................",  //
    "..................+",  //
    "C.C.C.C............",
};
// The computer holds an open four; the human's next move is elsewhere.
const std::vector<std::string> COMPUTER_FOUR = {
    "...................",  //
    "...................",  //
    "...................",  //
    "...................",  //
    "......CCCC.........",  //
    "...................",  //
    "...................",  //
    "..................+",  //
    "H.H.H.H............",
};

bool BlackInFilling(int x, int y) {
    return (x + 2 * y) % 4 < 2;
}

void PlayAlternately(const std::vector<MoveEntry>& black, const std::vector<MoveEntry>& white) {
    for (size_t i = 0; i < black.size() || i < white.size(); ++i) {
        if (i < black.size()) Play({{black[i].x, black[i].y}});
        if (i < white.size()) Play({{white[i].x, white[i].y}});
    }
}

std::pair<int, int> SetUpPosition(int rule, int humanBlack, std::vector<std::string> rows, bool longGame) {
    StopPondering();  // the boards are about to change
    g_rule = rule;
    ResetBoards();
    g_gameOver = 0;
    g_humanBlack = humanBlack;
    g_titleColor = humanBlack;
    if (longGame) {
        std::vector<MoveEntry> black, white;
        for (int y : {1, 2, 16, 17}) {
            for (int x = 0; x < BOARD_SIZE; ++x)
                (BlackInFilling(x, y) ? black : white).push_back({x, y});
        }
        PlayAlternately(black, white);
    }
    bool marked = false;
    for (std::string& row : rows) {
        for (char& ch : row) {
            if (ch == 'H') ch = humanBlack ? 'X' : 'O';
            if (ch == 'C') ch = humanBlack ? 'O' : 'X';
            if (ch == '+') ch = humanBlack ? '.' : 'X';
            marked = marked || ch == '*';
        }
    }
    PlayDiagram(rows, 0, BAND_TOP);
    return marked ? MarkedPoint(rows, 0, BAND_TOP) : HarmlessPoint();
}
