#pragma once

#include "codecs/picture/picturesource.h"

#include <QString>
#include <memory>

// Opens a GIF file with a decoder of its first image that keeps only a region's pixels, once the file's
// blocks are known to be whole through that image's data (see README.md for the picture it gives). Nullptr
// with a message when they are not, or the file holds no image.
std::unique_ptr<PictureSource> openGifPicture(const QString& path, QString& error);
