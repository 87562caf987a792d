#pragma once

#include <QRect>
#include <QString>

// What one saved crop must be: a 24-bit Windows bitmap holding the source's pixels inside crop, 1:1.
struct ExpectedCrop
{
    QString bitmap;
    QString source;
    QRect crop;
    // Largest difference allowed in any colour channel; 0 for lossless sources.
    int tolerance = 0;
};

// Returns an empty text when the bitmap is as expected, otherwise the first thing found wrong.
QString CheckCrop(const ExpectedCrop& expected);
