// Everything the play flow asks of the person at the screen besides clicks: modal message
// boxes, modal dialogs, the beep and short pauses. The game uses the real ones; tests install
// a scripted stand-in that answers the boxes, reads their texts and counts the beeps.
#pragma once

#include <QString>
#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

enum class MessageIcon { NONE, STOP, INFORMATION, EXCLAMATION, QUESTION };
enum class MessageButtons { OK, YES_NO };
enum class MessageAnswer { OK, YES, NO };

class Interaction {
public:
    virtual ~Interaction() = default;
    // A modal message box owned by `owner`. Closing a Yes/No box any other way answers No.
    virtual MessageAnswer ShowMessage(QWidget* owner, const QString& caption, const QString& text,
                                      MessageIcon icon, MessageButtons buttons) = 0;
    // Runs a modal dialog; true when it ended with OK.
    virtual bool RunDialog(QDialog& dialog) = 0;
    // The file to save a game record to, or to open one from; empty when none was chosen.
    virtual QString ChooseRecordFile(QWidget* owner, bool save) = 0;
    virtual void Beep() = 0;
    // Waits while the window keeps painting; input made meanwhile is dropped.
    virtual void Pause(int millis) = 0;
};

// The message box that ShowMessage runs: dialog buttons only, and wide enough for its caption.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const QString& caption, const QString& text,
                                            MessageIcon icon, MessageButtons buttons);

// The one in force: the real one unless a test installed another.
Interaction& CurrentInteraction();
// nullptr puts the real one back.
void SetInteraction(Interaction* interaction);
