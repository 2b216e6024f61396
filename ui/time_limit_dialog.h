// The computer's time limit per move: one integer field, checked when OK is pressed.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

class QLineEdit;
class QPushButton;

// A whole number as a dialog field holds one: blanks and tabs around it, an optional sign,
// decimal digits; beyond the 32-bit range it is the nearest limit. Nothing when the text is
// anything else, or when it gives zero without starting with the digit 0 (so "-0" is no number).
std::optional<int32_t> ParseFieldInteger(const QString& text);

class CTimeLimitDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int MIN_SECONDS = 3;
    static constexpr int MAX_SECONDS = 3600;
    static constexpr int FIELD_CHARS = 31;  // characters of the field that are read

    explicit CTimeLimitDlg(QWidget* parent = nullptr);

    int32_t m_seconds = 0;

    QLineEdit* Field() const { return m_field; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // OK: takes the field into m_seconds, or keeps the dialog open with a message.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RefuseField(const QString& message);

    bool m_filled = false;  // the field shows m_seconds once, when the dialog first opens
    QLineEdit* m_field;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
