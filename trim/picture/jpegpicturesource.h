#pragma once

#include "trim/picture/picturesource.h"

// Opens a JPEG file. Greyscale and YCbCr/RGB pictures get a region decoder that decodes only the blocks a
// region needs; CMYK, YCCK and other unusual pictures go to Qt's reader. Nullptr with a message when the
// header cannot be read.
std::unique_ptr<PictureSource> openJpegPicture(const QString& path, QString& error);
