#include "ui/interaction.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include "ui/wait.h"
#include "ui/window_chrome.h"

namespace {

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

class ScreenInteraction final : public Interaction {
public:
    MessageAnswer ShowMessage(QWidget* owner, const QString& caption, const QString& text, MessageIcon icon,
                              MessageButtons buttons) override {
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(owner, caption, text, icon, buttons);
        const int result = box->exec();
        if (buttons == MessageButtons::OK) return MessageAnswer::OK;
        return result == QMessageBox::Yes ? MessageAnswer::YES : MessageAnswer::NO;
    }

    bool RunDialog(QDialog& dialog) override { return dialog.exec() == QDialog::Accepted; }

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
