// The commands the board window takes: game, setup, score, help and the hidden switches.
#include "ui/commands.h"

#include "engine/board.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "ui/board_view.h"
#include "ui/help.h"
#include "ui/interaction.h"
#include "ui/language.h"
#include "ui/time_limit_dialog.h"

namespace {

int LevelOfCommand(int id) {
    for (int level = 0; level < 8; ++level) {
        if (cmd::LEVELS[level] == id) return level;
    }
    return id == cmd::LEVEL_TOURNAMENT ? TOURNAMENT_LEVEL : -1;
}

}  // namespace

QString ScoreText(int32_t wins, int32_t losses) {
    const int64_t total = int64_t{wins} + losses;
    if (total == 0) return Tr(QT_TRANSLATE_NOOP("Renju", "尚未有交手記錄"));
    // Truncated, not rounded: 2 of 3 is 66.66.
    const int percent = static_cast<int>(int64_t{wins} * 100 / total);
    const int hundredths = static_cast<int>(int64_t{wins} * 10000 / total % 100);
    const QByteArray format =
        Tr(QT_TRANSLATE_NOOP("Renju", "你贏了%5d局\r\n\r\n你輸了%5d局\r\n\r\n勝率為%3d.%02d%%")).toUtf8();
    return QString::asprintf(format.constData(), wins, losses, percent, hundredths);
}

bool CBoardView::OnCommand(int id) {
    Interaction& ui = CurrentInteraction();
    if (const int level = LevelOfCommand(id); level >= 0) {
        g_level = level;
        return true;
    }
    switch (id) {
        case cmd::NEW_GAME:
            OnNewGame();
            return true;
        case cmd::UNDO:
            OnUndo();
            return true;
        case cmd::RULE_BASIC:
        case cmd::RULE_JAPAN:
        case cmd::RULE_INTERNATIONAL:
            g_rule = id - cmd::RULE_BASIC;
            return true;
        case cmd::COMPUTER_START:
        case cmd::HUMAN_START:
            m_humanFirst = id == cmd::HUMAN_START ? 1 : 0;
            return true;
        case cmd::ALTERNATE:
            g_alternate = 1 - g_alternate;
            return true;
        case cmd::TIME_LIMIT:
            OnTimeLimit();
            return true;
        case cmd::SAVE_GAME:
            OnSaveGame();
            return true;
        case cmd::OPEN_GAME:
            OnOpenGame();
            return true;
        case cmd::COPY_GAME:
            OnCopyGame();
            return true;
        case cmd::PASTE_GAME:
            OnPasteGame();
            return true;
        case cmd::REVIEW_BACK:
            ReviewTo(g_moveCount - 1);
            return true;
        case cmd::REVIEW_START:
            ReviewTo(0);
            return true;
        case cmd::REVIEW_FORWARD:
            if (m_reviewing) ReviewTo(g_moveCount + 1);
            return true;
        case cmd::REVIEW_END:
            if (m_reviewing) ReviewTo(ReviewLength());
            return true;
        case cmd::SCORE:
            OnScore();
            return true;
        case cmd::HELP:
            ShowHelpTopic(window(), HELP_FILE,
                          CurrentLanguage() == Language::CHINESE ? HELP_TOPIC_CHINESE : HELP_TOPIC);
            return true;
        case cmd::SEARCH_MODE: {
            const int32_t mode = (g_searchMode.load() + 1) % 3;
            g_searchMode = mode;
            if (mode == 0) ui.Beep();
            return true;
        }
        case cmd::VARIETY: {
            const int32_t variety = (g_variety.load() + 1) % 3;
            g_variety = variety;
            if (variety == 1) ui.Beep();
            return true;
        }
        case cmd::SHOW_INFO:
            g_showInfo = 1 - g_showInfo;
            if (g_showInfo == 0) ui.Beep();
            return true;
        default:
            return false;
    }
}

std::optional<bool> CBoardView::OnUpdateCommand(int id) const {
    if (const int level = LevelOfCommand(id); level >= 0) return g_level == level;
    switch (id) {
        case cmd::RULE_BASIC:
        case cmd::RULE_JAPAN:
        case cmd::RULE_INTERNATIONAL:
            return g_rule == id - cmd::RULE_BASIC;
        case cmd::COMPUTER_START:
            return m_humanFirst == 0;
        case cmd::HUMAN_START:
            return m_humanFirst == 1;
        case cmd::ALTERNATE:
            return g_alternate != 0;
        default:
            return std::nullopt;
    }
}

void CBoardView::OnScore() {
    CurrentInteraction().ShowMessage(this, Tr(QT_TRANSLATE_NOOP("Renju", "勝負統計")),
                                     ScoreText(g_humanWins, g_computerWins), MessageIcon::INFORMATION,
                                     MessageButtons::OK);
}

void CBoardView::OnTimeLimit() {
    CTimeLimitDlg dialog(this);
    dialog.m_seconds = g_timeLimit;
    if (CurrentInteraction().RunDialog(dialog)) g_timeLimit = dialog.m_seconds;
}
