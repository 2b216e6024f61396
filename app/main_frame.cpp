#include "app/main_frame.h"

#include <QMenu>
#include <QMenuBar>

#include "ui/board_view.h"

CMainFrame::CMainFrame() : m_boardView(new CBoardView(this)) {
    setWindowTitle("Renju");
    menuBar()->addMenu("File(&F)");
    QMenu* game = menuBar()->addMenu("Instructions(&I)");
    game->addAction("Start new game(F2)", QKeySequence(Qt::Key_F2), m_boardView, &CBoardView::OnNewGame);
    game->addAction("Undo(&U)", QKeySequence(Qt::Key_U), m_boardView, &CBoardView::OnUndo);
    // The other items come with the settings commands.
    menuBar()->addMenu("Setup(&S)");
    menuBar()->addMenu("Help(&H)");
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
