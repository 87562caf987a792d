#pragma once

#include "codecs/picture/filepicturesource.h"

#include <memory>

// A picture decoded by Qt's readers: the formats without a decoder of their own (whatever Qt reads beyond
// BMP, GIF, JPEG and PNG) and the bitmaps the BMP decoder leaves to Qt (rare headers and compressions).
class QtPictureSource final : public FilePictureSource
{
  public:
    QtPictureSource(const QString& path, QSize size) : FilePictureSource(path, size) {}

    // Checks the file's header through Qt's readers; nullptr with a message when Qt cannot read it.
    static std::unique_ptr<PictureSource> open(const QString& path, QString& error);

    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background,
                                       QString& error) override;
};
