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
// warnings of damaged data count as failures, and every failure comes with a message. Whole-picture buffers
// (the coefficients of a progressive picture) draw from the budget of whole decodes.
class LibjpegDecoder
{
  public:
    // Reads `file` (which must outlive the decoder).
    explicit LibjpegDecoder(std::span<const std::uint8_t> file);
    ~LibjpegDecoder() { jpeg_destroy_decompress(&info_); }
    LibjpegDecoder(const LibjpegDecoder&) = delete;
    LibjpegDecoder& operator=(const LibjpegDecoder&) = delete;

    // False with a message also for a picture whose colours cannot be shown: greyscale, YCbCr or RGB, and
    // CMYK or YCCK are.
    bool readHeader(QString& error);

    // After readHeader():
    QSize pictureSize() const { return QSize(int(info_.image_width), int(info_.image_height)); }

    // Decodes `region` into `crop` (RGB888 of the region's size) with the settings of Qt's reader
    // (accurate integer IDCT, smooth chroma upsampling and block smoothing, libjpeg's defaults) and its
    // conversion of CMYK, so the pixels equal Qt's.
    bool decodeRegion(const QRect& region, QImage& crop, QString& error);

    struct Errors
    {
        jpeg_error_mgr manager;
        std::jmp_buf jump;
        int code;
        char message[JMSG_LENGTH_MAX];
    };

    // Hands libjpeg the file's bytes a few hundred at a time (see libjpegdecoder.cpp).
    struct Source
    {
        jpeg_source_mgr manager;
        const std::uint8_t* next;
        const std::uint8_t* end;
    };

  private:
    bool decodesColours() const;
    QString failure() const;

    std::span<const std::uint8_t> file_;
    Errors errors_{};
    Source source_{};
    jpeg_decompress_struct info_{};
};
