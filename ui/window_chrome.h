// How the game's windows sit on the desktop: the title-bar buttons of dialogs, message boxes
// wide enough for their caption, the outer size of the main window, and where the help window
// opens.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

class QMessageBox;
class QWidget;

// A dialog's title bar carries its caption and a close button only: no minimise, no maximise.
void SetDialogButtonsOnly(QWidget& dialog);

// The width a window needs for its title bar to show `caption` whole beside the window
// manager's icon and buttons.
int CaptionWidth(const QString& caption);

// Makes a message box at least as wide as its caption needs. Call it once its text, icon and
// buttons are set.
void FitCaption(QMessageBox& box);

// The inside size that gives a window the outer size `outer` once the window manager's frame,
// of the given margins, is around it.
QSize InsideSizeFor(QSize outer, QMargins frame);

// Where a window of outer size `size` opens next to `owner` (both outer rectangles) on the
// screen area `screen`: to the right of it, else to its left, else centred on it; always kept
// on the screen as far as it fits.
QRect PlaceBeside(const QRect& owner, QSize size, const QRect& screen);

// Where a window of outer size `size` that talks about what lies in `keepClear` opens for the
// game window `owner`: beside the game window when the screen has room, else below or above
// `keepClear`, else as PlaceBeside places it.
QRect PlaceClearOf(const QRect& owner, const QRect& keepClear, QSize size, const QRect& screen);
