#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

QImage AppIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double cell = size / 4.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(192, 128, 0));
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);
    painter.setPen(QPen(Qt::black, size >= 32 ? std::max(1.0, size / 64.0) : 0.8));
    for (int i = 1; i < 4; ++i) {
        painter.drawLine(QPointF(cell * 0.5, i * cell), QPointF(size - cell * 0.5, i * cell));
        painter.drawLine(QPointF(i * cell, cell * 0.5), QPointF(i * cell, size - cell * 0.5));
    }
    const double r = cell * 0.48;
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(cell, cell), r, r);
    painter.drawEllipse(QPointF(2 * cell, 2 * cell), r, r);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(3 * cell, cell), r, r);
    painter.drawEllipse(QPointF(2 * cell, 3 * cell), r, r);
    return image;
}

QIcon MakeAppIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(AppIconImage(16)));
    icon.addPixmap(QPixmap::fromImage(AppIconImage(32)));
    return icon;
}
