#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>

// Pictures made byte by byte or by the picture writers, for damaging them afterwards.
namespace HostilePictures {

// Each pixel tells where it came from, so a crop's place can be read back from its pixels.
QColor SourcePixel(int x, int y);
QImage PositionPicture(int width, int height);

// A PNG with one IDAT chunk per row, each row flushed, so a cut after rowEnds[y] keeps rows 0 to y whole.
struct RowChunkedPng
{
    QByteArray bytes;
    QList<qsizetype> rowEnds;
};
RowChunkedPng PngWithARowPerChunk(const QImage& picture);

// A complete PNG whose header claims width x height but whose one short IDAT chunk holds a single row.
QByteArray PngClaiming(quint32 width, quint32 height, bool interlaced = false);
// Flips a byte of the first IDAT chunk's checksum.
QByteArray WithBadIdatCrc(QByteArray png);

// A 24-bit bitmap, bottom-up, written by hand; pixelStart is where its first stored row begins.
QByteArray Bmp24(const QImage& picture);
constexpr qsizetype BmpPixelStart = 54;
qsizetype Bmp24RowBytes(int width);
// A bitmap header claiming width x height with a few pixel bytes after it.
QByteArray BmpClaiming(qint32 width, qint32 height);
// An 8-bit bitmap with a two-colour table whose pixels use the indexes 0, 1 and 200 in stripes of 10 columns.
// An information header of 64 bytes (the OS/2 2.x kind) leaves the bitmap to Qt's reader.
QByteArray BmpWithIndexesBeyondItsPalette(int width, int height, quint32 infoHeaderBytes = 40);
// The same stripes run-length encoded, which leaves the bitmap to Qt's reader.
QByteArray BmpRle8WithIndexesBeyondItsPalette(int width, int height);

// A run-length encoded bitmap of 8 or 4 bits with the colours red and blue in stripes of 10 columns, whose
// runs stop after the bottom `rowsWithRuns` rows: with an end-of-picture code, or where the file is cut.
QByteArray BmpRunLengthEndingAfter(int bits, int width, int height, int rowsWithRuns, bool endCode);

// A baseline JPEG with 4:4:4 sampling and a restart marker after every row of 8-pixel blocks.
QByteArray JpegWithRestartPerBlockRow(const QImage& picture);
// A CMYK JPEG, which the JPEG reader leaves to Qt's.
QByteArray CmykJpeg(const QImage& picture);
// Offset just past the restart marker that ends block row `blockRow`; -1 when there is none.
qsizetype JpegRestartAfterBlockRow(const QByteArray& jpeg, int blockRow);
// A progressive JPEG.
QByteArray ProgressiveJpeg(const QImage& picture);
// The JPEG with its frame header's size set to side x side.
QByteArray WithHugeJpegFrame(QByteArray jpeg, quint16 side);

// A GIF of width x height whose image data is stored without compression gains, so that rowEnds[y] is the
// offset of the first byte after the codes of row y.
struct RowMarkedGif
{
    QByteArray bytes;
    QList<qsizetype> rowEnds;
};
RowMarkedGif GifWithRowEnds(int width, int height);

// A GIF of width x height with a logical screen but no image in it.
QByteArray GifWithoutImage(quint16 width, quint16 height);
// A GIF whose screen and one image claim width x height but whose image data is a single code.
QByteArray GifClaiming(quint16 width, quint16 height);

} // namespace HostilePictures
