#include "ui/opening_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/openings.h"
#include "ui/language.h"
#include "ui/window_chrome.h"

namespace {

constexpr int COLUMN_LENGTH = 13;  // openings per column of radio buttons
constexpr int SECTION = 7;         // lines per side of the pictured section
constexpr int STONE_RADIUS = 9;
const QColor kSurface(240, 200, 72);

}  // namespace

QImage OpeningPicture(int opening) {
    constexpr int size = COpeningDlg::PICTURE_SIZE, step = COpeningDlg::PICTURE_SPACING;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(kSurface);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    for (int i = 0; i < SECTION; ++i) {
        painter.drawLine(0, i * step, size - 1, i * step);
        painter.drawLine(i * step, 0, i * step, size - 1);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    const int middle = (SECTION / 2) * step;
    const MoveEntry centre = g_openings[opening][0];
    for (int i = 0; i < 3; ++i) {
        const MoveEntry m = g_openings[opening][i];
        const QPointF at(middle + (m.x - centre.x) * step + 0.5, middle + (m.y - centre.y) * step + 0.5);
        const bool black = i % 2 == 0;
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(black ? Qt::black : Qt::white);
        painter.drawEllipse(at, STONE_RADIUS, STONE_RADIUS);
        painter.setPen(black ? Qt::white : Qt::black);
        const QRectF box(at.x() - STONE_RADIUS, at.y() - STONE_RADIUS, 2 * STONE_RADIUS, 2 * STONE_RADIUS);
        painter.drawText(box, Qt::AlignCenter, QString::number(i + 1));
    }
    return image;
}

const char* const OPENING_NAMES_MARKED[26] = {
    QT_TRANSLATE_NOOP("Renju", "花月"), QT_TRANSLATE_NOOP("Renju", "寒星"),
    QT_TRANSLATE_NOOP("Renju", "溪月"), QT_TRANSLATE_NOOP("Renju", "疏星"),
    QT_TRANSLATE_NOOP("Renju", "殘月"), QT_TRANSLATE_NOOP("Renju", "雨月"),
    QT_TRANSLATE_NOOP("Renju", "金星"), QT_TRANSLATE_NOOP("Renju", "松月"),
    QT_TRANSLATE_NOOP("Renju", "丘月"), QT_TRANSLATE_NOOP("Renju", "新月"),
    QT_TRANSLATE_NOOP("Renju", "瑞星"), QT_TRANSLATE_NOOP("Renju", "山月"),
    QT_TRANSLATE_NOOP("Renju", "遊星"), QT_TRANSLATE_NOOP("Renju", "浦月"),
    QT_TRANSLATE_NOOP("Renju", "長星"), QT_TRANSLATE_NOOP("Renju", "峽月"),
    QT_TRANSLATE_NOOP("Renju", "恆星"), QT_TRANSLATE_NOOP("Renju", "水月"),
    QT_TRANSLATE_NOOP("Renju", "流星"), QT_TRANSLATE_NOOP("Renju", "雲月"),
    QT_TRANSLATE_NOOP("Renju", "嵐月"), QT_TRANSLATE_NOOP("Renju", "銀月"),
    QT_TRANSLATE_NOOP("Renju", "明星"), QT_TRANSLATE_NOOP("Renju", "斜月"),
    QT_TRANSLATE_NOOP("Renju", "名月"), QT_TRANSLATE_NOOP("Renju", "慧星"),
};

QString OpeningName(int opening) {
    return Tr(g_openingNames[opening]);
}

COpeningDlg::COpeningDlg(QWidget* parent)
    : QDialog(parent),
      m_group(new QButtonGroup(this)),
      m_picture(new QLabel(this)),
      m_ok(new QPushButton(Tr(QT_TRANSLATE_NOOP("Renju", "OK(&O)")), this)),
      m_cancel(new QPushButton(Tr(QT_TRANSLATE_NOOP("Renju", "Cancel(&C)")), this)) {
    setWindowTitle(Tr(QT_TRANSLATE_NOOP("Renju", "Choose a start type")));
    SetDialogButtonsOnly(*this);

    auto* radios = new QGridLayout;
    radios->setVerticalSpacing(2);
    for (int k = 0; k < OPENING_COUNT; ++k) {
        auto* button = new QRadioButton(OpeningName(k), this);
        button->setFocusPolicy(Qt::ClickFocus);
        m_group->addButton(button, k);
        radios->addWidget(button, k % COLUMN_LENGTH, k / COLUMN_LENGTH);
    }
    m_group->button(0)->setChecked(true);
    connect(m_group, &QButtonGroup::idClicked, this, &COpeningDlg::ShowOpeningPicture);

    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &COpeningDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &COpeningDlg::reject);
    m_picture->setFixedSize(PICTURE_SIZE, PICTURE_SIZE);
    ShowOpeningPicture(0);

    auto* side = new QVBoxLayout;
    side->addWidget(m_ok);
    side->addWidget(m_cancel);
    side->addStretch(1);
    side->addWidget(m_picture);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(radios);
    layout->addSpacing(12);
    layout->addLayout(side);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton* COpeningDlg::OpeningButton(int opening) const {
    return static_cast<QRadioButton*>(m_group->button(opening));
}

QImage COpeningDlg::ShownPicture() const {
    return m_picture->pixmap().toImage();
}

void COpeningDlg::ShowOpeningPicture(int opening) {
    m_picture->setPixmap(QPixmap::fromImage(OpeningPicture(opening)));
}

void COpeningDlg::accept() {
    m_opening = m_group->checkedId();
    QDialog::accept();
}
