// The application object: the last stop of a command after the board window and the frame.
#pragma once

class CMainFrame;
class QWidget;

class CGameApp {
public:
    // About and Exit; false for any other command, which then does nothing.
    bool OnCmdMsg(int id, CMainFrame* frame);
    // Runs the about box.
    void OnAppAbout(QWidget* parent);
};

CGameApp& TheApp();
