// The about box: the program's icon, name and version, and a short notice.
#pragma once

#include <QDialog>
#include <QtGlobal>

// As written; shown in the language in force.
inline constexpr char VERSION_LINE[] = QT_TRANSLATE_NOOP("Renju", "Renju Version 1.0");

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
