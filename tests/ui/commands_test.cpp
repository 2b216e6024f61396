// The settings, the menu bar, the keys and the small commands of the main window.
#include "ui/commands.h"

#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "app/main_frame.h"
#include "engine/board.h"
#include "platform/wait_hook.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/threads.h"
#include "tests/ui/play_fixture.h"
#include "ui/board_view.h"
#include "ui/help.h"
#include "ui/time_limit_dialog.h"
#include "ui/wait.h"

namespace {

// A shown, active main window with a scripted person at the screen.
class FrameTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        SetInteraction(&ui);
        frame = std::make_unique<CMainFrame>();
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    void TearDown() override {
        StopPondering();
        frame.reset();
        SetInteraction(nullptr);
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(frame.get(), key, modifiers);
    }

    // Opens a popup as far as its update rules go and returns its items, separators included.
    QList<QAction*> Open(QMenu* menu) {
        emit menu->aboutToShow();
        return menu->actions();
    }

    QAction* Item(QMenu* menu, const QString& caption) {
        for (QAction* action : Open(menu)) {
            if (action->text() == caption) return action;
        }
        ADD_FAILURE() << "no item " << caption.toStdString();
        return nullptr;
    }

    // The captions of the Setup items that carry a check mark.
    std::vector<std::string> Checked() {
        std::vector<std::string> marked;
        for (QAction* action : Open(frame->SetupMenu())) {
            if (action->isChecked()) marked.push_back(action->text().toStdString());
        }
        return marked;
    }

    ScriptedInteraction ui;
    std::unique_ptr<CMainFrame> frame;
};

std::vector<std::string> Captions(const QList<QAction*>& actions) {
    std::vector<std::string> captions;
    for (const QAction* action : actions)
        captions.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    return captions;
}

TEST_F(FrameTest, MenuBarHasEveryItemInOrder) {
    const std::vector<std::pair<QMenu*, std::vector<std::string>>> menus = {
        {frame->FileMenu(), {"Open game...\tCtrl+O", "Save game...\tCtrl+S", "-", "Score(&S)", "Exit(&X)"}},
        {frame->EditMenu(), {"Copy game", "Paste game"}},
        {frame->GameMenu(), {"Start new game(F2)", "Undo(&U)"}},
        {frame->SetupMenu(),
         {"Naive",
          "Basic",
          "Normal",
          "Advanced",
          "Master",
          "Quite slow 1",
          "Quite slow 2",
          "Quite slow 3",
          "-",
          "Tournament",
          "-",
          "Basic rule",
          "Japan Rule",
          "International Rule",
          "-",
          "Computer start",
          "Human start",
          "Alternative",
          "-",
          "Computer time limit",
          "-",
          "Language"}},
        {frame->LanguageMenu(), {"As written", "English", "中文"}},
        {frame->HelpMenu(), {"Help content(&C)", "About(&A)..."}},
    };
    for (const auto& [menu, captions] : menus) {
        EXPECT_EQ(Captions(Open(menu)), captions) << menu->title().toStdString();
        for (QAction* action : menu->actions())
            EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    }
}

TEST_F(FrameTest, CheckMarksFollowTheSettingsWhenThePopupOpens) {
    EXPECT_EQ(Checked(), (std::vector<std::string>{"Basic", "Basic rule", "Human start"}));
    // Items without an update rule never carry a mark.
    for (QAction* action : Open(frame->FileMenu()))
        EXPECT_FALSE(action->isCheckable());
    EXPECT_FALSE(Item(frame->SetupMenu(), "Computer time limit")->isCheckable());

    Play({{9, 9}, {10, 10}});
    Item(frame->SetupMenu(), "Master")->trigger();
    EXPECT_EQ(g_level, 4);
    EXPECT_EQ(Checked(), (std::vector<std::string>{"Master", "Basic rule", "Human start"}));
    EXPECT_EQ(g_moveCount, 2);  // the game on the board goes on as it was
    EXPECT_EQ(g_gameBoard[CellIndex(9, 9)], CELL_BLACK);

    // A setting changed from elsewhere shows at the next opening of the popup.
    g_rule = 2;
    g_alternate = 1;
    frame->View()->SetHumanFirst(0);
    EXPECT_EQ(Checked(),
              (std::vector<std::string>{"Master", "International Rule", "Computer start", "Alternative"}));

    // The ninth level has its own mark, and takes the others' away.
    Item(frame->SetupMenu(), "Tournament")->trigger();
    EXPECT_EQ(g_level, 8);
    EXPECT_EQ(Checked(), (std::vector<std::string>{"Tournament", "International Rule", "Computer start",
                                                   "Alternative"}));
    Item(frame->SetupMenu(), "Naive")->trigger();
    EXPECT_EQ(Checked(),
              (std::vector<std::string>{"Naive", "International Rule", "Computer start", "Alternative"}));
}

// Every setting item sets its value and nothing else: no message, no beep, no new game.
TEST_F(FrameTest, SettingItemsSetTheirValues) {
    const char* const levels[] = {"Naive",        "Basic",        "Normal",       "Advanced",  "Master",
                                  "Quite slow 1", "Quite slow 2", "Quite slow 3", "Tournament"};
    for (int level = 8; level >= 0; --level) {
        Item(frame->SetupMenu(), levels[level])->trigger();
        EXPECT_EQ(g_level, level) << levels[level];
    }
    const struct {
        const char* caption;
        int rule, humanFirst, alternate;
    } steps[] = {
        {"Japan Rule", 1, 1, 0},     {"International Rule", 2, 1, 0}, {"Basic rule", 0, 1, 0},
        {"Computer start", 0, 0, 0}, {"Alternative", 0, 0, 1},        {"Human start", 0, 1, 1},
        {"Alternative", 0, 1, 0},
    };
    for (const auto& step : steps) {
        Item(frame->SetupMenu(), step.caption)->trigger();
        EXPECT_EQ(g_rule, step.rule) << step.caption;
        EXPECT_EQ(frame->View()->HumanFirst(), step.humanFirst) << step.caption;
        EXPECT_EQ(g_alternate, step.alternate) << step.caption;
    }
    EXPECT_EQ(g_gameRule, 0);  // the game in progress keeps its rule
    EXPECT_EQ(g_moveCount, 0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.beeps, 0);
}

TEST(ScoreText, FormatsCountsAndTruncatedRate) {
    const struct {
        int wins, losses;
        const char* text;
    } cases[] = {
        {0, 0, "尚未有交手記錄"},
        {1, 2, "你贏了    1局\r\n\r\n你輸了    2局\r\n\r\n勝率為 33.33%"},
        {2, 1, "你贏了    2局\r\n\r\n你輸了    1局\r\n\r\n勝率為 66.66%"},
        {3, 0, "你贏了    3局\r\n\r\n你輸了    0局\r\n\r\n勝率為100.00%"},
        {0, 7, "你贏了    0局\r\n\r\n你輸了    7局\r\n\r\n勝率為  0.00%"},
        {123456, 1, "你贏了123456局\r\n\r\n你輸了    1局\r\n\r\n勝率為 99.99%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScoreText(c.wins, c.losses), QString::fromUtf8(c.text)) << c.wins << "/" << c.losses;
}

TEST_F(FrameTest, ScoreBoxShowsTheCountersAndChangesNothing) {
    Item(frame->FileMenu(), "Score(&S)")->trigger();
    g_humanWins = 2;
    g_computerWins = 1;
    Item(frame->FileMenu(), "Score(&S)")->trigger();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, QString::fromUtf8("尚未有交手記錄"));
    EXPECT_EQ(ui.messages[1].text, ScoreText(2, 1));
    for (const ShownMessage& m : ui.messages) {
        EXPECT_EQ(m.caption, QString::fromUtf8("勝負統計"));
        EXPECT_EQ(m.icon, MessageIcon::INFORMATION);
        EXPECT_EQ(m.buttons, MessageButtons::OK);
    }
    EXPECT_EQ(g_humanWins, 2);
    EXPECT_EQ(g_computerWins, 1);
}

TEST(FieldInteger, ReadsWholeNumbersOnly) {
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max(), MIN = std::numeric_limits<int32_t>::min();
    const struct {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"45", 45},
        {" 45 ", 45},
        {"\t45\t", 45},
        {"+7", 7},
        {"-5", -5},
        {"0", 0},
        {"000", 0},
        {"0045", 45},
        {"2147483647", MAX},
        {"99999999999", MAX},
        {"-99999999999", MIN},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"-0", std::nullopt},
        {"+0", std::nullopt},
        {"45s", std::nullopt},
        {"4 5", std::nullopt},
        {"0x10", std::nullopt},
        {"1.5", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFieldInteger(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
}

// The time-limit dialog as a person uses it: type, press OK; a refused entry keeps the dialog
// open, and the person then cancels.
TEST_F(FrameTest, TimeLimitDialogTakesOnlyValidEntries) {
    const QString notInteger = QString::fromUtf8("請輸入一整數.");
    const QString outOfRange = QString::fromUtf8("請輸入一個在 3 到 3600 之間的整數.");
    const struct {
        QString typed;
        int32_t result;  // g_timeLimit afterwards, from 20
        QString message;
    } cases[] = {
        {"45", 45, {}},
        {" 45 ", 45, {}},
        {"+7", 7, {}},
        {"3", 3, {}},
        {"3600", 3600, {}},
        {"45" + QString(29, ' ') + "x", 45, {}},  // only 31 characters are read
        {"45s", 20, notInteger},
        {"", 20, notInteger},
        {"-", 20, notInteger},
        {"2", 20, outOfRange},
        {"3601", 20, outOfRange},
        {"0", 20, outOfRange},
        {"99999999999", 20, outOfRange},
    };
    for (const auto& c : cases) {
        g_timeLimit = 20;
        ui.messages.clear();
        QString shownAtOpening;
        bool fieldHadFocus = false, stillOpen = false, textSelected = false;
        ui.hand = [&](QDialog& dialog) {
            auto& timeDialog = dynamic_cast<CTimeLimitDlg&>(dialog);
            shownAtOpening = timeDialog.Field()->text();
            fieldHadFocus = dialog.focusWidget() == timeDialog.Field();
            timeDialog.Field()->setText(c.typed);
            QTest::mouseClick(timeDialog.OkButton(), Qt::LeftButton);
            stillOpen = dialog.isVisible();
            if (stillOpen) {
                textSelected = timeDialog.Field()->selectedText() == c.typed;
                QTest::mouseClick(timeDialog.CancelButton(), Qt::LeftButton);
            }
        };
        Item(frame->SetupMenu(), "Computer time limit")->trigger();
        const std::string what = '"' + c.typed.toStdString() + '"';
        EXPECT_EQ(shownAtOpening, "20") << what;
        EXPECT_TRUE(fieldHadFocus) << what;
        EXPECT_EQ(g_timeLimit, c.result) << what;
        EXPECT_EQ(stillOpen, !c.message.isEmpty()) << what;
        if (c.message.isEmpty()) {
            EXPECT_TRUE(ui.messages.empty()) << what;
        } else {
            ASSERT_EQ(ui.messages.size(), 1u) << what;
            EXPECT_EQ(ui.messages[0].text, c.message) << what;
            EXPECT_EQ(ui.messages[0].caption, "Renju");
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::EXCLAMATION);
            EXPECT_TRUE(textSelected) << what;
        }
    }
}

TEST_F(FrameTest, TimeLimitDialogCancelledOrEscapedKeepsTheLimit) {
    const auto cancel = [](CTimeLimitDlg& d) { QTest::mouseClick(d.CancelButton(), Qt::LeftButton); };
    const auto escape = [](CTimeLimitDlg& d) { QTest::keyClick(d.Field(), Qt::Key_Escape); };
    const auto close = [](CTimeLimitDlg& d) { d.close(); };
    for (const auto& end :
         {std::function<void(CTimeLimitDlg&)>(cancel), std::function<void(CTimeLimitDlg&)>(escape),
          std::function<void(CTimeLimitDlg&)>(close)}) {
        g_timeLimit = 20;
        ui.hand = [&](QDialog& dialog) {
            auto& timeDialog = dynamic_cast<CTimeLimitDlg&>(dialog);
            timeDialog.Field()->setText("99");
            end(timeDialog);
        };
        frame->OnCmdMsg(cmd::TIME_LIMIT);
        EXPECT_EQ(g_timeLimit, 20);
    }
    // Return in the field presses OK, the default button.
    ui.hand = [](QDialog& dialog) {
        auto& timeDialog = dynamic_cast<CTimeLimitDlg&>(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Time limit for each move by computer");
        timeDialog.Field()->setText("99");
        QTest::keyClick(timeDialog.Field(), Qt::Key_Return);
    };
    frame->OnCmdMsg(cmd::TIME_LIMIT);
    EXPECT_EQ(g_timeLimit, 99);
    EXPECT_EQ(ui.dialogs, 4);
}

TEST_F(FrameTest, HiddenSwitchesCycleAndBeepAtTheirRestValue) {
    const struct {
        const char* what;
        std::function<void()> press;
        std::function<int()> value;
        std::vector<int> values;
        std::vector<int> beeps;  // after each press
    } switches[] = {
        {"Ctrl+M",
         [&] { Key(Qt::Key_M, Qt::ControlModifier); },
         [] { return g_searchMode.load(); },
         {1, 2, 0, 1},
         {0, 0, 1, 1}},
        {"Ctrl+I",
         [&] { Key(Qt::Key_I, Qt::ControlModifier); },
         [] { return g_showInfo; },
         {1, 0, 1},
         {0, 1, 1}},
        {"command 32782",
         [&] { EXPECT_TRUE(frame->OnCmdMsg(cmd::VARIETY)); },
         [] { return g_variety.load(); },
         {2, 0, 1, 2},
         {0, 0, 1, 1}},
    };
    for (const auto& s : switches) {
        ui.beeps = 0;
        for (size_t i = 0; i < s.values.size(); ++i) {
            s.press();
            EXPECT_EQ(s.value(), s.values[i]) << s.what << " press " << i + 1;
            EXPECT_EQ(ui.beeps, s.beeps[i]) << s.what << " press " << i + 1;
        }
    }
    // No menu item sends the variety command.
    for (QMenu* menu :
         {frame->FileMenu(), frame->EditMenu(), frame->GameMenu(), frame->SetupMenu(), frame->HelpMenu()}) {
        for (QAction* action : menu->actions())
            EXPECT_NE(action->property("command").toInt(), cmd::VARIETY);
    }
}

TEST_F(FrameTest, EditingAndPaneKeysDoNothing) {
    frame->View()->SetHumanFirst(0);
    Key(Qt::Key_F2);  // the computer opens: a game with a move to take back
    ASSERT_EQ(g_moveCount, 1);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
    } keys[] = {
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
        {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
        {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
        {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
        {Qt::Key_Backspace, Qt::AltModifier, "Alt+Backspace"},
        {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete"},
        {Qt::Key_Insert, Qt::ControlModifier, "Ctrl+Insert"},
        {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
        {Qt::Key_F6, Qt::NoModifier, "F6"},
        {Qt::Key_F6, Qt::ShiftModifier, "Shift+F6"},
        {Qt::Key_F1, Qt::ShiftModifier, "Shift+F1"},
        {Qt::Key_U, Qt::ShiftModifier, "Shift+U"},
        {Qt::Key_U, Qt::ControlModifier, "Ctrl+U"},
        {Qt::Key_F2, Qt::ControlModifier, "Ctrl+F2"},
        {Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+M"},
        {Qt::Key_I, Qt::NoModifier, "I"},
    };
    for (const auto& k : keys) {
        Key(k.key, k.modifiers);
        EXPECT_EQ(g_moveCount, 1) << k.name;
        EXPECT_EQ(g_searchMode.load(), 0) << k.name;
        EXPECT_EQ(g_showInfo, 0) << k.name;
        EXPECT_EQ(ui.beeps, 0) << k.name;
        EXPECT_EQ(ui.dialogs, 0) << k.name;
        EXPECT_TRUE(ui.messages.empty()) << k.name;
        EXPECT_EQ(OpenHelpView(), nullptr) << k.name;
    }
    for (const int id :
         {cmd::COPY, cmd::CUT, cmd::PASTE, cmd::EDIT_UNDO, cmd::CONTEXT_HELP, cmd::NEXT_PANE, cmd::PREV_PANE})
        EXPECT_FALSE(frame->OnCmdMsg(id)) << id;
    Key(Qt::Key_U);  // the plain letter takes the move back
    EXPECT_EQ(g_moveCount, 0);
}

TEST_F(FrameTest, AlternativeFlipsWhoStartsAtEachNewGame) {
    Item(frame->SetupMenu(), "Alternative")->trigger();
    // The first F2 after start-up lets the computer begin, the next one the human, and so on.
    for (const int humanFirst : {0, 1, 0, 1}) {
        Key(Qt::Key_F2);
        EXPECT_EQ(frame->View()->HumanFirst(), humanFirst);
        EXPECT_EQ(g_moveCount, humanFirst ? 0 : 1);
        EXPECT_EQ(g_humanBlack, humanFirst);
        EXPECT_EQ(Checked()[2], humanFirst ? "Human start" : "Computer start");
    }
}

// Choices made on an empty board take effect at the click that starts the game.
TEST_F(FrameTest, StartChoicesApplyWhenTheEmptyBoardIsClicked) {
    PaintAt(*frame->View(), 400, 400);
    Item(frame->SetupMenu(), "Computer start")->trigger();
    QTest::mouseClick(frame->View(), Qt::LeftButton, {}, Centre(*frame->View(), 3, 3));
    EXPECT_EQ(g_moveCount, 1);  // the computer's opening move, not the click
    EXPECT_EQ(g_humanBlack, 0);
    EXPECT_EQ(ui.dialogs, 0);

    Item(frame->SetupMenu(), "Human start")->trigger();
    Item(frame->SetupMenu(), "International Rule")->trigger();
    ui.hand = [](QDialog& dialog) { dialog.reject(); };
    Key(Qt::Key_U);
    ASSERT_EQ(g_moveCount, 0);
    QTest::mouseClick(frame->View(), Qt::LeftButton, {}, Centre(*frame->View(), 3, 3));
    EXPECT_EQ(ui.dialogs, 1);  // the choice of the opening
    EXPECT_EQ(g_gameRule, 2);
}

TEST_F(FrameTest, HelpShowsTheGameTopicAndGoesWithTheWindow) {
    Key(Qt::Key_F1);
    QTextBrowser* view = OpenHelpView();
    ASSERT_NE(view, nullptr) << "F1 opened no help";
    EXPECT_TRUE(view->window()->isVisible());
    EXPECT_EQ(view->window()->windowTitle(), "Renju: how to play");
    const QString text = view->toPlainText();
    for (const char* words :
         {"double three", "overline", "26 standard openings", "fifth move", "Quite slow 3", "F2"})
        EXPECT_TRUE(text.contains(words)) << words;
    // The menu item shows the same window, not a second one.
    Item(frame->HelpMenu(), "Help content(&C)")->trigger();
    EXPECT_EQ(OpenHelpView(), view);

    frame->close();
    EXPECT_EQ(OpenHelpView(), nullptr);
}

// The help and the about box count the levels that Setup offers, and the help names each.
TEST_F(FrameTest, HelpAndAboutNameEveryLevelOfTheSetupMenu) {
    std::vector<QString> levels;
    for (QAction* action : Open(frame->SetupMenu())) {
        if (action->text() == "Basic rule") break;
        if (!action->isSeparator()) levels.push_back(action->text());
    }
    ASSERT_EQ(levels.size(), 9u);
    const QString count = "nine levels";

    Key(Qt::Key_F1);
    ASSERT_NE(OpenHelpView(), nullptr);
    const QString help = OpenHelpView()->toPlainText().simplified();
    EXPECT_TRUE(help.contains(count)) << help.toStdString();
    for (const QString& level : levels)
        EXPECT_TRUE(help.contains(level)) << level.toStdString();
    QuitHelp();

    QString about;
    ui.hand = [&](QDialog& dialog) {
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            about += label->text() + "\n";
        dialog.accept();
    };
    Item(frame->HelpMenu(), "About(&A)...")->trigger();
    EXPECT_TRUE(about.contains(count)) << about.toStdString();
}

TEST_F(FrameTest, EscapeClosesTheHelpWindow) {
    Key(Qt::Key_F1);
    ASSERT_NE(OpenHelpView(), nullptr);
    QWidget* help = OpenHelpView()->window();
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(OpenHelpView(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(OpenHelpView(), nullptr) << "the help window is still open";
}

// Closing the window while the computer thinks stops the search at once: the program does not
// wait out the time limit.
TEST_F(FrameTest, ClosingWhileTheComputerThinksStopsTheSearch) {
    constexpr qint64 HANG_MILLIS = 10000;  // the player would think for 54 s
    InstallWaitHook();
    g_level = TOURNAMENT_LEVEL;  // thinks for nine tenths of the limit
    g_timeLimit = 60;
    Play({{9, 9}, {10, 9}, {9, 11}, {10, 11}});
    frame->View()->Invalidate();
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame->View()->BoardShown());
    bool closed = false;
    QTimer::singleShot(500, frame.get(), [&] { closed = frame->close(); });
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(frame->View(), Qt::LeftButton, {}, Centre(*frame->View(), 3, 3));
    const qint64 elapsed = timer.elapsed();
    SetWaitHook(nullptr);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_LT(elapsed, HANG_MILLIS);
    EXPECT_TRUE(ui.messages.empty()) << "a message after the window closed";
    std::printf("  closed after %lld ms\n", static_cast<long long>(elapsed));
}

TEST(HelpFile, TopicsAreFoundByNumberAndWrittenAsHtml) {
    const QString file =
        "# a comment\n"
        "@topic 7 Other\nnot this\n"
        "@topic 1001 Main <title>\n"
        "First line\njoins the second.\n\n"
        "== Keys & more\n"
        "* F2: new\n  game\n* U < undo\n"
        "Last.\n"
        "@topic 8 After\nnot this either\n";
    const std::optional<HelpTopic> topic = FindHelpTopic(file, 1001);
    ASSERT_TRUE(topic.has_value());
    EXPECT_EQ(topic->title, "Main <title>");
    EXPECT_EQ(topic->html.toStdString(),
              "<p>First line joins the second.</p>\n"
              "<h3>Keys &amp; more</h3>\n"
              "<ul>\n<li>F2: new game</li>\n<li>U &lt; undo</li>\n</ul>\n"
              "<p>Last.</p>\n");
    EXPECT_FALSE(FindHelpTopic(file, 9).has_value());
    EXPECT_FALSE(FindHelpTopic("", 1001).has_value());
}

TEST_F(FrameTest, MissingHelpFileIsToldInTheHelpWindow) {
    // Three different folders, none of which has the file: each is named, once.
    const QStringList places = HelpFileCandidates("no-such-file.hlp");
    ASSERT_EQ(places.size(), 3) << places.join(", ").toStdString();
    ShowHelpTopic(frame.get(), "no-such-file.hlp", 1001);
    ASSERT_NE(OpenHelpView(), nullptr);
    const QString text = OpenHelpView()->toPlainText();
    EXPECT_TRUE(text.contains("no-such-file.hlp was not found"));
    for (const QString& place : places)
        EXPECT_EQ(text.count(place), 1) << place.toStdString() << " in: " << text.toStdString();
    ShowHelpTopic(frame.get(), HELP_FILE, 4242);
    EXPECT_TRUE(OpenHelpView()->toPlainText().contains("has no topic 4242"));
    QuitHelp();
    EXPECT_EQ(OpenHelpView(), nullptr);
}

// Damaged or hostile help files are told in the help window at once: never waited for, never
// read without limit, never laid out for minutes.
TEST_F(FrameTest, BadHelpFilesAreToldFast) {
    // Each takes well under a second (printed below); only a file waited for or read without
    // limit, or a layout of minutes, reaches this on however busy a machine.
    constexpr qint64 HANG_MILLIS = 60000;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto topic = [](const QByteArray& body) { return "@topic 1001 Renju\n" + body; };
    const auto repeated = [](const QByteArray& piece, qsizetype bytes) {
        QByteArray all;
        while (all.size() < bytes)
            all += piece;
        return all;
    };
    const auto items = [](int count) {
        QByteArray list;
        for (int i = 0; i < count; ++i)
            list += "* item " + QByteArray::number(i) + "\n";
        return list;
    };
    struct Case {
        const char* name;
        QByteArray contents;  // written to the file unless `make` makes it
        std::function<void(const QString& path)> make;
        const char* shown;  // words the window shows
    };
    const Case cases[] = {
        {"a 30 MB paragraph", topic(repeated("word ", 30 << 20)), nullptr, "is too big"},
        {"a FIFO",
         {},
         [](const QString& path) { ASSERT_EQ(mkfifo(QFile::encodeName(path), 0600), 0); },
         "is not a regular file"},
        {"a link to /dev/zero",
         {},
         [](const QString& path) { ASSERT_TRUE(QFile::link("/dev/zero", path)); },
         "is not a regular file"},
        {"a folder",
         {},
         [](const QString& path) { ASSERT_TRUE(QDir().mkdir(path)); },
         "is not a regular file"},
        {"binary",
         QByteArray("\x7f"
                    "ELF\x02\x01\x01\0\0\0@topic 1001 x\n",
                    25),
         nullptr, "is not a text file"},
        {"cut short inside a character", topic("Renju \xe9\x80"), nullptr, "is not a text file"},
        {"cut short before its topic", "@topic 7 Other\nsome text\n@top", nullptr, "has no topic 1001"},
        {"a huge paragraph", topic(repeated("word ", 900000)), nullptr, "too long to show"},
        {"a huge word", topic(QByteArray(1000000, 'w')), nullptr, "too long to show"},
        {"20,000 items", topic(items(20000)), nullptr, "too long to show"},
        // Within the limits, long words and long lists are shown, and fast.
        {"the longest word", topic(QByteArray(99000, 'w') + "\nend"), nullptr, "wwwwwwww"},
        {"5,000 items", topic(items(5000)), nullptr, "item 4999"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString("help%1.hlp").arg(n++));
        if (c.make) {
            c.make(path);
        } else {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(c.contents), c.contents.size());
        }
        QElapsedTimer timer;
        timer.start();
        ShowHelpTopic(frame.get(), path, 1001);
        QTextBrowser* view = OpenHelpView();
        ASSERT_NE(view, nullptr);
        view->document()->size();  // the layout
        QCoreApplication::processEvents();
        const qint64 elapsed = timer.elapsed();
        std::printf("  %s: %lld ms\n", c.name, static_cast<long long>(elapsed));
        EXPECT_LT(elapsed, HANG_MILLIS);
        EXPECT_TRUE(view->toPlainText().contains(c.shown)) << view->toPlainText().left(300).toStdString();
    }
    QuitHelp();
}

TEST_F(FrameTest, AboutShowsTheVersionAndExitClosesTheWindow) {
    QString version;
    ui.hand = [&](QDialog& dialog) {
        EXPECT_NE(dynamic_cast<CAboutDlg*>(&dialog), nullptr);
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text().startsWith("Renju Version")) version = label->text();
        }
        dialog.accept();
    };
    Item(frame->HelpMenu(), "About(&A)...")->trigger();
    EXPECT_EQ(ui.dialogs, 1);
    EXPECT_EQ(version, VERSION_LINE);

    Item(frame->FileMenu(), "Exit(&X)")->trigger();
    EXPECT_FALSE(frame->isVisible());
}

}  // namespace
