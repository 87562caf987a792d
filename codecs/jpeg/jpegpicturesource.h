#pragma once

#include "codecs/picture/picturesource.h"
#include "imagesize/wholefile.h"

#include <memory>

// Opens a JPEG file, whose bytes `wholeFile` holds when the caller read it whole already (empty: it is read
// here), with a region decoder that keeps the bytes and decodes only the blocks a region needs: greyscale,
// YCbCr or RGB, and CMYK or YCCK pictures. Nullptr with a message when the header cannot be read or its
// colours cannot be shown.
std::unique_ptr<PictureSource> openJpegPicture(const QString& path, WholeFileBytes wholeFile, QString& error);
