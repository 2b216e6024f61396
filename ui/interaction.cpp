#include "ui/interaction.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>

#include "ui/board_view.h"
#include "ui/language.h"
#include "ui/wait.h"
#include "ui/window_chrome.h"

namespace {

// The middle of the board that message boxes leave in sight: the points of the 26 openings and
// a row and column around them.
constexpr int MIDDLE_FIRST = 6;
constexpr int MIDDLE_LAST = 12;

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::STOP:
            return QMessageBox::Critical;
        case MessageIcon::INFORMATION:
            return QMessageBox::Information;
        case MessageIcon::EXCLAMATION:
            return QMessageBox::Warning;
        case MessageIcon::QUESTION:
            return QMessageBox::Question;
        case MessageIcon::NONE:
            break;
    }
    return QMessageBox::NoIcon;
}

// A box of the board window leaves the middle of the board in sight, where the opening and
// the game's first stones are: it would otherwise open centred on them.
void PlaceClearOfStones(QMessageBox& box, const CBoardView& view) {
    const QWidget* top = view.window();
    const QScreen* screen = top->screen();
    if (!screen || !view.BoardShown()) return;
    // The box takes its final size only when shown: it is laid out off the screen first.
    box.setAttribute(Qt::WA_DontShowOnScreen, true);
    box.show();
    box.hide();
    box.setAttribute(Qt::WA_DontShowOnScreen, false);
    const BoardGeometry g = view.Geometry();
    const QPoint first =
        view.mapToGlobal(QPoint(g.left + MIDDLE_FIRST * g.cellWidth, g.top + MIDDLE_FIRST * g.cellHeight));
    const QPoint last =
        view.mapToGlobal(QPoint(g.left + MIDDLE_LAST * g.cellWidth, g.top + MIDDLE_LAST * g.cellHeight));
    const QRect middle =
        QRect(first, last).adjusted(-g.cellWidth / 2, -g.cellHeight / 2, g.cellWidth / 2, g.cellHeight / 2);
    // The box's frame is taken to be like the game window's.
    const QSize frame = top->frameGeometry().size() - top->geometry().size();
    const QRect placed =
        PlaceClearOf(top->frameGeometry(), middle, box.size() + frame, screen->availableGeometry());
    box.move(placed.topLeft());
}

class ScreenInteraction final : public Interaction {
public:
    MessageAnswer ShowMessage(QWidget* owner, const QString& caption, const QString& text, MessageIcon icon,
                              MessageButtons buttons) override {
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(owner, caption, text, icon, buttons);
        if (auto* view = qobject_cast<CBoardView*>(owner)) PlaceClearOfStones(*box, *view);
        const int result = box->exec();
        if (buttons == MessageButtons::OK) return MessageAnswer::OK;
        return result == QMessageBox::Yes ? MessageAnswer::YES : MessageAnswer::NO;
    }

    bool RunDialog(QDialog& dialog) override { return dialog.exec() == QDialog::Accepted; }

    QString ChooseRecordFile(QWidget* owner, bool save) override {
        const QString filter = Tr(QT_TRANSLATE_NOOP("Renju", "Game records (*.psq)"));
        return save ? QFileDialog::getSaveFileName(owner, Tr(QT_TRANSLATE_NOOP("Renju", "Save game")),
                                                   QString(), filter)
                    : QFileDialog::getOpenFileName(owner, Tr(QT_TRANSLATE_NOOP("Renju", "Open game")),
                                                   QString(), filter);
    }

    void Beep() override { QApplication::beep(); }

    void Pause(int millis) override {
        PauseMillis(millis);
        DiscardPendingInput();
    }
};

ScreenInteraction s_screen;
Interaction* s_current = &s_screen;

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const QString& caption, const QString& text,
                                            MessageIcon icon, MessageButtons buttons) {
    auto box = std::make_unique<QMessageBox>(owner);
    SetDialogButtonsOnly(*box);
    box->setWindowTitle(caption);
    QString shown = text;
    box->setText(shown.replace("\r\n", "\n"));  // Windows line ends in texts
    box->setIcon(ToQtIcon(icon));
    if (buttons == MessageButtons::YES_NO) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    FitCaption(*box);
    return box;
}

Interaction& CurrentInteraction() {
    return *s_current;
}

void SetInteraction(Interaction* interaction) {
    s_current = interaction ? interaction : &s_screen;
}
