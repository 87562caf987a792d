#pragma once

#include "codecs/picture/filepicturesource.h"

#include <functional>
#include <memory>

// A picture decoded by Qt's readers: the formats without a region decoder of their own (GIF and whatever
// else Qt reads) and the variants the region decoders leave to Qt (CMYK JPEG, compressed BMP).
class QtPictureSource final : public FilePictureSource
{
  public:
    // A check of the file's data run before each decode: Qt's readers pass over some damage in silence.
    // False with a message refuses the decode.
    using DecodeCheck = std::function<bool(const QString& path, QString& error)>;

    QtPictureSource(const QString& path, QSize size, DecodeCheck check = {})
        : FilePictureSource(path, size), check_(std::move(check))
    {
    }

    // Checks the file's header through Qt's readers; nullptr with a message when Qt cannot read it.
    static std::unique_ptr<PictureSource> open(const QString& path, QString& error);

    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background,
                                       QString& error) override;

  private:
    DecodeCheck check_;
};
