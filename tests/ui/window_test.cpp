// How the windows sit on the desktop: dialog layout and title bars, message boxes as wide as
// their caption, the help window beside the game, the frame's start size.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/about_dialog.h"
#include "app/main_frame.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "tests/ui/play_fixture.h"
#include "tests/ui/view_fixture.h"
#include "ui/help.h"
#include "ui/interaction.h"
#include "ui/opening_dialog.h"
#include "ui/time_limit_dialog.h"
#include "ui/window_chrome.h"

namespace {

using WindowTest = ViewTest;

QLabel* LabelWithText(const QWidget& parent, const QString& text) {
    for (QLabel* label : parent.findChildren<QLabel*>()) {
        if (label->text() == text) return label;
    }
    return nullptr;
}

TEST_F(WindowTest, TimeLimitFieldFillsTheGapInTheTextAndShowsFourDigitsWhole) {
    CTimeLimitDlg dialog;
    dialog.m_seconds = 3600;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QLabel* before = LabelWithText(dialog, "One move no more than");
    const QLabel* after = LabelWithText(dialog, "sec");
    ASSERT_NE(before, nullptr);
    ASSERT_NE(after, nullptr);
    const QRect field = dialog.Field()->geometry();

    // "than" ends before the field, "sec" starts after it, and the buttons come after that.
    const QFontMetrics metrics(before->font());
    EXPECT_LE(before->x() + metrics.horizontalAdvance(before->text()), field.left());
    EXPECT_GT(after->x(), field.right());
    EXPECT_LT(after->x() + metrics.horizontalAdvance(after->text()), dialog.OkButton()->x());
    EXPECT_LT(std::abs(before->geometry().center().y() - field.center().y()), 2) << "text and field in line";
    EXPECT_LE(dialog.OkButton()->geometry().right(), dialog.width());

    // The digits drawn in the field: their ink starts clear of the field's left edge and is as
    // wide as the text, so no digit is cut.
    ASSERT_EQ(dialog.Field()->text(), "3600");
    dialog.Field()->setCursorPosition(4);
    const QImage image = dialog.Field()->grab().toImage();
    int first = image.width(), last = -1;
    for (int y = image.height() / 3; y < 2 * image.height() / 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            if (qGray(image.pixel(x, y)) < 96) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    ASSERT_GE(last, 0) << "no digits drawn";
    EXPECT_GT(first, 4) << "the first digit touches the field's edge";
    EXPECT_GE(last - first + 1, QFontMetrics(dialog.Field()->font()).horizontalAdvance("3600") - 3);
}

TEST_F(WindowTest, MessageBoxesAreWideEnoughForTheirCaptions) {
    // A title bar needs the caption, in a bold face, and room for the icon and close button.
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (const char* caption : {"Message: ", "Message: ...", "Renju", "勝負統計", "請決定先後手", "五子棋"}) {
        SCOPED_TRACE(caption);
        const QString title = QString::fromUtf8(caption);
        const auto box =
            MakeMessageBox(nullptr, title, "Be smart, ok?", MessageIcon::NONE, MessageButtons::OK);
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        EXPECT_EQ(box->windowTitle(), title);
        EXPECT_GE(box->width(), metrics.horizontalAdvance(title) + 100);
    }
}

TEST_F(WindowTest, DialogsHaveACloseButtonOnlyAndAFixedSize) {
    CTimeLimitDlg timeLimit;
    COpeningDlg opening;
    CAboutDlg about;
    const auto box = MakeMessageBox(nullptr, "Renju", "Text", MessageIcon::QUESTION, MessageButtons::YES_NO);
    for (QDialog* dialog : std::vector<QDialog*>{&timeLimit, &opening, &about, box.get()}) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
        // Without the customise flag the system adds the buttons of its own choice.
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << "a resizable dialog can be maximised";
        dialog->hide();
    }
}

TEST(PlaceBeside, RightOfTheOwnerElseLeftElseCentredOnIt) {
    const QRect screen(0, 0, 1280, 800);
    const QSize help(520, 560);
    struct PlaceCase {
        QRect owner;
        QPoint topLeft;
    };
    const std::vector<PlaceCase> cases = {
        {{100, 100, 380, 410}, {480, 100}},  // room on the right
        {{800, 50, 380, 410}, {280, 50}},    // only on the left
        {{400, 300, 380, 410}, {330, 225}},  // neither: centred on it
        {{100, 500, 380, 410}, {480, 240}},  // beside, pulled up onto the screen
    };
    for (const PlaceCase& c : cases) {
        const QRect placed = PlaceBeside(c.owner, help, screen);
        EXPECT_EQ(placed.topLeft(), c.topLeft) << "owner at " << c.owner.x() << "," << c.owner.y();
        EXPECT_EQ(placed.size(), help);
        EXPECT_TRUE(screen.contains(placed));
    }
    // On a screen smaller than the window, its top-left corner stays on the screen.
    EXPECT_EQ(PlaceBeside({0, 0, 380, 410}, {900, 700}, {0, 0, 800, 600}).topLeft(), QPoint(0, 0));
}

// The help opens beside the game window, narrower if need be, and centred on it only when the
// screen has no reasonable room beside it.
TEST_F(WindowTest, HelpOpensBesideOrCentredOnTheGameWindow) {
    CMainFrame frame;
    frame.ShowAtStartSize();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QRect area = frame.screen()->availableGeometry();
    const int gameWidth = frame.frameGeometry().width();
    ASSERT_LT(area.width(), gameWidth + 2 * 520) << "room beside at full width: the narrowing is not tried";
    const int middle = area.left() + (area.width() - gameWidth) / 2;
    for (const QPoint at : {QPoint(middle, area.top() + 100),
                            QPoint(area.right() + 1 - gameWidth, area.top() + 30), area.topLeft()}) {
        frame.move(at);
        QCoreApplication::processEvents();
        ShowHelpTopic(&frame, "no-such-file.hlp", HELP_TOPIC);
        QWidget* help = OpenHelpView() ? OpenHelpView()->window() : nullptr;
        ASSERT_NE(help, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
        const QRect game = frame.frameGeometry(), shown = help->frameGeometry();
        const int room = std::max(area.right() - game.right(), game.left() - area.left());
        SCOPED_TRACE(testing::Message()
                     << "game at " << game.x() << "," << game.y() << ", room beside " << room);
        EXPECT_TRUE(area.contains(shown));
        if (room >= 360) {
            EXPECT_FALSE(shown.intersects(game)) << "help at " << shown.x() << "," << shown.y();
            EXPECT_GE(shown.width(), 360);
        } else {
            QRect centred(QPoint(0, 0), shown.size());
            centred.moveCenter(game.center());
            centred.moveLeft(std::clamp(centred.left(), area.left(), area.right() + 1 - shown.width()));
            centred.moveTop(std::clamp(centred.top(), area.top(), area.bottom() + 1 - shown.height()));
            EXPECT_EQ(shown.topLeft(), centred.topLeft());
        }
        QuitHelp();
    }
}

// The swap question and the computer's "I take Black" box leave the opening's stones in sight:
// beside the game window when the screen has room there, else above or below the stones.
TEST_F(WindowTest, OpeningMessagesLeaveTheOpeningStonesInSight) {
    CMainFrame frame;
    frame.ShowAtStartSize();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CBoardView& view = *frame.View();
    const QRect area = frame.screen()->availableGeometry();
    const QPoint middle =
        area.center() - QPoint(frame.frameGeometry().width(), frame.frameGeometry().height()) / 2;
    for (const QPoint at : {area.topLeft(), middle}) {
        for (const bool computerStarts : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "game at " << at.x() << "," << at.y()
                         << (computerStarts ? ", the computer starts" : ", the human starts"));
            frame.move(at);
            QCoreApplication::processEvents();
            g_rule = 2;
            view.SetHumanFirst(computerStarts ? 0 : 1);
            SeedRandom(computerStarts ? 1 : SeedForSwap(true));
            QRect shown;
            QTimer hand;
            hand.setInterval(20);
            QObject::connect(&hand, &QTimer::timeout, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    shown = box->frameGeometry();
                    box->done(box->button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
                } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                    dialog->accept();  // the first opening
                }
            });
            hand.start();
            view.OnNewGame();
            hand.stop();
            ASSERT_FALSE(shown.isNull()) << "no message";
            ASSERT_GE(g_moveCount, 3);
            QRect stones;
            const int half = view.Geometry().cellWidth / 2 + 1;
            for (int i = 0; i < 3; ++i) {
                const QPoint c = view.mapToGlobal(Centre(view, g_moves[i].x, g_moves[i].y));
                stones |= QRect(c - QPoint(half, half), c + QPoint(half, half));
            }
            EXPECT_FALSE(shown.intersects(stones))
                << "the box " << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                << shown.height() << " covers the stones at " << stones.x() << "," << stones.y();
            EXPECT_TRUE(area.contains(shown));
        }
    }
}

// The game window cannot be made so small that the board vanishes.
TEST_F(WindowTest, TheWindowKeepsRoomForTheBoard) {
    CMainFrame frame;
    frame.ShowAtStartSize();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.resize(120, 100);
    QCoreApplication::processEvents();
    EXPECT_GE(frame.View()->width(), CBoardView::MIN_CLIENT);
    EXPECT_GE(frame.View()->height(), CBoardView::MIN_CLIENT);
    frame.View()->repaint();
    EXPECT_TRUE(frame.View()->BoardShown());
}

TEST(InsideSizeFor, TakesTheFrameOff) {
    EXPECT_EQ(InsideSizeFor({380, 410}, {}), QSize(380, 410));
    EXPECT_EQ(InsideSizeFor({380, 410}, {1, 24, 1, 1}), QSize(378, 385));
    EXPECT_EQ(InsideSizeFor({380, 410}, {4, 30, 6, 8}), QSize(370, 372));
}

}  // namespace
