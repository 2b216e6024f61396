// The play flow of the board window: the human's click, the end of a game, the fifth-move
// choice of the international rule, new game with the openings and the swap, and undo.
#include <QMouseEvent>
#include <algorithm>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/openings.h"
#include "engine/values.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "player/driver.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/threads.h"
#include "ui/board_view.h"
#include "ui/interaction.h"
#include "ui/language.h"
#include "ui/opening_dialog.h"
#include "ui/wait.h"

namespace {

// Entries 0 .. 4 when the computer wins (0 and 1 after a long game), 5 .. 7 when the human wins.
const char* const kTaunts[8] = {
    QT_TRANSLATE_NOOP("Renju", "Not bad, it costs me so many moves to win"),
    QT_TRANSLATE_NOOP("Renju", "Not bad, it costs me so many moves to win"),
    QT_TRANSLATE_NOOP("Renju", "Be smart, ok?"),
    QT_TRANSLATE_NOOP("Renju", "So easy to defeat you"),
    QT_TRANSLATE_NOOP("Renju", "You need more practice"),
    QT_TRANSLATE_NOOP("Renju", "What? I lost?"),
    QT_TRANSLATE_NOOP("Renju", "I was desigend by a stupid programmer, not my fault"),
    QT_TRANSLATE_NOOP("Renju", "You can not be always lucky"),
};
const char* const kForbiddenCaption = QT_TRANSLATE_NOOP("Renju", "Message: ");
const char* const kForbiddenText = QT_TRANSLATE_NOOP("Renju", "You lost by playing a prohibited move\n\n");
const char* const kEndCaption = QT_TRANSLATE_NOOP("Renju", "Message: ...");
const char* const kNaiveBeaten = QT_TRANSLATE_NOOP("Renju", "Umm, better than naive");
const char* const kDraw = QT_TRANSLATE_NOOP("Renju", "哇! 居然下成和棋.");
const char* const kSwapCaption = QT_TRANSLATE_NOOP("Renju", "請決定先後手");
const char* const kSwapQuestion = QT_TRANSLATE_NOOP("Renju", "我選擇【%1】開局，你是否仍要持白子？");
const char* const kTakeBlackCaption = QT_TRANSLATE_NOOP("Renju", "五子棋");
const char* const kTakeBlackText = QT_TRANSLATE_NOOP("Renju", "我選擇下黑棋，請你下第四手");

constexpr int END_PAUSE = 300;    // ms before a win or loss is announced
constexpr int SWAP_PAUSE = 1000;  // ms the computer "thinks" about the swap
constexpr int LONG_GAME = 50;     // moves after which a computer win is praised as hard won
constexpr int PROPOSAL_DEPTH = 6;
constexpr int PROPOSAL_WIDTH = 5;
constexpr int RING = 2;  // DrawStone colour of a proposal

// Marks the play flow as running for the life of one handler.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_busy;
};

bool EmptyPoint(int p) {
    return p >= 0 && p < POINT_COUNT && g_gameBoard[CellIndex(p % BOARD_SIZE, p / BOARD_SIZE)] == CELL_EMPTY;
}

void Push(int x, int y) {
    RecordPush(x, y);
    EnginePush(x, y);
}

void Pop() {
    EnginePop();
    RecordPop();
}

// One empty point left, Black to play it (as always on the last point) under restrictions, and
// it is forbidden: nobody can move, so the game is drawn.
bool OnlyPointForbiddenToBlack() {
    if (g_moveCount != POINT_COUNT - 1 || g_restricted != 1) return false;
    StopPondering();  // the test reads the engine's values; nothing is worth pondering now
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (EmptyPoint(p)) return IsForbiddenBlack(p % BOARD_SIZE, p / BOARD_SIZE) == 1;
    }
    return false;
}

// Nothing is shown once the window is closing: nobody is there to read it.
void ShowEndMessage(CBoardView* view, const char* caption, const char* text, MessageIcon icon) {
    if (view->Closing()) return;
    CurrentInteraction().ShowMessage(view, Tr(caption), Tr(text), icon, MessageButtons::OK);
}

}  // namespace

int PointFromPixel(int pixel, int origin, int cell) {
    for (int i = 0; i < BOARD_SIZE + 1; ++i) {
        const int line = origin + i * cell;
        if (pixel < line) return line - pixel <= cell / 2 ? i : i - 1;
    }
    return BOARD_SIZE + 1;
}

void CBoardView::mousePressEvent(QMouseEvent* event) {
    // The right button does nothing.
    event->accept();
    if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().toPoint());
}

void CBoardView::OnLButtonDown(QPoint pixel) {
    // A click delivered while the computer thinks or a message is up is not a move.
    if (m_busy) return;
    BusyScope busy(m_busy);
    Interaction& ui = CurrentInteraction();
    if (m_boardShown == 0 || g_gameOver == 1) {
        ui.Beep();
        return;
    }
    // With the international rule or the computer to start, a click on an empty board starts
    // the game, wherever it falls.
    if ((g_rule == 2 || m_humanFirst == 0) && g_moveCount == 0) {
        NewGame();
        return;
    }
    const int x = PointFromPixel(pixel.x(), m_gridLeft, m_cellWidth);
    const int y = PointFromPixel(pixel.y(), m_gridTop, m_cellHeight);
    if (!OnBoard(x, y)) return;  // beside the grid: not worth a beep
    if (g_gameBoard[CellIndex(x, y)] != CELL_EMPTY) {
        ui.Beep();
        return;
    }
    if (m_reviewing) {
        // The game goes on from the position shown, the human with the side to move.
        EndReview();
        g_humanBlack = g_moveCount % 2 == 0 ? 1 : 0;
        g_titleColor = g_humanBlack;
    }
    if (g_gameRule == 2 && g_moveCount == 4) {
        ChooseFifthMove(x, y);
        return;
    }
    PlayHumanMove(x, y);
}

void CBoardView::PlayHumanMove(int x, int y) {
    Interaction& ui = CurrentInteraction();
    g_moveStartTick = TickCount();
    DrawStone(x, y, g_moveCount % 2);
    SetWaitCursor(true);
    TakePonderResult(x, y);
    SetWaitCursor(false);

    // Judged on the values before the stone is entered: the class tells Black's five from a
    // forbidden point.
    const int32_t white = g_whiteValue[PointIndex(x, y)];
    const int32_t black = ClassifyBlack(x, y);
    const bool forbidden = g_restricted == 1 && g_humanBlack == 1 && black == 4;
    Push(x, y);
    DrawLastMoveMark();  // the cross leaves the computer's stone for the human's at once

    if (forbidden) {
        ui.Pause(END_PAUSE);
        ShowEndMessage(this, kForbiddenCaption, kForbiddenText, MessageIcon::STOP);
        ++g_computerWins;
        g_gameOver = 1;
        return;
    }
    if ((g_humanBlack == 0 && white >= FIVE_VALUE) || (g_humanBlack == 1 && black == 3)) {
        ++g_humanWins;
        ui.Pause(END_PAUSE);
        ShowEndMessage(this, kEndCaption, g_level == 0 ? kNaiveBeaten : kTaunts[5 + NextRandom() % 3],
                       MessageIcon::NONE);
        g_gameOver = 1;
        return;
    }

    // The computer answers while a point is left that it may play.
    if (g_moveCount < POINT_COUNT && !OnlyPointForbiddenToBlack()) {
        const int32_t value = ComputerMove();
        DiscardPendingInput();
        if (value >= FIVE_VALUE) {
            ++g_computerWins;
            ui.Pause(END_PAUSE);
            const int r = NextRandom();
            ShowEndMessage(this, kEndCaption, g_moveCount > LONG_GAME ? kTaunts[r % 2] : kTaunts[2 + r % 3],
                           MessageIcon::NONE);
            g_gameOver = 1;
            return;
        }
    }
    // A full board, or a last point that Black may not take: a draw.
    if (g_moveCount >= POINT_COUNT || OnlyPointForbiddenToBlack()) {
        ShowEndMessage(this, kEndCaption, kDraw, MessageIcon::NONE);
        g_gameOver = 1;
    }
}

void CBoardView::ChooseFifthMove(int x, int y) {
    const int p = PointIndex(x, y);
    if (g_humanBlack == 0) {
        // The computer, as Black, proposed two points; the human, as White, takes one away.
        if (p == g_fifthA && EmptyPoint(g_fifthB)) {
            KeepComputerProposal(p, g_fifthB);
        } else if (p == g_fifthB && EmptyPoint(g_fifthA)) {
            KeepComputerProposal(p, g_fifthA);
        } else {
            CurrentInteraction().Beep();
        }
        return;
    }
    // The human, as Black, proposes two points; the computer keeps the one better for White.
    if (g_fifthAPlaced == 0) {
        g_fifthA = p;
        DrawStone(x, y, RING);
        g_fifthAPlaced = 1;
        return;
    }
    if (p == g_fifthA) {
        CurrentInteraction().Beep();
        return;
    }
    g_fifthB = p;
    DrawStone(x, y, RING);
    AnswerHumanProposals();
}

void CBoardView::KeepComputerProposal(int pressed, int kept) {
    const int kx = kept % BOARD_SIZE, ky = kept / BOARD_SIZE;
    EnginePush(kx, ky);
    RecordPush(kx, ky);
    ErasePoint(pressed % BOARD_SIZE, pressed / BOARD_SIZE);
    ErasePoint(kx, ky);
    DrawStone(kx, ky, 0);
    DrawLastMoveMark();
}

void CBoardView::AnswerHumanProposals() {
    const int ax = g_fifthA % BOARD_SIZE, ay = g_fifthA / BOARD_SIZE;
    const int bx = g_fifthB % BOARD_SIZE, by = g_fifthB / BOARD_SIZE;
    StopPondering();  // the boards must be this thread's
    SetWaitCursor(true);
    g_searchWidth = PROPOSAL_WIDTH;

    // White's best answer to each proposal.
    RootResults results;
    int32_t xa = 0, ya = 0, xb = 0, yb = 0;
    Push(ax, ay);
    const int32_t scoreA = RunTimedSearch(&xa, &ya, PROPOSAL_DEPTH, &results);
    Pop();
    Push(bx, by);
    const int32_t scoreB = RunTimedSearch(&xb, &yb, PROPOSAL_DEPTH, &results);

    // White keeps the proposal it scores higher; a tie keeps the second.
    if (scoreA > scoreB) {
        ErasePoint(bx, by);
        ErasePoint(ax, ay);
        DrawStone(ax, ay, 0);
        Pop();
        Push(ax, ay);
        Push(xa, ya);
        DrawStone(xa, ya, 1);
    } else {
        ErasePoint(ax, ay);
        ErasePoint(bx, by);
        DrawStone(bx, by, 0);
        Push(xb, yb);
        DrawStone(xb, yb, 1);
    }
    DrawLastMoveMark();
    SetWaitCursor(false);
    DiscardPendingInput();
}

void CBoardView::OnNewGame() {
    if (m_busy) return;
    BusyScope busy(m_busy);
    NewGame();
}

void CBoardView::NewGame() {
    Interaction& ui = CurrentInteraction();
    StopPondering();  // never clear a board under a running search
    EndReview();
    if (g_alternate == 1) m_humanFirst = 1 - m_humanFirst;

    ResetBoards();  // also takes the rule chosen in the menu for this game
    StartPlayState();
    m_lastScore = 0;
    OnPaint();
    repaint();

    if (g_gameRule == 2) {
        // The side that starts chooses the opening; the other side may swap colours.
        int k = 0;
        if (g_humanBlack == 0) {
            k = NextRandom() % OPENING_COUNT;
        } else {
            COpeningDlg dialog(this);
            if (!ui.RunDialog(dialog) || dialog.Opening() < 0) return;  // the game is not started
            k = dialog.Opening();
        }
        for (int i = 0; i < 3; ++i) {
            const MoveEntry m = g_openings[k][i];
            DrawStone(m.x, m.y, i % 2);
            Push(m.x, m.y);
        }
        if (g_humanBlack == 0) {
            SetWaitCursor(true);
            ui.Pause(SWAP_PAUSE);
            SetWaitCursor(false);
            if (Closing()) return;
            const QString question = Tr(kSwapQuestion).arg(OpeningName(k));
            const MessageAnswer answer = ui.ShowMessage(this, Tr(kSwapCaption), question,
                                                        MessageIcon::QUESTION, MessageButtons::YES_NO);
            g_humanBlack = answer == MessageAnswer::YES ? 0 : 1;
        } else if (NextRandom() % 2 != 0) {
            SetWaitCursor(true);
            ui.Pause(SWAP_PAUSE);
            SetWaitCursor(false);
            g_humanBlack = 0;
            ShowEndMessage(this, kTakeBlackCaption, kTakeBlackText, MessageIcon::EXCLAMATION);
        }
        g_titleColor = g_humanBlack;
    }
    g_moveStartTick = TickCount();

    // White plays the fourth move of an opening; otherwise Black the first.
    const bool computerMoves = g_gameRule == 2 ? g_humanBlack == 1 : g_humanBlack == 0;
    if (computerMoves) {
        ComputerMove();
        DiscardPendingInput();
    }
}

void CBoardView::OnUndo() {
    if (m_busy) return;
    BusyScope busy(m_busy);
    StopPondering();
    EndReview();  // undo goes on from the position shown
    // Back to the human's turn: one move when the human moved last (the game ended on the
    // human's move, or the computer's fifth-move proposals wait), otherwise two. While the
    // human, as Black, proposes fifth moves, the human's own moves are the proposals only.
    const bool proposing = g_gameRule == 2 && g_moveCount == 4 && g_humanBlack == 1 && g_gameOver == 0;
    const bool humanMovedLast = g_moveCount > 0 && g_moveCount % 2 == g_humanBlack;
    int n = proposing ? 0 : humanMovedLast ? 1 : 2;
    // The opening's three stones are one move of the side that chose it: they stay.
    if (g_gameRule == 2) n = std::min(n, std::max(0, g_moveCount - 3));
    g_gameOver = 0;
    // A proposal waiting for the fifth move goes with the moves; a later fifth-move choice
    // starts afresh.
    g_fifthAPlaced = 0;
    g_forceShallow = 0;
    UndoMoves(n);
    // The rings go, the cross comes back on the last move and the title follows.
    Invalidate();
    StartPondering();
}

void CBoardView::UndoMoves(int n) {
    for (int i = 0; i < n && g_moveCount > 0; ++i) {
        const MoveEntry m = g_stack[g_moveCount - 1];
        ErasePoint(m.x, m.y);
        Pop();
    }
}
