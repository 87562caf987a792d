#include "codecs/openpicture.h"

#include "codecs/bmp/bmppicturesource.h"
#include "codecs/gif/gifpicturesource.h"
#include "codecs/jpeg/jpegpicturesource.h"
#include "codecs/picture/fileread.h"
#include "codecs/picture/qtpicturesource.h"
#include "codecs/png/pngpicturesource.h"
#include "imagesize/formats.h"

#include <QFile>
#include <QImageReader>
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

// The names Qt's readers give the formats a decoder of ours reads.
struct QtFormatName
{
    const char* name;
    std::int32_t kind;
};
constexpr std::array<QtFormatName, 4> QtFormatNames{{
    {"bmp", imagesize::BmpKind},
    {"gif", imagesize::GifKind},
    {"jpeg", imagesize::JpegKind},
    {"png", imagesize::PngKind},
}};

const FormatDecoder* decoderOf(std::int32_t kind)
{
    return std::ranges::find(FormatDecoders, kind, &FormatDecoder::kind);
}

// A file the probe found nothing in: Qt's readers, once the file is known to open, so that a file that
// cannot be opened is reported with the system's reason. A file they take for one of the four formats
// still goes to our decoder of it: Qt's JPEG reader holds a progressive picture's coefficients outside the
// budget of whole decodes, and its GIF reader leaves the pixels outside the first frame undefined.
std::unique_ptr<PictureSource> openWithQt(const QString& path, QString& error)
{
    QFile file;
    if (!openForReading(file, path, error))
        return nullptr;
    file.close();
    const QByteArray format = QImageReader::imageFormat(path);
    const auto known = std::ranges::find_if(
        QtFormatNames, [&format](const QtFormatName& named) { return format == named.name; });
    if (known == QtFormatNames.end())
        return QtPictureSource::open(path, error);
    ProbedImage probe;
    return decoderOf(known->kind)->open(path, probe, error);
}

} // namespace

std::unique_ptr<PictureSource> OpenPicture(const QString& path, ProbedImage probe, QString& error)
{
    const auto decoder = decoderOf(probe.info.Kind);
    if (decoder == FormatDecoders.end())
        return openWithQt(path, error);
    return decoder->open(path, probe, error);
}
