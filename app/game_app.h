// The application object: the last stop of a command after the board window and the frame.
#pragma once

#include <optional>

class CMainFrame;
class QWidget;

class CGameApp {
public:
    // About, Exit and the languages; false for any other command, which then does nothing.
    bool OnCmdMsg(int id, CMainFrame* frame);
    // The check mark of a language item; nothing for other items.
    std::optional<bool> OnUpdateCommand(int id) const;
    // Runs the about box.
    void OnAppAbout(QWidget* parent);
};

CGameApp& TheApp();
