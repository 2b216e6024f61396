// The opening choice: 26 radio buttons in two columns, a picture of the opening marked, OK
// and Cancel.
#include "ui/opening_dialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <vector>

#include "tests/ui/view_fixture.h"

namespace {

using OpeningDialogTest = ViewTest;

const char* const kNames[26] = {
    "花月", "寒星", "溪月", "疏星", "殘月", "雨月", "金星", "松月", "丘月", "新月", "瑞星", "山月", "遊星",
    "浦月", "長星", "峽月", "恆星", "水月", "流星", "雲月", "嵐月", "銀月", "明星", "斜月", "名月", "慧星",
};

QRadioButton* ButtonNamed(const COpeningDlg& dialog, const char* name) {
    for (int k = 0; k < 26; ++k) {
        if (dialog.OpeningButton(k)->text() == QString::fromUtf8(name)) return dialog.OpeningButton(k);
    }
    ADD_FAILURE() << "no button " << name;
    return dialog.OpeningButton(0);
}

TEST_F(OpeningDialogTest, RadioButtonsStandInTwoColumnsInTableOrder) {
    COpeningDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Choose a start type");
    EXPECT_EQ(dialog.OkButton()->text(), "OK(&O)");
    EXPECT_EQ(dialog.CancelButton()->text(), "Cancel(&C)");
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    const int left = dialog.OpeningButton(0)->x(), right = dialog.OpeningButton(13)->x();
    EXPECT_LT(left, right);
    for (int k = 0; k < 26; ++k) {
        QRadioButton* button = dialog.OpeningButton(k);
        EXPECT_EQ(button->text(), QString::fromUtf8(kNames[k])) << "button " << k;
        EXPECT_EQ(button->x(), k < 13 ? left : right) << "button " << k;
        if (k % 13 > 0) {
            EXPECT_GT(button->y(), dialog.OpeningButton(k - 1)->y()) << "button " << k;
        }
        if (k >= 13) {
            EXPECT_EQ(button->y(), dialog.OpeningButton(k - 13)->y()) << "button " << k;
        }
    }
}

TEST_F(OpeningDialogTest, OkAtOnceGivesTheFirstOpening) {
    COpeningDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.Opening(), -1);
    EXPECT_TRUE(dialog.OpeningButton(0)->isChecked());
    EXPECT_EQ(dialog.ShownPicture(), OpeningPicture(0));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Opening(), 0);
}

TEST_F(OpeningDialogTest, TheOpeningMarkedIsPicturedAndGivenByOk) {
    for (const auto& [name, number] : {std::pair{"新月", 9}, {"瑞星", 10}, {"慧星", 25}, {"流星", 18}}) {
        SCOPED_TRACE(number);
        COpeningDlg dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(ButtonNamed(dialog, "寒星"), Qt::LeftButton);
        QTest::mouseClick(ButtonNamed(dialog, name), Qt::LeftButton);
        EXPECT_TRUE(dialog.OpeningButton(number)->isChecked());
        EXPECT_FALSE(dialog.OpeningButton(1)->isChecked());
        EXPECT_EQ(dialog.ShownPicture(), OpeningPicture(number));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Opening(), number);
    }
}

TEST_F(OpeningDialogTest, CancelAndEscapeGiveNoOpening) {
    for (bool escape : {false, true}) {
        COpeningDlg dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(ButtonNamed(dialog, "新月"), Qt::LeftButton);
        if (escape) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        }
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.Opening(), -1);
    }
}

// The picture: a 7 x 7 section of the board, lines 21 pixels apart, Black 1 on the middle
// point, the stones numbered.
TEST_F(OpeningDialogTest, PictureShowsTheThreeStonesOnTheirPoints) {
    struct PictureCase {
        int opening;
        QPoint white2, black3;  // pixel centres
    };
    const std::vector<PictureCase> cases = {
        {0, {63, 42}, {84, 42}},    // 花月
        {10, {63, 42}, {63, 105}},  // 瑞星
        {25, {84, 42}, {21, 105}},  // 慧星
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.opening);
        const QImage picture = OpeningPicture(c.opening);
        ASSERT_EQ(picture.size(), QSize(127, 127));
        const QRgb surface = picture.pixel(10, 10) & 0xffffff;
        EXPECT_NE(surface, 0x000000u);
        EXPECT_NE(surface, 0xffffffu);
        // The lines of the section, away from the stones.
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(picture.pixel(21 * i, 2) & 0xffffff, 0x000000u) << "column line " << i;
            EXPECT_EQ(picture.pixel(124, 21 * i) & 0xffffff, 0x000000u) << "row line " << i;
        }
        EXPECT_EQ(picture.pixel(10, 31) & 0xffffff, surface);
        // Each stone: its colour at the rim, its number in the other colour inside.
        const QPoint black1(63, 63);
        for (const auto& [centre, black] : {std::pair{black1, true}, {c.white2, false}, {c.black3, true}}) {
            const QRgb stone = black ? 0x000000u : 0xffffffu, number = black ? 0xffffffu : 0x000000u;
            EXPECT_EQ(picture.pixel(centre + QPoint(-7, -2)) & 0xffffff, stone)
                << centre.x() << "," << centre.y();
            EXPECT_EQ(picture.pixel(centre + QPoint(7, 2)) & 0xffffff, stone)
                << centre.x() << "," << centre.y();
            int numberPixels = 0;
            for (int dy = -4; dy <= 4; ++dy) {
                for (int dx = -3; dx <= 3; ++dx)
                    numberPixels += (picture.pixel(centre + QPoint(dx, dy)) & 0xffffff) == number;
            }
            EXPECT_GT(numberPixels, 4) << "no number on " << centre.x() << "," << centre.y();
        }
    }
}

}  // namespace
