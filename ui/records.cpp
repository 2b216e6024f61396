// Game records in the window: save and open .psq files, copy and paste the move list.
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringDecoder>
#include <sstream>

#include "engine/board.h"
#include "player/game_state.h"
#include "player/threads.h"
#include "records/game_record.h"
#include "ui/board_view.h"
#include "ui/interaction.h"
#include "ui/language.h"

namespace {

const char* const kRecordCaption = QT_TRANSLATE_NOOP("Renju", "Game record");
const char* const kRefused = QT_TRANSLATE_NOOP("Renju", "%1 cannot be opened: %2");
const char* const kNotWritten = QT_TRANSLATE_NOOP("Renju", "%1 could not be written.");
const char* const kClipboard = QT_TRANSLATE_NOOP("Renju", "The clipboard's game");
const char* const kShapes[3][2] = {
    {"double three", QT_TRANSLATE_NOOP("Renju", "double three")},
    {"double four", QT_TRANSLATE_NOOP("Renju", "double four")},
    {"overline", QT_TRANSLATE_NOOP("Renju", "overline")},
};

constexpr qint64 MAX_RECORD_BYTES = 1 << 20;  // a record of 361 moves is a few kilobytes

records::Game GameInPlay() {
    records::Game game{g_gameRule, {}};
    game.moves.assign(g_moves, g_moves + g_moveCount);
    return game;
}

// The boards as they were before a record was checked on them (the menu rule stays).
void PutBack(const records::Game& game) {
    const int32_t menuRule = g_rule;
    g_rule = game.rule;
    ResetBoards();
    g_rule = menuRule;
    for (const MoveEntry& m : game.moves) {
        RecordPush(m.x, m.y);
        EnginePush(m.x, m.y);
    }
}

QString FaultText(const records::Check& check) {
    using records::Fault;
    const QString move = QString::fromStdString(check.text);
    switch (check.fault) {
        case Fault::Unreadable:
            return check.move > 0 ? Tr(QT_TRANSLATE_NOOP("Renju", "move %1 \"%2\" is not a point"))
                                        .arg(check.move)
                                        .arg(move)
                                  : Tr(QT_TRANSLATE_NOOP("Renju", "it is not a game record (%1)")).arg(move);
        case Fault::WrongSize:
            return Tr(QT_TRANSLATE_NOOP("Renju", "its board is %1x%1, this board is 19x19")).arg(move);
        case Fault::OffBoard:
            return Tr(QT_TRANSLATE_NOOP("Renju", "move %1 (%2) is off the board")).arg(check.move).arg(move);
        case Fault::Occupied:
            return Tr(QT_TRANSLATE_NOOP("Renju", "move %1 (%2) is on a stone")).arg(check.move).arg(move);
        case Fault::Forbidden: {
            QString shape = QString::fromStdString(check.shape);
            for (const auto& [name, text] : kShapes) {
                if (check.shape == name) shape = Tr(text);
            }
            return Tr(QT_TRANSLATE_NOOP("Renju", "move %1 (%2) is forbidden to Black: %3"))
                .arg(check.move)
                .arg(move)
                .arg(shape);
        }
        case Fault::AfterEnd:
            return Tr(QT_TRANSLATE_NOOP("Renju", "move %1 (%2) comes after the end of the game"))
                .arg(check.move)
                .arg(move);
        case Fault::ResultDiffers:
            return Tr(QT_TRANSLATE_NOOP("Renju", "the record says \"%1\", but its %2 moves do not end so"))
                .arg(move)
                .arg(check.move);
        case Fault::None:
            break;
    }
    return {};
}

}  // namespace

bool CBoardView::LoadGame(const records::Game& game, const std::string& result, const QString& source) {
    StopPondering();  // the check plays on the engine boards
    const records::Game inPlay = GameInPlay();
    records::Outcome outcome = records::Outcome::Open;
    const records::Check check = records::Replay(game, result, &outcome);
    if (check.fault != records::Fault::None) {
        PutBack(inPlay);
        Invalidate();
        CurrentInteraction().ShowMessage(this, Tr(kRecordCaption), Tr(kRefused).arg(source, FaultText(check)),
                                         MessageIcon::STOP, MessageButtons::OK);
        if (g_gameOver == 0 && !m_reviewing) StartPondering();
        return false;
    }
    EndReview();
    PutBack(game);
    // The human takes the side to move, and the computer answers as in any game.
    StartPlayState();
    g_humanBlack = g_moveCount % 2 == 0 ? 1 : 0;
    g_titleColor = g_humanBlack;
    g_gameOver = outcome == records::Outcome::Open ? 0 : 1;
    m_lastScore = 0;
    Invalidate();
    update();
    if (g_gameOver == 0) StartPondering();
    return true;
}

void CBoardView::OnSaveGame() {
    if (m_busy) return;
    const QString name = CurrentInteraction().ChooseRecordFile(this, true);
    if (name.isEmpty()) return;
    // The outcome is the referee's, from a replay; the boards are put back after it. A game
    // that is over may end on Black's forbidden move, which the replay takes as White's win
    // only when told so; a different outcome is still reported.
    StopPondering();
    int32_t over = 0;
    const records::Game game = WholeGame(&over);
    records::Outcome outcome = records::Outcome::Open;
    records::Replay(game, over == 1 ? records::OutcomeText(records::Outcome::WhiteWins) : "", &outcome);
    PutBack(GameInPlay());
    if (over == 0) outcome = records::Outcome::Open;
    if (g_gameOver == 0 && !m_reviewing) StartPondering();
    std::ostringstream text;
    records::WritePsq(text, records::ToPsq(game, outcome));
    QFile file(name);
    const QByteArray bytes = QByteArray::fromStdString(text.str());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush()) {
        CurrentInteraction().ShowMessage(this, Tr(kRecordCaption), Tr(kNotWritten).arg(name),
                                         MessageIcon::STOP, MessageButtons::OK);
    }
}

void CBoardView::OnOpenGame() {
    if (m_busy) return;
    const QString name = CurrentInteraction().ChooseRecordFile(this, false);
    if (name.isEmpty()) return;
    const QString shown = QFileInfo(name).fileName();
    QFile file(name);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.read(MAX_RECORD_BYTES);
    records::Check fault;
    records::Game game;
    std::string result;
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8.decode(bytes));
    if (!file.isOpen()) {
        fault = records::Check(records::Fault::Unreadable, 0, file.errorString().toStdString());
    } else if (bytes.contains('\0') || utf8.hasError()) {
        fault = records::Check(records::Fault::Unreadable, 0, "not text");
    } else {
        std::istringstream in(bytes.toStdString());
        std::string error;
        const auto record = records::ReadPsq(in, &error);
        if (!record) {
            fault = records::Check(records::Fault::Unreadable, 0, error);
        } else {
            game = records::FromPsq(*record, &fault);
            result = record->Field("Result");
        }
    }
    if (fault.fault != records::Fault::None) {
        CurrentInteraction().ShowMessage(this, Tr(kRecordCaption), Tr(kRefused).arg(shown, FaultText(fault)),
                                         MessageIcon::STOP, MessageButtons::OK);
        return;
    }
    m_busy = true;
    LoadGame(game, result, shown);
    m_busy = false;
}

void CBoardView::OnCopyGame() {
    int32_t over = 0;
    QGuiApplication::clipboard()->setText(QString::fromStdString(records::MoveList(WholeGame(&over).moves)));
}

void CBoardView::OnPasteGame() {
    if (m_busy) return;
    // A move list names no rule: it is played under the menu's.
    records::Check fault;
    records::Game game{g_rule,
                       records::ParseMoveList(QGuiApplication::clipboard()->text().toStdString(), &fault)};
    if (fault.fault != records::Fault::None) {
        CurrentInteraction().ShowMessage(this, Tr(kRecordCaption),
                                         Tr(kRefused).arg(Tr(kClipboard), FaultText(fault)),
                                         MessageIcon::STOP, MessageButtons::OK);
        return;
    }
    m_busy = true;
    LoadGame(game, "", Tr(kClipboard));
    m_busy = false;
}
