#pragma once

#include "codecs/picture/picturesource.h"

#include <QString>
#include <memory>

// Opens a GIF file for Qt's reader once its first image is known to be whole. Nullptr with a message when
// it is not, or when Qt cannot read the file.
std::unique_ptr<PictureSource> openGifPicture(const QString& path, QString& error);
