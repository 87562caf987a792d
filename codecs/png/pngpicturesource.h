#pragma once

#include "codecs/picture/picturesource.h"

#include <memory>

// Opens a PNG file with a decoder that reads rows only down to a region's last row and keeps only the
// region's columns. Nullptr with a message when the header cannot be read.
std::unique_ptr<PictureSource> openPngPicture(const QString& path, QString& error);
