#pragma once

#include "trim/picture/filepicturesource.h"

// A picture decoded by Qt's readers: the formats without a region decoder of their own (GIF and whatever
// else Qt reads) and the variants the region decoders leave to Qt (CMYK JPEG, compressed BMP).
class QtPictureSource final : public FilePictureSource
{
  public:
    using FilePictureSource::FilePictureSource;

    // Checks the file's header through Qt's readers; nullptr with a message when Qt cannot read it.
    static std::unique_ptr<PictureSource> open(const QString& path, QString& error);

    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background,
                                       QString& error) override;
};
