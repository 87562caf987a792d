#include "codecs/openpicture.h"

#include "codecs/bmp/bmppicturesource.h"
#include "codecs/gif/gifpicturesource.h"
#include "codecs/jpeg/jpegpicturesource.h"
#include "codecs/picture/qtpicturesource.h"
#include "codecs/png/pngpicturesource.h"

#include <QFile>
#include <algorithm>

namespace {

enum class Signature { Jpeg, Png, Bmp, Gif, Other };

Signature signatureOf(const QByteArray& head)
{
    if (head.startsWith("\xff\xd8"))
        return Signature::Jpeg;
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return Signature::Png;
    if (head.startsWith("BM"))
        return Signature::Bmp;
    if (head.startsWith("GIF8"))
        return Signature::Gif;
    return Signature::Other;
}

} // namespace

std::unique_ptr<PictureSource> OpenPicture(const QString& path, QString& error, FileBytes wholeFile)
{
    QByteArray head;
    if (!wholeFile.empty()) {
        head = QByteArray(reinterpret_cast<const char*>(wholeFile.data()),
                          qsizetype(std::min<std::size_t>(8, wholeFile.size())));
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            error = file.errorString();
            return nullptr;
        }
        head = file.read(8);
    }
    switch (signatureOf(head)) {
    case Signature::Jpeg:
        return openJpegPicture(path, std::move(wholeFile), error);
    case Signature::Png:
        return openPngPicture(path, error);
    case Signature::Bmp:
        return openBmpPicture(path, error);
    case Signature::Gif:
        return openGifPicture(path, error);
    case Signature::Other:
        break;
    }
    return QtPictureSource::open(path, error);
}
