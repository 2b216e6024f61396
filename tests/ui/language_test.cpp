// The language of the texts: from the locale or Setup > Language, kept with the settings, and
// the translations in force everywhere the texts are shown.
#include "ui/language.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>
#include <memory>
#include <string>
#include <vector>

#include "app/main_frame.h"
#include "engine/openings.h"
#include "player/game_state.h"
#include "tests/ui/play_fixture.h"
#include "ui/board_view.h"
#include "ui/commands.h"
#include "ui/help.h"
#include "ui/opening_dialog.h"

namespace {

TEST(Language, FollowsTheLocale) {
    const struct {
        const char* locale;
        Language expected;
    } cases[] = {
        {"zh_TW.UTF-8", Language::CHINESE},  {"zh_HK", Language::CHINESE},
        {"zh_CN.GB2312", Language::CHINESE}, {"C", Language::AS_WRITTEN},
        {"C.UTF-8", Language::AS_WRITTEN},   {"POSIX", Language::AS_WRITTEN},
        {"", Language::AS_WRITTEN},          {"en_US.UTF-8", Language::ENGLISH},
        {"de_DE@euro", Language::ENGLISH},   {"ja_JP", Language::ENGLISH},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageForLocale(c.locale), c.expected) << c.locale;
}

TEST(Language, OpeningNamesMarkedAreTheOpenings) {
    for (int k = 0; k < OPENING_COUNT; ++k)
        EXPECT_STREQ(OPENING_NAMES_MARKED[k], g_openingNames[k]) << "opening " << k;
}

// A frame with Setup > Language; the texts are as written again after each test.
class LanguageTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        frame = std::make_unique<CMainFrame>();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override {
        SetLanguage(Language::AS_WRITTEN);
        frame.reset();
        PlayTest::TearDown();
    }
    void Choose(const QString& caption) {
        emit frame->LanguageMenu()->aboutToShow();
        for (QAction* action : frame->LanguageMenu()->actions()) {
            if (action->text() == caption) return action->trigger();
        }
        ADD_FAILURE() << "no language item " << caption.toStdString();
    }
    QString Checked() {
        emit frame->LanguageMenu()->aboutToShow();
        QString checked;
        for (QAction* action : frame->LanguageMenu()->actions())
            if (action->isChecked()) checked += action->text();
        return checked;
    }
    std::vector<QString> MenuTitles() {
        std::vector<QString> titles;
        for (QAction* action : frame->menuBar()->actions())
            titles.push_back(action->text());
        return titles;
    }
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(LanguageTest, SetupLanguageChangesEveryMenuAndTheTitleAndIsKept) {
    EXPECT_EQ(Checked(), "As written");
    const struct {
        const char* item;
        Language language;
        std::vector<QString> menus;
        QString newGame;
        QString title;
        QString savedAs;
    } cases[] = {
        {"English",
         Language::ENGLISH,
         {"&File", "&Edit", "&Instructions", "&Setup", "&Help"},
         "Start new game (F2)",
         "Renju - Move 0, Time 0.00",
         "english"},
        {"中文",
         Language::CHINESE,
         {"檔案(&F)", "編輯(&E)", "對局(&I)", "設定(&S)", "說明(&H)"},
         "開始新局(F2)",
         "五子棋 - 第 0 手，用時 0.00 秒",
         "chinese"},
        {"As written",
         Language::AS_WRITTEN,
         {"File(&F)", "Edit(&E)", "Instructions(&I)", "Setup(&S)", "Help(&H)"},
         "Start new game(F2)",
         "Renju - Move 0, Time 0.00",
         "as-written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        Choose(QString::fromUtf8(c.item));
        QCoreApplication::processEvents();  // the change of language reaches the windows
        EXPECT_EQ(CurrentLanguage(), c.language);
        EXPECT_EQ(Checked(), QString::fromUtf8(c.item));
        EXPECT_EQ(MenuTitles(), c.menus);
        EXPECT_EQ(frame->GameMenu()->actions().front()->text(), c.newGame);
        frame->View()->repaint();
        EXPECT_EQ(frame->windowTitle(), c.title);
        EXPECT_EQ(SavedLanguage(), c.language);
        EXPECT_EQ(QSettings(QSettings::IniFormat, QSettings::UserScope, "renju", "renju").value("language"),
                  c.savedAs);
    }
}

// Texts the play flow shows, in each language: every Chinese text has its English and every
// English one its Chinese.
TEST_F(LanguageTest, MessagesAndOpeningNamesAreTranslated) {
    ASSERT_TRUE(SetLanguage(Language::ENGLISH));
    EXPECT_EQ(OpeningName(0), "Kagetsu");
    EXPECT_EQ(OpeningName(25), "Suisei");
    EXPECT_EQ(ScoreText(0, 0), "No games played yet");
    EXPECT_EQ(ScoreText(1, 2), "You won     1 games\r\n\r\nYou lost     2 games\r\n\r\nWin rate  33.33%");
    ASSERT_TRUE(SetLanguage(Language::CHINESE));
    EXPECT_EQ(OpeningName(0), QString::fromUtf8("花月"));
    EXPECT_EQ(ScoreText(0, 0), QString::fromUtf8("尚未有交手記錄"));

    // The computer chooses the opening and asks about the swap; in English the opening has its
    // romanised name.
    ASSERT_TRUE(SetLanguage(Language::ENGLISH));
    NewWindow(2, 0, 1, 3);
    ui.answers = {MessageAnswer::YES};
    view->OnNewGame();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Please decide who moves first");
    EXPECT_TRUE(ui.messages[0].text.startsWith("I choose the opening ")) << ui.messages[0].text.toStdString();
    EXPECT_FALSE(ui.messages[0].text.contains(QString::fromUtf8("【"))) << ui.messages[0].text.toStdString();
}

// In Chinese, F1 shows the help in Chinese, with the levels named as Setup names them.
TEST_F(LanguageTest, HelpIsShownInChinese) {
    ASSERT_TRUE(SetLanguage(Language::CHINESE));
    QCoreApplication::processEvents();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_NE(OpenHelpView(), nullptr);
    EXPECT_EQ(OpenHelpView()->window()->windowTitle(), QString::fromUtf8("五子棋：玩法"));
    const QString text = OpenHelpView()->toPlainText();
    for (const char* words : {"雙三", "長連", "26 種標準開局", "第五手", "九個等級"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
    // The nine level items come first in Setup.
    int levels = 0;
    for (QAction* action : frame->SetupMenu()->actions()) {
        if (action->isSeparator()) continue;
        if (++levels > 9) break;
        EXPECT_TRUE(text.contains(action->text())) << action->text().toStdString();
    }
    QuitHelp();
}

}  // namespace
