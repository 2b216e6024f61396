#include "ui/time_limit_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "ui/interaction.h"

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
      m_ok(new QPushButton("OK(&O)", this)),
      m_cancel(new QPushButton("Cancel(&C)", this)) {
    setWindowTitle("Time limit for each move by computer");
    const DialogUnits du(font());
    setFixedSize(du.X(237), du.Y(49));

    // The full-width blanks leave the gap that the field covers.
    auto* label = new QLabel(QString::fromUtf8("One move no more than\u3000\u3000\u3000sec"), this);
    label->setGeometry(du.Rect(7, 10, 121, 9));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_field->setGeometry(du.Rect(85, 7, 23, 12));
    m_field->setAlignment(Qt::AlignRight);
    m_field->setFrame(true);
    m_ok->setGeometry(du.Rect(180, 7, 50, 14));
    m_cancel->setGeometry(du.Rect(180, 24, 50, 14));
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
    if (!value) return RefuseField(QString::fromUtf8("請輸入一整數."));
    if (*value < MIN_SECONDS || *value > MAX_SECONDS) {
        return RefuseField(QString::fromUtf8("請輸入一個在 %1 到 %2 之間的整數.")
                               .arg(QString::number(MIN_SECONDS), QString::number(MAX_SECONDS)));
    }
    m_seconds = *value;
    QDialog::accept();
}

void CTimeLimitDlg::RefuseField(const QString& message) {
    CurrentInteraction().ShowMessage(this, "Renju", message, MessageIcon::EXCLAMATION, MessageButtons::OK);
    m_field->setFocus();
    m_field->selectAll();
}
