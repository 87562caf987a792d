#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <span>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

// One pass of libjpeg over a JPEG's bytes: the header, then optionally the rows of a region. libjpeg's
// warnings of damaged data count as failures, and every failure comes with libjpeg's message.
class LibjpegDecoder
{
  public:
    // Reads `file` (which must outlive the decoder).
    explicit LibjpegDecoder(std::span<const std::uint8_t> file);
    ~LibjpegDecoder() { jpeg_destroy_decompress(&info_); }
    LibjpegDecoder(const LibjpegDecoder&) = delete;
    LibjpegDecoder& operator=(const LibjpegDecoder&) = delete;

    bool readHeader(QString& error);

    // After readHeader():
    QSize pictureSize() const { return QSize(int(info_.image_width), int(info_.image_height)); }
    // Greyscale and three-component pictures (YCbCr or RGB); the rest (CMYK, YCCK, odd component counts)
    // is Qt's.
    bool decodesItself() const;

    // Decodes `region` into `crop` (RGB888 of the region's size) with the settings of Qt's reader
    // (accurate integer IDCT and smooth chroma upsampling, libjpeg's defaults), so the pixels equal Qt's.
    bool decodeRegion(const QRect& region, QImage& crop, QString& error);

    struct Errors
    {
        jpeg_error_mgr manager;
        std::jmp_buf jump;
        char message[JMSG_LENGTH_MAX];
    };

  private:
    QString failure() const;

    std::span<const std::uint8_t> file_;
    Errors errors_{};
    jpeg_decompress_struct info_{};
};
