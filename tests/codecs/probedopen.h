#pragma once

#include "codecs/openpicture.h"

#include <QFileInfo>

// Opens a picture as a drop does: by what the size probe finds in it.
inline std::unique_ptr<PictureSource> openProbed(const QString& path, QString& error)
{
    return OpenPicture(path, ProbeImage(QFileInfo(path).filesystemFilePath(), 0), error);
}
