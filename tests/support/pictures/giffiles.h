#pragma once

#include "tests/support/pictures/bytelayout.h"

#include <QList>
#include <QRect>
#include <QRgb>
#include <functional>

namespace testpictures {

// GIF files built byte by byte (Qt writes none).

// Signature, version ("87a", "89a") and logical screen descriptor.
QByteArray GifScreen(const char* version, quint16 width, quint16 height, quint8 packedFields);
// A colour table: three bytes a colour.
QByteArray GifColourTable(const QList<QRgb>& colours);
QByteArray GifImageDescriptor(quint16 left, quint16 top, quint16 width, quint16 height,
                              quint8 packedFields = 0);
// A graphic control extension that makes one colour index transparent.
QByteArray GifTransparency(quint8 index);
constexpr char GifTrailer = ';';
// 256 colours for a global table: red rises, green falls, blue steps by 7.
QList<QRgb> GifRampColours();

// An image's data (the minimum code size, LZW codes in sub-blocks, the empty block that ends them) in
// which each pixel's colour index indexAt(x, y) is a code of its own. A clear code before every
// 2^minimumCodeSize − 2 pixels keeps the code table short of the next code width, so every code keeps the
// first width. rowEnds are offsets in the data.
RowMarkedBytes GifLiteralCodes(int minimumCodeSize, int width, int height,
                               const std::function<int(int x, int y)>& indexAt);

// An image's data as an LZW encoder writes it (GIF89a, appendix F): the minimum code size, a clear code,
// the codes of the longest strings the table holds (a clear code again when it is full), the end code, in
// sub-blocks of 255 bytes and the empty block. `indexes` are the image's colour indexes in stored order.
QByteArray GifLzwData(int minimumCodeSize, const QByteArray& indexes);

// A GIF whose first image is `frame` on a logical screen of screenWidth × screenHeight.
struct GifPicture
{
    quint16 screenWidth = 1;
    quint16 screenHeight = 1;
    // No table when empty; a table is padded with black to a power of two.
    QList<QRgb> globalColours = {};
    quint8 backgroundIndex = 0;
    QRect frame = QRect(0, 0, 1, 1);
    QList<QRgb> localColours = {};
    bool interlaced = false;
    // -1: no graphic control extension.
    int transparentIndex = -1;
    int minimumCodeSize = 8;
    // The colour index of the frame's pixel x, y (counted inside the frame).
    std::function<int(int x, int y)> indexAt = [](int, int) { return 0; };
};
QByteArray GifFile(const GifPicture& picture);

// A GIF of width × height with a 256-colour table whose pixels run through the colours row by row.
RowMarkedBytes GifWithRowEnds(int width, int height);
// A screen of width × height with a two-colour table and no image on it.
QByteArray GifWithoutImage(quint16 width, quint16 height);
// Screen and image claim width × height; the image data holds a single pixel.
QByteArray GifClaiming(quint16 width, quint16 height);

} // namespace testpictures
