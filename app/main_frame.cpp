#include "app/main_frame.h"

#include <QMenuBar>

#include "ui/board_view.h"

CMainFrame::CMainFrame() : m_boardView(new CBoardView(this)) {
    setWindowTitle("Renju");
    // The items of these menus come with the settings commands.
    for (const char* caption : {"File(&F)", "Instructions(&I)", "Setup(&S)", "Help(&H)"})
        menuBar()->addMenu(QString::fromUtf8(caption));
    setCentralWidget(m_boardView);
    setFocusProxy(m_boardView);
    resize(START_WIDTH, START_HEIGHT);
}

void CMainFrame::ShowAtStartSize() {
    show();
    // resize() sets the inside of the window; the frame of the window manager is known only
    // once the window exists, so take it off now.
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(START_WIDTH - frame.width(), START_HEIGHT - frame.height());
}
