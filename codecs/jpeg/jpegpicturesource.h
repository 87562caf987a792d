#pragma once

#include "codecs/picture/picturesource.h"
#include "imagesize/wholefile.h"

#include <memory>

// Opens a JPEG file, whose bytes `wholeFile` holds when the caller read it whole already (empty: it is read
// here). Greyscale and YCbCr/RGB pictures get a region decoder that keeps the bytes and decodes only the
// blocks a region needs; CMYK, YCCK and other unusual pictures go to Qt's reader. Nullptr with a message
// when the header cannot be read.
std::unique_ptr<PictureSource> openJpegPicture(const QString& path, WholeFileBytes wholeFile, QString& error);
