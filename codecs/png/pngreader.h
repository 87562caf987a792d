#pragma once

#include "codecs/png/pnglayout.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <csetjmp>
#include <png.h>

class QFile;

// libpng reading a PNG file from its start: the chunks before the pixel data, then the rows a region needs.
class PngReader
{
  public:
    // Reads `file`, which must outlive the reader.
    explicit PngReader(QFile& file) : file_(file) {}
    ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    // Reads and checks every chunk from the file's start to the pixel data, and the first IDAT chunk's length
    // and type: the file then stands at that chunk's data. False with a message when a chunk is damaged.
    bool readHeader(PngHeader& header, QString& error);

    // After readHeader: decodes the rows down to `region`'s last row with the transforms of `layout` and
    // copies the region's pixels into `pixels` (of the region's size). False with a message when the data
    // the region needs is damaged or missing.
    bool decodeRegion(const PngHeader& header, const PngLayout& layout, const QRect& region, QImage& pixels,
                      QString& error);

    struct Errors
    {
        std::jmp_buf jump;
        char message[200];
        // Set when the file ends under libpng's reading: our own message says so, in the user's language.
        bool fileEnded = false;
    };

  private:
    void readRows(const QRect& region, const PngLayout& layout, png_bytep row, uchar* pixels,
                  qsizetype stride);
    void readPasses(const PngHeader& header, const QRect& region, const PngLayout& layout, png_bytep row,
                    uchar* pixels, qsizetype stride);
    QString failure() const;

    QFile& file_;
    Errors errors_{};
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};
