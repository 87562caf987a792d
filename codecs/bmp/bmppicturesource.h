#pragma once

#include "codecs/picture/picturesource.h"

#include <memory>

// Opens a BMP file. Uncompressed bitmaps (1, 4, 8, 16, 24 and 32 bits, bit fields of 16 and 32 bits,
// bottom-up or top-down) get a decoder that reads only a region's rows, run-length encoded ones (8 and 4
// bits) one that reads the runs up to the region's top row; unusual bitmaps go to Qt's reader. Nullptr with a
// message when the header cannot be read or the pixel data is cut short.
std::unique_ptr<PictureSource> openBmpPicture(const QString& path, QString& error);
