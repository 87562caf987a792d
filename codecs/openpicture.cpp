#include "codecs/openpicture.h"

#include "codecs/bmp/bmppicturesource.h"
#include "codecs/gif/gifpicturesource.h"
#include "codecs/jpeg/jpegpicturesource.h"
#include "codecs/picture/fileread.h"
#include "codecs/picture/qtpicturesource.h"
#include "codecs/png/pngpicturesource.h"
#include "imagesize/formats.h"

#include <QFile>
#include <algorithm>
#include <array>

namespace {

using PictureOpener = std::unique_ptr<PictureSource> (*)(const QString& path, ProbedImage& probe,
                                                         QString& error);

struct FormatDecoder
{
    std::int32_t kind;
    PictureOpener open;
};

// The decoder of each format the size probe knows.
constexpr std::array<FormatDecoder, 4> FormatDecoders{{
    {imagesize::BmpKind,
     [](const QString& path, ProbedImage&, QString& error) { return openBmpPicture(path, error); }},
    {imagesize::GifKind,
     [](const QString& path, ProbedImage&, QString& error) { return openGifPicture(path, error); }},
    {imagesize::JpegKind,
     [](const QString& path, ProbedImage& probe, QString& error) {
         return openJpegPicture(path, std::move(probe.wholeFile), error);
     }},
    {imagesize::PngKind,
     [](const QString& path, ProbedImage&, QString& error) { return openPngPicture(path, error); }},
}};

// A file the probe found nothing in: Qt's readers, once the file is known to open, so that a file that
// cannot be opened is reported with the system's reason.
std::unique_ptr<PictureSource> openWithQt(const QString& path, QString& error)
{
    QFile file;
    if (!openForReading(file, path, error))
        return nullptr;
    file.close();
    return QtPictureSource::open(path, error);
}

} // namespace

std::unique_ptr<PictureSource> OpenPicture(const QString& path, ProbedImage probe, QString& error)
{
    const auto decoder = std::ranges::find(FormatDecoders, probe.info.Kind, &FormatDecoder::kind);
    if (decoder == FormatDecoders.end())
        return openWithQt(path, error);
    return decoder->open(path, probe, error);
}
