#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <string>

// Region decodes checked against full decodes by Qt's readers.

// A full decode by Qt's readers, the region drawn over `background` into an RGB888 image. Qt draws
// palette indexes beyond a short colour table from stray memory; `blackBeyondPalette` makes them black.
QImage referenceCrop(const QString& path, const QRect& region, const QColor& background,
                     bool blackBeyondPalette = false);

// Regions at the corners, edges and centre of a picture, around block boundaries, 1x1 and the whole.
QList<QRect> probeRegions(QSize pictureSize);

// Empty when equal; otherwise where the first difference is.
std::string differenceBetween(const QImage& actual, const QImage& expected);
