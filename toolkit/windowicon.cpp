#include "toolkit/windowicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, size > 16);
    const qreal unit = size / 16.0;

    // The screen: a framed rectangle in the middle, in a phone screen's upright proportions.
    const QRectF screen(5 * unit, 4 * unit, 6 * unit, 8 * unit);
    painter.setPen(QPen(Qt::black, unit));
    painter.setBrush(QColor(0, 128, 128));
    painter.drawRect(screen.adjusted(unit / 2, unit / 2, -unit / 2, -unit / 2));

    // One arrow from each side, its point touching the rectangle.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(192, 0, 0));
    const QPointF centre = screen.center();
    const qreal reach = 2.5 * unit;
    const qreal half = 1.5 * unit;
    auto arrow = [&](QPointF tip, QPointF back) {
        const QPointF across = QPointF(back.y() - tip.y(), tip.x() - back.x()) / reach * half;
        QPainterPath path;
        path.moveTo(tip);
        path.lineTo(back + across);
        path.lineTo(back - across);
        path.closeSubpath();
        painter.drawPath(path);
    };
    arrow({screen.left(), centre.y()}, {screen.left() - reach, centre.y()});
    arrow({screen.right(), centre.y()}, {screen.right() + reach, centre.y()});
    arrow({centre.x(), screen.top()}, {centre.x(), screen.top() - reach});
    arrow({centre.x(), screen.bottom()}, {centre.x(), screen.bottom() + reach});
    return pixmap;
}

} // namespace

QIcon WindowIcon()
{
    QIcon icon;
    icon.addPixmap(drawIcon(16));
    icon.addPixmap(drawIcon(32));
    return icon;
}
