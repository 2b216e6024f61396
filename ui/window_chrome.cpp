#include "ui/window_chrome.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QWidget>
#include <algorithm>

namespace {

// Room a title bar takes besides the caption: the window icon, the close button and the
// spacing around them, with some to spare for window managers that draw larger.
constexpr int TITLE_BAR_ROOM = 120;

}  // namespace

void SetDialogButtonsOnly(QWidget& dialog) {
    // Without the customise flag Qt adds the default buttons of the window type again.
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
}

int CaptionWidth(const QString& caption) {
    // Title bars often use a bold face of the desktop font.
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(caption) + TITLE_BAR_ROOM;
}

void FitCaption(QMessageBox& box) {
    // The box sets its own fixed size from its layout when shown, so the room goes into the
    // layout: a strut across all its columns.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const QMargins margins = grid->contentsMargins();
    const int width = CaptionWidth(box.windowTitle()) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(std::max(width, 0), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

QSize InsideSizeFor(QSize outer, QMargins frame) {
    return {std::max(outer.width() - frame.left() - frame.right(), 1),
            std::max(outer.height() - frame.top() - frame.bottom(), 1)};
}

QRect PlaceBeside(const QRect& owner, QSize size, const QRect& screen) {
    QRect placed(QPoint(0, 0), size);
    const int top =
        std::clamp(owner.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    if (owner.right() + 1 + size.width() <= screen.right() + 1) {
        placed.moveTopLeft({owner.right() + 1, top});
    } else if (owner.left() - size.width() >= screen.left()) {
        placed.moveTopLeft({owner.left() - size.width(), top});
    } else {
        placed.moveCenter(owner.center());
        // On the screen, the top-left corner first when it does not fit.
        placed.moveLeft(std::max(std::min(placed.left(), screen.right() + 1 - size.width()), screen.left()));
        placed.moveTop(std::max(std::min(placed.top(), screen.bottom() + 1 - size.height()), screen.top()));
    }
    return placed;
}

QRect PlaceClearOf(const QRect& owner, const QRect& keepClear, QSize size, const QRect& screen) {
    const bool roomBeside = owner.right() + 1 + size.width() <= screen.right() + 1 ||
                            owner.left() - size.width() >= screen.left();
    if (roomBeside) return PlaceBeside(owner, size, screen);
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(owner.center());
    placed.moveLeft(std::max(std::min(placed.left(), screen.right() + 1 - size.width()), screen.left()));
    if (keepClear.bottom() + 1 + size.height() <= screen.bottom() + 1) {
        placed.moveTop(keepClear.bottom() + 1);
    } else if (keepClear.top() - size.height() >= screen.top()) {
        placed.moveTop(keepClear.top() - size.height());
    } else {
        return PlaceBeside(owner, size, screen);
    }
    return placed;
}
