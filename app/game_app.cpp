#include "app/game_app.h"

#include "app/about_dialog.h"
#include "app/main_frame.h"
#include "ui/commands.h"
#include "ui/interaction.h"

bool CGameApp::OnCmdMsg(int id, CMainFrame* frame) {
    switch (id) {
        case cmd::ABOUT:
            OnAppAbout(frame);
            return true;
        case cmd::EXIT:
            frame->close();
            return true;
        default:
            return false;
    }
}

void CGameApp::OnAppAbout(QWidget* parent) {
    CAboutDlg dialog(parent);
    CurrentInteraction().RunDialog(dialog);
}

CGameApp& TheApp() {
    static CGameApp app;
    return app;
}
