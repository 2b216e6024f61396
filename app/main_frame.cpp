#include "app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include "app/game_app.h"
#include "ui/board_view.h"
#include "ui/commands.h"
#include "ui/help.h"
#include "ui/language.h"
#include "ui/window_chrome.h"

namespace {

const char* const LEVEL_CAPTIONS[8] = {
    QT_TRANSLATE_NOOP("Renju", "Naive"),        QT_TRANSLATE_NOOP("Renju", "Basic"),
    QT_TRANSLATE_NOOP("Renju", "Normal"),       QT_TRANSLATE_NOOP("Renju", "Advanced"),
    QT_TRANSLATE_NOOP("Renju", "Master"),       QT_TRANSLATE_NOOP("Renju", "Quite slow 1"),
    QT_TRANSLATE_NOOP("Renju", "Quite slow 2"), QT_TRANSLATE_NOOP("Renju", "Quite slow 3")};

// The language items name each language in itself, so that anyone finds their own.
const struct {
    const char* caption;
    int id;
} LANGUAGE_ITEMS[] = {
    {"As written", cmd::LANGUAGE_AS_WRITTEN},
    {"English", cmd::LANGUAGE_ENGLISH},
    {"中文", cmd::LANGUAGE_CHINESE},
};

constexpr char COMMAND_PROPERTY[] = "command";
constexpr char SOURCE_PROPERTY[] = "source";  // the caption as written, for a change of language
constexpr int FRAME_WAIT_MILLIS = 5000;       // how long after showing the frame may still arrive

}  // namespace

CMainFrame::CMainFrame() : m_boardView(new CBoardView(this)) {
    setWindowTitle(Tr(QT_TRANSLATE_NOOP("Renju", "Renju")));

    m_fileMenu = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Renju", "File(&F)"));
    AddItem(m_fileMenu, QT_TRANSLATE_NOOP("Renju", "Open game...\tCtrl+O"), cmd::OPEN_GAME);
    AddItem(m_fileMenu, QT_TRANSLATE_NOOP("Renju", "Save game...\tCtrl+S"), cmd::SAVE_GAME);
    m_fileMenu->addSeparator();
    AddItem(m_fileMenu, QT_TRANSLATE_NOOP("Renju", "Score(&S)"), cmd::SCORE);
    AddItem(m_fileMenu, QT_TRANSLATE_NOOP("Renju", "Exit(&X)"), cmd::EXIT);

    m_editMenu = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Renju", "Edit(&E)"));
    AddItem(m_editMenu, QT_TRANSLATE_NOOP("Renju", "Copy game"), cmd::COPY_GAME);
    AddItem(m_editMenu, QT_TRANSLATE_NOOP("Renju", "Paste game"), cmd::PASTE_GAME);

    m_gameMenu = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Renju", "Instructions(&I)"));
    AddItem(m_gameMenu, QT_TRANSLATE_NOOP("Renju", "Start new game(F2)"), cmd::NEW_GAME);
    AddItem(m_gameMenu, QT_TRANSLATE_NOOP("Renju", "Undo(&U)"), cmd::UNDO);

    m_setupMenu = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Renju", "Setup(&S)"));
    for (int level = 0; level < 8; ++level)
        AddItem(m_setupMenu, LEVEL_CAPTIONS[level], cmd::LEVELS[level]);
    m_setupMenu->addSeparator();
    // The strongest player.
    AddItem(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "Tournament"), cmd::LEVEL_TOURNAMENT);
    m_setupMenu->addSeparator();
    AddItem(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "Basic rule"), cmd::RULE_BASIC);
    AddItem(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "Japan Rule"), cmd::RULE_JAPAN);
    AddItem(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "International Rule"), cmd::RULE_INTERNATIONAL);
    m_setupMenu->addSeparator();
    AddItem(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "Computer start"), cmd::COMPUTER_START);
    AddItem(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "Human start"), cmd::HUMAN_START);
    AddItem(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "Alternative"), cmd::ALTERNATE);
    m_setupMenu->addSeparator();
    AddItem(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "Computer time limit"), cmd::TIME_LIMIT);
    m_setupMenu->addSeparator();
    m_languageMenu = AddMenu(m_setupMenu, QT_TRANSLATE_NOOP("Renju", "Language"));
    for (const auto& [caption, id] : LANGUAGE_ITEMS) {
        QAction* action = m_languageMenu->addAction(QString::fromUtf8(caption));
        action->setProperty(COMMAND_PROPERTY, id);
        connect(action, &QAction::triggered, this, [this, id = id] { OnCmdMsg(id); });
    }

    m_helpMenu = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Renju", "Help(&H)"));
    AddItem(m_helpMenu, QT_TRANSLATE_NOOP("Renju", "Help content(&C)"), cmd::HELP);
    AddItem(m_helpMenu, QT_TRANSLATE_NOOP("Renju", "About(&A)..."), cmd::ABOUT);

    AddAccelerators();
    setCentralWidget(m_boardView);
    // The window never gets too small to show the board.
    m_boardView->setMinimumSize(CBoardView::MIN_CLIENT, CBoardView::MIN_CLIENT);
    setFocusProxy(m_boardView);
    resize(START_WIDTH, START_HEIGHT);
}

CMainFrame::~CMainFrame() {
    QuitHelp();
}

template <typename Parent>
QMenu* CMainFrame::AddMenu(Parent* parent, const char* caption) {
    QMenu* menu = parent->addMenu(Tr(caption));
    menu->menuAction()->setProperty(SOURCE_PROPERTY, QString::fromUtf8(caption));
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    return menu;
}

void CMainFrame::AddItem(QMenu* menu, const char* caption, int id) {
    QAction* action = menu->addAction(Tr(caption));
    action->setProperty(COMMAND_PROPERTY, id);
    action->setProperty(SOURCE_PROPERTY, QString::fromUtf8(caption));
    connect(action, &QAction::triggered, this, [this, id] { OnCmdMsg(id); });
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        for (QAction* action : findChildren<QAction*>()) {
            const QVariant source = action->property(SOURCE_PROPERTY);
            if (source.isValid()) action->setText(Tr(source.toString().toUtf8().constData()));
        }
        m_boardView->Invalidate();  // the title, in the new language
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::AddAccelerators() {
    // The keys name their command; the editing and pane keys reach no handler, so they do
    // nothing, and in particular Ctrl+Z does not take a move back. A key held with any other
    // modifier is another key sequence, so Shift+U does not undo.
    const struct {
        QKeyCombination key;
        int id;
    } accelerators[] = {
        {Qt::CTRL | Qt::Key_C, cmd::COPY},
        {Qt::CTRL | Qt::Key_I, cmd::SHOW_INFO},
        {Qt::CTRL | Qt::Key_M, cmd::SEARCH_MODE},
        {Qt::CTRL | Qt::Key_O, cmd::OPEN_GAME},
        {QKeyCombination(Qt::Key_Left), cmd::REVIEW_BACK},
        {QKeyCombination(Qt::Key_Right), cmd::REVIEW_FORWARD},
        {QKeyCombination(Qt::Key_Home), cmd::REVIEW_START},
        {QKeyCombination(Qt::Key_End), cmd::REVIEW_END},
        {Qt::CTRL | Qt::Key_S, cmd::SAVE_GAME},
        {QKeyCombination(Qt::Key_U), cmd::UNDO},
        {Qt::CTRL | Qt::Key_V, cmd::PASTE},
        {Qt::ALT | Qt::Key_Backspace, cmd::EDIT_UNDO},
        {Qt::SHIFT | Qt::Key_Delete, cmd::CUT},
        {QKeyCombination(Qt::Key_F1), cmd::HELP},
        {Qt::SHIFT | Qt::Key_F1, cmd::CONTEXT_HELP},
        {QKeyCombination(Qt::Key_F2), cmd::NEW_GAME},
        {QKeyCombination(Qt::Key_F6), cmd::NEXT_PANE},
        {Qt::SHIFT | Qt::Key_F6, cmd::PREV_PANE},
        {Qt::CTRL | Qt::Key_Insert, cmd::COPY},
        {Qt::SHIFT | Qt::Key_Insert, cmd::PASTE},
        {Qt::CTRL | Qt::Key_X, cmd::CUT},
        {Qt::CTRL | Qt::Key_Z, cmd::EDIT_UNDO},
    };
    for (const auto& [key, id] : accelerators) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] { OnCmdMsg(id); });
    }
}

bool CMainFrame::OnCmdMsg(int id) {
    if (m_boardView->OnCommand(id)) return true;
    return TheApp().OnCmdMsg(id, this);
}

void CMainFrame::UpdateMenu(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        const QVariant id = action->property(COMMAND_PROPERTY);
        if (!id.isValid()) continue;
        // Only a marked item is checkable, so that unmarked ones show no empty box.
        const std::optional<bool> mark = m_boardView->OnUpdateCommand(id.toInt());
        const bool marked = mark ? *mark : TheApp().OnUpdateCommand(id.toInt()).value_or(false);
        action->setCheckable(marked);
        action->setChecked(marked);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    QuitHelp();                   // the help window would otherwise keep the program running
    m_boardView->StopForClose();  // the computer must not think on to its time limit
    QMainWindow::closeEvent(event);
}

void CMainFrame::ShowAtStartSize() {
    m_fittingStartSize = true;
    m_fittedFrame = QMargins();
    resize(START_WIDTH, START_HEIGHT);
    show();
    FitStartSize();
    raise();
    activateWindow();
    // A frame that has not come by then is not coming from this start.
    QTimer::singleShot(FRAME_WAIT_MILLIS, this, [this] { m_fittingStartSize = false; });
}

void CMainFrame::FitStartSize() {
    if (!m_fittingStartSize || !windowHandle()) return;
    // resize() sets the inside of the window; the frame is the window manager's.
    const QMargins frame = windowHandle()->frameMargins();
    if (frame == m_fittedFrame) return;
    m_fittedFrame = frame;
    resize(InsideSizeFor({START_WIDTH, START_HEIGHT}, frame));
    // Once a real frame has been taken off, the size is the user's.
    if (!frame.isNull()) m_fittingStartSize = false;
}

bool CMainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::WindowActivate:
            FitStartSize();
            break;
        default:
            break;
    }
    return handled;
}
