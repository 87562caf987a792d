#pragma once

#include "tests/support/pictures/bytelayout.h"

#include <QImage>
#include <cstddef>
#include <vector>

namespace testpictures {

// PNG files built chunk by chunk.

QByteArray PngFileSignature();
// Length, type, data and the CRC over type and data.
QByteArray PngChunk(const QByteArray& type, const QByteArray& data);
// The signature and the image header chunk.
QByteArray PngStart(quint32 width, quint32 height, int bitDepth, int colourType, bool interlaced = false);
// The image end chunk.
QByteArray PngEnd();
// The whole zlib stream of `data` at the best compression.
QByteArray ZlibStream(const QByteArray& data);

// A row as a PNG encoder stores it under `filterType`, straight from the filters' definitions, so a
// decoder's unfiltering is checked against an independent encoder.
std::vector<uchar> PngFilteredRow(int filterType, const uchar* row, const uchar* previous, std::size_t length,
                                  std::size_t bpp);

// The file with a byte of the CRC of its `index`th chunk of `type` changed; a negative index counts from
// the last such chunk.
QByteArray WithBadChunkCrc(QByteArray png, const QByteArray& type, int index = 0);

// An 8-bit RGB PNG with one IDAT chunk a row, each row flushed, so a cut after rowEnds[y] keeps rows 0
// to y whole.
RowMarkedBytes PngWithARowPerChunk(const QImage& picture);
// An 8-bit RGB PNG whose header claims width × height and whose one IDAT chunk holds a single short row.
QByteArray PngClaiming(quint32 width, quint32 height, bool interlaced = false);

} // namespace testpictures
