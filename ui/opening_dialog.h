// The choice of a standard opening when the human starts a game under the international rule:
// the 26 names as radio buttons in two columns and a picture of the opening marked.
#pragma once

#include <QDialog>
#include <QImage>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

// The name of an opening (0 .. 25) in the language in force.
QString OpeningName(int opening);
// The 26 names as the translations know them, in the order of the openings' table.
extern const char* const OPENING_NAMES_MARKED[26];

// A 7 x 7 section of the board around the centre, 127 pixels square, lines 21 pixels apart,
// with the opening's three stones numbered 1 to 3.
QImage OpeningPicture(int opening);

class COpeningDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int PICTURE_SIZE = 127;
    static constexpr int PICTURE_SPACING = 21;

    explicit COpeningDlg(QWidget* parent = nullptr);

    // The opening marked when the dialog ended with OK; -1 before.
    int Opening() const { return m_opening; }

    QRadioButton* OpeningButton(int opening) const;
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // The picture shown now.
    QImage ShownPicture() const;

    void accept() override;

private:
    void ShowOpeningPicture(int opening);

    int m_opening = -1;
    QButtonGroup* m_group;
    QLabel* m_picture;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
