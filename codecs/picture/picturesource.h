#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// A picture file opened for cropping. Opening reads and checks the file's header only; pixels are decoded
// when a region is asked for, so a crop of a huge photo never holds the whole photo in memory.
class PictureSource
{
  public:
    virtual ~PictureSource() = default;

    // The picture's size in its stored orientation (no EXIF rotation).
    virtual QSize size() const = 0;

    // The pixels of `region` (which lies inside size()) as QImage::Format_RGB888, transparent pixels
    // composited over `background`; identical to a full decode by Qt's readers. Nullopt, with a message
    // in `error`, when the pixel data is damaged.
    virtual std::optional<QImage> decodeRegion(const QRect& region, const QColor& background,
                                               QString& error) = 0;
};
