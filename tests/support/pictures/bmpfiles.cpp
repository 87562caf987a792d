#include "tests/support/pictures/bmpfiles.h"

#include "tests/support/pictures/bytelayout.h"

#include <random>

namespace testpictures {

namespace {

constexpr quint32 FileHeaderBytes = 14;
constexpr quint32 CoreHeaderBytes = 12;
// Version 4 and 5 headers hold the bit masks; smaller ones have them follow.
constexpr quint32 HeaderBytesHoldingMasks = 108;
constexpr quint32 PixelsPerMetreAt72Dpi = 2835;

QByteArray InfoHeader(const BmpLayout& layout)
{
    if (layout.infoHeaderBytes == CoreHeaderBytes)
        return U32LE(CoreHeaderBytes) + U16LE(layout.width) + U16LE(layout.height) + U16LE(1) +
               U16LE(layout.bitsPerPixel);
    QByteArray header = U32LE(layout.infoHeaderBytes) + U32LE(layout.width) + U32LE(layout.height) +
                        U16LE(1) + U16LE(layout.bitsPerPixel) + U32LE(layout.compression) +
                        U32LE(layout.pixelBytes) + U32LE(PixelsPerMetreAt72Dpi) +
                        U32LE(PixelsPerMetreAt72Dpi) + U32LE(layout.coloursUsed) + U32LE(0);
    if (layout.infoHeaderBytes >= HeaderBytesHoldingMasks) {
        for (const quint32 mask : layout.masks)
            header += U32LE(mask);
    }
    return header.leftJustified(qsizetype(layout.infoHeaderBytes), '\0', true);
}

} // namespace

QByteArray BmpHeaders(const BmpLayout& layout)
{
    QByteArray afterHeader;
    if (layout.infoHeaderBytes < HeaderBytesHoldingMasks) {
        for (const quint32 mask : layout.masks)
            afterHeader += U32LE(mask);
    }
    // The core header's table holds three bytes a colour, the others four.
    const qsizetype entryBytes = layout.infoHeaderBytes == CoreHeaderBytes ? 3 : 4;
    for (const QRgb colour : layout.colourTable)
        afterHeader += U32LE(colour & 0xFFFFFF).left(entryBytes);
    const quint32 pixelStart = FileHeaderBytes + layout.infoHeaderBytes + quint32(afterHeader.size());
    return "BM" + U32LE(pixelStart + layout.pixelBytes) + U32LE(0) + U32LE(pixelStart) + InfoHeader(layout) +
           afterHeader;
}

QByteArray BmpFile(BmpLayout layout, const QByteArray& pixelData)
{
    layout.pixelBytes = quint32(pixelData.size());
    return BmpHeaders(layout) + pixelData;
}

int BmpRowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

QByteArray BmpRuns(int bitsPerPixel, int width, int rows, int runLength,
                   const std::function<int(int x, int row)>& indexAt, bool endCode)
{
    QByteArray runs;
    for (int row = 0; row < rows; ++row) {
        for (int x = 0; x < width; x += runLength) {
            const int index = indexAt(x, row);
            // A 4-bit run alternates the two indexes of its byte; both are the same here.
            runs += char(qMin(runLength, width - x));
            runs += char(bitsPerPixel == 4 ? index << 4 | index : index);
        }
        runs += ByteValues({0, 0});
    }
    if (endCode)
        runs += ByteValues({0, 1});
    return runs;
}

QByteArray NoiseBmp(int width, int height, const BmpVariant& variant)
{
    BmpLayout layout;
    layout.width = quint32(width);
    layout.height = quint32(variant.topDown ? -height : height);
    layout.bitsPerPixel = quint16(variant.bits);
    layout.coloursUsed = quint32(variant.colourCount);
    if (variant.bitFields) {
        layout.compression = BmpBitFields;
        const bool wide = variant.bits == 32;
        layout.masks = wide ? QList<quint32>{0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000}
                            : QList<quint32>{0xf800, 0x07e0, 0x001f};
        layout.infoHeaderBytes = wide ? 108 : 40;
    }
    const int colours =
        variant.bits <= 8 ? (variant.colourCount ? variant.colourCount : 1 << variant.bits) : 0;
    for (int i = 0; i < colours; ++i)
        layout.colourTable.append(qRgb(i * 53, 255 - i * 7, i * 151));
    QByteArray pixels(qsizetype(BmpRowBytes(width, variant.bits)) * height, '\0');
    std::mt19937 noise(unsigned(width * 13 + height + variant.bits));
    for (char& byte : pixels)
        byte = char(noise() & 0xff);
    return BmpFile(layout, pixels);
}

QByteArray Bmp24(const QImage& picture, bool topDown)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int rowBytes = BmpRowBytes(rgb.width(), 24);
    QByteArray pixels;
    for (int row = 0; row < rgb.height(); ++row) {
        const int y = topDown ? row : rgb.height() - 1 - row;
        QByteArray stored(rowBytes, '\0');
        const uchar* source = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            stored[3 * x] = char(source[3 * x + 2]);
            stored[3 * x + 1] = char(source[3 * x + 1]);
            stored[3 * x + 2] = char(source[3 * x]);
        }
        pixels += stored;
    }
    const quint32 height = quint32(topDown ? -rgb.height() : rgb.height());
    return BmpFile({.width = quint32(rgb.width()), .height = height}, pixels);
}

QByteArray BmpClaiming(qint32 width, qint32 height)
{
    return BmpHeaders({.width = quint32(width), .height = quint32(height)}) + QByteArray(64, '\x7f');
}

} // namespace testpictures
