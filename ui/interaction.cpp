#include "ui/interaction.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include "ui/wait.h"

namespace {

class ScreenInteraction final : public Interaction {
public:
    MessageAnswer ShowMessage(QWidget* owner, const QString& caption, const QString& text, MessageIcon icon,
                              MessageButtons buttons) override {
        QMessageBox box(owner);
        box.setWindowTitle(caption);
        QString shown = text;
        box.setText(shown.replace("\r\n", "\n"));  // Windows line ends in texts
        box.setIcon(ToQtIcon(icon));
        if (buttons == MessageButtons::YES_NO) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        const int result = box.exec();
        if (buttons == MessageButtons::OK) return MessageAnswer::OK;
        return result == QMessageBox::Yes ? MessageAnswer::YES : MessageAnswer::NO;
    }

    bool RunDialog(QDialog& dialog) override { return dialog.exec() == QDialog::Accepted; }

    void Beep() override { QApplication::beep(); }

    void Pause(int millis) override {
        PauseMillis(millis);
        DiscardPendingInput();
    }

private:
    static QMessageBox::Icon ToQtIcon(MessageIcon icon) {
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
};

ScreenInteraction s_screen;
Interaction* s_current = &s_screen;

}  // namespace

Interaction& CurrentInteraction() {
    return *s_current;
}

void SetInteraction(Interaction* interaction) {
    s_current = interaction ? interaction : &s_screen;
}
