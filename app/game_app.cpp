#include "app/game_app.h"

#include "app/about_dialog.h"
#include "app/main_frame.h"
#include "ui/commands.h"
#include "ui/interaction.h"
#include "ui/language.h"

namespace {

Language LanguageOfCommand(int id) {
    switch (id) {
        case cmd::LANGUAGE_ENGLISH:
            return Language::ENGLISH;
        case cmd::LANGUAGE_CHINESE:
            return Language::CHINESE;
        default:
            return Language::AS_WRITTEN;
    }
}

}  // namespace

bool CGameApp::OnCmdMsg(int id, CMainFrame* frame) {
    switch (id) {
        case cmd::ABOUT:
            OnAppAbout(frame);
            return true;
        case cmd::EXIT:
            frame->close();
            return true;
        case cmd::LANGUAGE_AS_WRITTEN:
        case cmd::LANGUAGE_ENGLISH:
        case cmd::LANGUAGE_CHINESE: {
            const Language language = LanguageOfCommand(id);
            if (!SetLanguage(language)) {
                CurrentInteraction().ShowMessage(
                    frame, Tr(QT_TRANSLATE_NOOP("Renju", "Renju")),
                    Tr(QT_TRANSLATE_NOOP("Renju", "The translation file %1 was not found."))
                        .arg(TranslationFile(language)),
                    MessageIcon::EXCLAMATION, MessageButtons::OK);
                return true;
            }
            SaveLanguage(language);
            return true;
        }
        default:
            return false;
    }
}

std::optional<bool> CGameApp::OnUpdateCommand(int id) const {
    switch (id) {
        case cmd::LANGUAGE_AS_WRITTEN:
        case cmd::LANGUAGE_ENGLISH:
        case cmd::LANGUAGE_CHINESE:
            return CurrentLanguage() == LanguageOfCommand(id);
        default:
            return std::nullopt;
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
