#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// A picture that must be decoded whole (or, for a progressive JPEG, held whole as coefficients) may take up
// to this much memory, which leaves room for the rest of the program under 1 GiB.
inline constexpr int WholeDecodeLimitMiB = 768;

// True when `region` is a non-empty rectangle inside a picture of `pictureSize`; otherwise false with
// the reason in `error`.
bool regionFitsPicture(const QRect& region, QSize pictureSize, QString& error);

// A new image of `size` for a region's pixels; nullopt, with the reason in `error`, when there is no memory
// for it.
std::optional<QImage> newRegionImage(QSize size, QImage::Format format, QString& error);

// The `source` rectangle of `pixels` as QImage::Format_RGB888, each pixel drawn source-over onto
// `background` exactly as QPainter draws it; nullopt, with the reason in `error`, when there is no memory
// for it.
std::optional<QImage> flattenOnto(const QImage& pixels, const QRect& source, const QColor& background,
                                  QString& error);
