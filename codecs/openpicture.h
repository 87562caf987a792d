#pragma once

#include "codecs/picture/picturesource.h"
#include "imagesize/filebytes.h"

#include <QString>
#include <memory>

// Opens a picture file for cropping with the decoder of its format. Nullptr, with a message in `error`, for
// a file that cannot be read as a picture. `wholeFile` holds the file's bytes when the caller has read it
// whole already (the size probe reads a JPEG whole), so it need not be read again; empty otherwise.
std::unique_ptr<PictureSource> OpenPicture(const QString& path, QString& error, FileBytes wholeFile = {});
