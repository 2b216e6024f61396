// The main window: a menu bar over the board window, which fills the rest of it.
#pragma once

#include <QMainWindow>

class CBoardView;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int START_WIDTH = 380;  // outer size at start, frame included
    static constexpr int START_HEIGHT = 410;

    CMainFrame();

    CBoardView* View() const { return m_boardView; }
    // Shows the window at its start size.
    void ShowAtStartSize();

private:
    CBoardView* m_boardView;
};
