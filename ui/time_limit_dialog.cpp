#include "ui/time_limit_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <limits>

#include "ui/interaction.h"
#include "ui/language.h"
#include "ui/window_chrome.h"

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Dialog units: a quarter of the font's average character width across, an eighth of its
// height down, so that the layout scales with the font as dialogs usually do.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        m_baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        m_baseY = metrics.height();
    }
    QRect Rect(int x, int y, int width, int height) const { return {X(x), Y(y), X(width), Y(height)}; }
    int X(int units) const { return (units * m_baseX + 2) / 4; }
    int Y(int units) const { return (units * m_baseY + 4) / 8; }

private:
    int m_baseX;
    int m_baseY;
};

const char* const kTextBeforeField = QT_TRANSLATE_NOOP("Renju", "One move no more than");
const char* const kTextAfterField = QT_TRANSLATE_NOOP("Renju", "sec");

// The width a one-line field needs to show `text` whole: the text, the frame and the margins
// that the style keeps around it.
int FieldWidthFor(const QLineEdit& field, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.rect = QRect(0, 0, 100, field.sizeHint().height());
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    const QRect contents = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    const QMargins margins = field.textMargins();
    constexpr int kInnerMargin = 2;  // the field's own space on each side of the text
    return option.rect.width() - contents.width() + margins.left() + margins.right() + 2 * kInnerMargin +
           QFontMetrics(field.font()).horizontalAdvance(text) + 1;  // the cursor
}

}  // namespace

std::optional<int32_t> ParseFieldInteger(const QString& text) {
    int i = 0;
    const int end = static_cast<int>(text.size());
    while (i < end && IsBlank(text[i]))
        ++i;
    const int start = i;
    bool negative = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const int digits = i;
    int64_t value = 0;  // saturates just past the 32-bit range
    for (; i < end && IsDigit(text[i]); ++i) {
        value = std::min<int64_t>(value * 10 + (text[i].unicode() - u'0'), int64_t{1} << 32);
    }
    if (i == digits) return std::nullopt;
    while (i < end && IsBlank(text[i]))
        ++i;
    if (i != end) return std::nullopt;
    if (negative) value = -value;
    value =
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    if (value == 0 && text[start] != u'0') return std::nullopt;
    return static_cast<int32_t>(value);
}

CTimeLimitDlg::CTimeLimitDlg(QWidget* parent)
    : QDialog(parent),
      m_field(new QLineEdit(this)),
      m_ok(new QPushButton(Tr(QT_TRANSLATE_NOOP("Renju", "OK(&O)")), this)),
      m_cancel(new QPushButton(Tr(QT_TRANSLATE_NOOP("Renju", "Cancel(&C)")), this)) {
    setWindowTitle(Tr(QT_TRANSLATE_NOOP("Renju", "Time limit for each move by computer")));
    SetDialogButtonsOnly(*this);
    const DialogUnits du(font());
    const QFontMetrics metrics(font());

    // The text reads "One move no more than [field] sec": the field fills the gap in the text,
    // placed by the font's own widths so that it covers no letter, and is wide enough to show
    // the largest limit whole.
    auto* before = new QLabel(Tr(kTextBeforeField), this);
    auto* after = new QLabel(Tr(kTextAfterField), this);
    const int space = metrics.horizontalAdvance(' ');
    const QRect textBox = du.Rect(7, 10, 121, 9);
    before->setGeometry(textBox.left(), textBox.top(), metrics.horizontalAdvance(before->text()) + 1,
                        textBox.height());
    const int fieldWidth =
        std::max(du.X(23), FieldWidthFor(*m_field, QString::number(MAX_SECONDS) + QString::number(0)));
    const QRect fieldBox = du.Rect(85, 7, 23, 12);
    m_field->setGeometry(before->geometry().right() + 1 + space, fieldBox.top(), fieldWidth,
                         std::max(fieldBox.height(), m_field->sizeHint().height()));
    after->setGeometry(m_field->geometry().right() + 1 + space, textBox.top(),
                       metrics.horizontalAdvance(after->text()) + 1, textBox.height());
    for (QLabel* label : {before, after})
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int labelMiddle = m_field->geometry().center().y();
    for (QLabel* label : {before, after})
        label->move(label->x(), labelMiddle - label->height() / 2);

    m_field->setAlignment(Qt::AlignRight);
    m_field->setFrame(true);
    // The buttons keep their column, moved right only if the text would reach them.
    const int buttonsLeft = std::max(du.X(180), after->geometry().right() + 1 + du.X(7));
    m_ok->setGeometry(buttonsLeft, du.Y(7), du.X(50), du.Y(14));
    m_cancel->setGeometry(buttonsLeft, du.Y(24), du.X(50), du.Y(14));
    setFixedSize(buttonsLeft + du.X(57), du.Y(49));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel->setAutoDefault(false);
    // The field comes first in the tab order, so it has the focus when the dialog opens.
    setTabOrder(m_field, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_field->setFocus();

    connect(m_ok, &QPushButton::clicked, this, &CTimeLimitDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CTimeLimitDlg::reject);
}

void CTimeLimitDlg::showEvent(QShowEvent* event) {
    if (!m_filled) {
        m_filled = true;
        m_field->setText(QString::number(m_seconds));
        m_field->selectAll();
        m_field->setFocus();
    }
    QDialog::showEvent(event);
}

void CTimeLimitDlg::accept() {
    const std::optional<int32_t> value = ParseFieldInteger(m_field->text().left(FIELD_CHARS));
    if (!value) return RefuseField(Tr(QT_TRANSLATE_NOOP("Renju", "請輸入一整數.")));
    if (*value < MIN_SECONDS || *value > MAX_SECONDS) {
        return RefuseField(Tr(QT_TRANSLATE_NOOP("Renju", "請輸入一個在 %1 到 %2 之間的整數."))
                               .arg(QString::number(MIN_SECONDS), QString::number(MAX_SECONDS)));
    }
    m_seconds = *value;
    QDialog::accept();
}

void CTimeLimitDlg::RefuseField(const QString& message) {
    CurrentInteraction().ShowMessage(this, Tr(QT_TRANSLATE_NOOP("Renju", "Renju")), message,
                                     MessageIcon::EXCLAMATION, MessageButtons::OK);
    m_field->setFocus();
    m_field->selectAll();
}
