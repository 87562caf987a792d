#include "toolkit/windowicon.h"

#include <QPainter>
#include <QPixmap>

namespace {

WindowIconShapes LayOut()
{
    // The screen fills 6 × 8 units in the middle; its frame is one unit wide, inside that area.
    const QRectF screen(5, 4, 6, 8);
    WindowIconShapes shapes{
        screen.adjusted(0.5, 0.5, -0.5, -0.5), 1, Qt::black, QColor(0, 128, 128), QColor(192, 0, 0), {}};

    // One arrow from each side, its point touching the screen.
    const QPointF centre = screen.center();
    const qreal reach = 2.5;
    const qreal half = 1.5;
    auto arrow = [&](QPointF tip, QPointF back) {
        const QPointF across = QPointF(back.y() - tip.y(), tip.x() - back.x()) / reach * half;
        return QPolygonF({tip, back + across, back - across});
    };
    shapes.arrows = {arrow({screen.left(), centre.y()}, {screen.left() - reach, centre.y()}),
                     arrow({screen.right(), centre.y()}, {screen.right() + reach, centre.y()}),
                     arrow({centre.x(), screen.top()}, {centre.x(), screen.top() - reach}),
                     arrow({centre.x(), screen.bottom()}, {centre.x(), screen.bottom() + reach})};
    return shapes;
}

} // namespace

const WindowIconShapes& WindowIconLayout()
{
    static const WindowIconShapes shapes = LayOut();
    return shapes;
}

QImage WindowIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, size > WindowIconShapes::Grid);
    painter.scale(qreal(size) / WindowIconShapes::Grid, qreal(size) / WindowIconShapes::Grid);

    const WindowIconShapes& shapes = WindowIconLayout();
    painter.setPen(QPen(shapes.frameColour, shapes.frameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(shapes.screenColour);
    painter.drawRect(shapes.frame);

    painter.setPen(Qt::NoPen);
    painter.setBrush(shapes.arrowColour);
    for (const QPolygonF& arrow : shapes.arrows)
        painter.drawPolygon(arrow);
    return image;
}

QIcon WindowIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(WindowIconImage(16)));
    icon.addPixmap(QPixmap::fromImage(WindowIconImage(32)));
    return icon;
}
