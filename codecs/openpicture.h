#pragma once

#include "codecs/picture/picturesource.h"
#include "imagesize/imagesize.h"

#include <QString>
#include <memory>

// Opens the picture file at `path` for cropping with the decoder of the format the size probe found in it
// (`probe`, what ProbeImage gave for the same path); the bytes the probe read the file whole into are
// decoded rather than read again. A file the probe found nothing in goes to Qt's readers. Nullptr, with a
// message in `error`, for a file that cannot be read as a picture.
std::unique_ptr<PictureSource> OpenPicture(const QString& path, ProbedImage probe, QString& error);
