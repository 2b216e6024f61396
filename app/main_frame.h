// The main window: a menu bar over the board window, which fills the rest of it, and the
// keyboard accelerators. Every command is offered to the board window first; what it does not
// take goes to the frame and then to the application.
#pragma once

#include <QMainWindow>
#include <QMargins>

class CBoardView;
class QMenu;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int START_WIDTH = 380;  // outer size at start, frame included
    static constexpr int START_HEIGHT = 410;

    CMainFrame();
    ~CMainFrame() override;

    CBoardView* View() const { return m_boardView; }
    // Shows the window at its start size, frame included, as the active window (so that keys
    // work at once, also without a window manager).
    void ShowAtStartSize();

    // Routes a command as a menu item or key would; true when some handler took it.
    bool OnCmdMsg(int id);
    // Sets the check marks of a popup's items by their update rules.
    void UpdateMenu(QMenu* menu);

    QMenu* FileMenu() const { return m_fileMenu; }
    QMenu* EditMenu() const { return m_editMenu; }
    QMenu* GameMenu() const { return m_gameMenu; }
    QMenu* SetupMenu() const { return m_setupMenu; }
    QMenu* HelpMenu() const { return m_helpMenu; }
    QMenu* LanguageMenu() const { return m_languageMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // A new language: the menus and the title follow.
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Captions are texts marked for translation, kept as written to follow a new language.
    template <typename Parent>
    QMenu* AddMenu(Parent* parent, const char* caption);
    void AddItem(QMenu* menu, const char* caption, int id);
    void AddAccelerators();
    // Sets the inside size that gives the start size with the frame known now.
    void FitStartSize();

    CBoardView* m_boardView;
    QMenu* m_fileMenu;
    QMenu* m_editMenu;
    QMenu* m_gameMenu;
    QMenu* m_setupMenu;
    QMenu* m_helpMenu;
    QMenu* m_languageMenu;
    // A window manager adds its frame some time after the window is shown: until then the
    // start size follows the frame's margins as they become known.
    bool m_fittingStartSize = false;
    QMargins m_fittedFrame;
};
