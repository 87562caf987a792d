#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <array>

// The window's icon: a framed rectangle in a phone screen's upright proportions with an arrow pointing at it
// from each side, laid out on a 16 × 16 grid. The same shapes make the window's pixmaps and the installed
// icons, the scalable one included.
struct WindowIconShapes
{
    static constexpr int Grid = 16;
    QRectF frame; // the centre line of the screen's frame
    qreal frameWidth;
    QColor frameColour;
    QColor screenColour;
    QColor arrowColour;
    std::array<QPolygonF, 4> arrows;
};
const WindowIconShapes& WindowIconLayout();

// The icon at size × size pixels on a transparent ground; smoothed above 16 × 16, crisp at 16 × 16.
QImage WindowIconImage(int size);

// The window's icon at 16×16 and 32×32.
QIcon WindowIcon();
