#include "app/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "ui/language.h"
#include "ui/window_chrome.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr(QT_TRANSLATE_NOOP("Renju", "About Renju")));
    SetDialogButtonsOnly(*this);
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    auto* version = new QLabel(Tr(VERSION_LINE), this);
    auto* notice =
        new QLabel(Tr(QT_TRANSLATE_NOOP("Renju",
                                        "Five in a row on a 19 x 19 board against the computer, under "
                                        "the basic, Japanese and international rules, at nine levels "
                                        "of play.\nFree software: play it, share it, study it.")),
                   this);
    notice->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(notice, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    setFixedWidth(320);
    setFixedHeight(heightForWidth(320) > 0 ? heightForWidth(320) : sizeHint().height());
}
