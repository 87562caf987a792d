#include "codecs/picture/filepicturesource.h"

#include "codecs/picture/fileread.h"
#include "codecs/picture/picturemessages.h"
#include "codecs/picture/pictureregion.h"

#include <QFile>

bool FilePictureSource::openForRegion(QFile& file, const QRect& region, QString& error) const
{
    if (!regionFitsPicture(region, size_, error))
        return false;
    if (!openForReading(file, path_, error))
        return false;
    if (!stamp_.matches(file)) {
        error = PictureMessages::ChangedSinceOpen();
        return false;
    }
    return true;
}
