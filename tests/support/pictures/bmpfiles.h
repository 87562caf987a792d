#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <functional>

namespace testpictures {

// Windows bitmaps built byte by byte: headers of every size, colour tables, run-length data, whole files.

// The information header's compression field.
enum BmpCompression : quint32 { BmpRgb = 0, BmpRle8 = 1, BmpRle4 = 2, BmpBitFields = 3 };

struct BmpLayout
{
    // As stored: a top-down bitmap's negative height is its two's complement.
    quint32 width = 1;
    quint32 height = 1;
    quint16 bitsPerPixel = 24;
    quint32 compression = BmpRgb;
    // 12 (the core header, 16-bit sizes), 40, 64 (OS/2 2.x), 108 (version 4) or 124 (version 5); the
    // bytes beyond the 40-byte header's fields are zero.
    quint32 infoHeaderBytes = 40;
    // Bit masks: inside a header of 108 bytes or more, after a smaller one.
    QList<quint32> masks = {};
    QList<QRgb> colourTable = {};
    quint32 coloursUsed = 0;
    // What the headers claim the pixel data holds.
    quint32 pixelBytes = 0;
};

// Everything before the pixel data: file header, information header, bit masks, colour table.
QByteArray BmpHeaders(const BmpLayout& layout);
// The headers with pixelBytes set to the pixel data's size, then the pixel data.
QByteArray BmpFile(BmpLayout layout, const QByteArray& pixelData);

// A stored row's bytes: its pixels padded to a multiple of four bytes.
int BmpRowBytes(int width, int bitsPerPixel);

// Run-length coded rows for `bitsPerPixel` 8 or 4: in each of the first `rows` stored rows, runs of
// `runLength` pixels (the last one shorter) take the colour index indexAt(x, row) of their first pixel;
// each row ends with an end-of-line code, the data with an end-of-bitmap code when `endCode` is set.
// Row 0 is the first stored row, the bottom one.
QByteArray BmpRuns(int bitsPerPixel, int width, int rows, int runLength,
                   const std::function<int(int x, int row)>& indexAt, bool endCode = true);

// A bitmap of a kind the decoders take, its pixel bytes noise.
struct BmpVariant
{
    int bits = 24;
    bool topDown = false;
    int colourCount = 0;    // 0: the full table for the bit depth
    bool bitFields = false; // 16 bits as 5-6-5, 32 bits with an alpha channel in a version 4 header
};
QByteArray NoiseBmp(int width, int height, const BmpVariant& variant);

// The picture as a 24-bit bitmap with a 40-byte header, whose pixel data starts at Bmp24PixelStart.
QByteArray Bmp24(const QImage& picture, bool topDown = false);
constexpr qsizetype Bmp24PixelStart = 54;

// Headers claiming width × height, with a few pixel bytes after them.
QByteArray BmpClaiming(qint32 width, qint32 height);

} // namespace testpictures
