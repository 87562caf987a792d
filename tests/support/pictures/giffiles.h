#pragma once

#include "tests/support/pictures/bytelayout.h"

#include <QList>
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

// A GIF of width × height with a 256-colour table whose pixels run through the colours row by row.
RowMarkedBytes GifWithRowEnds(int width, int height);
// A screen of width × height with a two-colour table and no image on it.
QByteArray GifWithoutImage(quint16 width, quint16 height);
// Screen and image claim width × height; the image data holds a single pixel.
QByteArray GifClaiming(quint16 width, quint16 height);

} // namespace testpictures
