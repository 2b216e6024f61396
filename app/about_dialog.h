// The about box: the program's icon, name and version, and a short notice.
#pragma once

#include <QDialog>

inline constexpr char VERSION_LINE[] = "Renju Version 1.0";

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
