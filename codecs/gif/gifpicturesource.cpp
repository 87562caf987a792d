#include "codecs/gif/gifpicturesource.h"

#include "codecs/gif/gifblockcheck.h"
#include "codecs/picture/qtpicturesource.h"

std::unique_ptr<PictureSource> openGifPicture(const QString& path, QString& error)
{
    if (!checkGifFirstImageWhole(path, error))
        return nullptr;
    return QtPictureSource::open(path, error);
}
