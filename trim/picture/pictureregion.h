#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// True when `region` is a non-empty rectangle inside a picture of `pictureSize`; otherwise false with
// the reason in `error`.
bool regionFitsPicture(const QRect& region, QSize pictureSize, QString& error);

// The `source` rectangle of `pixels` as QImage::Format_RGB888, each pixel drawn source-over onto
// `background` exactly as QPainter draws it; a null image when there is no memory for it.
QImage flattenOnto(const QImage& pixels, const QRect& source, const QColor& background);
