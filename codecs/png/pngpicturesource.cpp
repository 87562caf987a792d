#include "codecs/png/pngpicturesource.h"

#include "codecs/picture/filepicturesource.h"
#include "codecs/picture/fileread.h"
#include "codecs/picture/pictureregion.h"
#include "codecs/png/pngdirectrows.h"
#include "codecs/png/pnglayout.h"
#include "codecs/png/pngmessages.h"
#include "codecs/png/pngreader.h"

#include <QFile>
#include <limits>

namespace {

// The signature and the image header chunk, which must come first.
constexpr qint64 signatureAndHeaderChunk = 8 + 4 + 4 + 13 + 4;
constexpr qint64 chunkLengthAndType = 8;

QSize pictureSize(const PngHeader& header)
{
    if (header.width > png_uint_32(std::numeric_limits<int>::max()) ||
        header.height > png_uint_32(std::numeric_limits<int>::max()))
        return QSize();
    return QSize(int(header.width), int(header.height));
}

class PngPictureSource final : public FilePictureSource
{
  public:
    PngPictureSource(const QString& path, FileStamp stamp, const PngHeader& header, qint64 firstIdat)
        : FilePictureSource(path, pictureSize(header), std::move(stamp)), header_(header),
          layout_(layoutLikeQt(header)), copy_(directCopy(header, layout_)), firstIdat_(firstIdat)
    {
    }

    // The region in the format and colours Qt's reader gives the picture, drawn over `background`.
    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background, QString& error) override
    {
        QFile file;
        if (!openForRegion(file, region, error))
            return std::nullopt;
        std::optional<QImage> allocated = newRegionImage(region.size(), layout_.format, error);
        if (!allocated)
            return std::nullopt;
        QImage& pixels = *allocated;
        if (pixels.format() == QImage::Format_Mono || pixels.format() == QImage::Format_Indexed8)
            setColoursLikeQt(pixels, header_);
        if (copy_ ? !decodeDirectly(file, *copy_, region, pixels, error)
                  : !decodeWithLibpng(file, region, pixels, error))
            return std::nullopt;
        if (layout_.zeroIndexesBeyondPalette)
            zeroIndexesBeyondPalette(pixels);
        return flattenOnto(pixels, pixels.rect(), background, error);
    }

  private:
    // The rows come straight from the first IDAT chunk found at open; the header is not read again.
    bool decodeDirectly(QFile& file, PngPixelCopy copy, const QRect& region, QImage& pixels,
                        QString& error) const
    {
        if (!file.seek(firstIdat_)) {
            error = file.errorString();
            return false;
        }
        return decodePngRowsDirectly(file, header_.width, header_.channels, copy, region, pixels, error);
    }

    // libpng decodes rows only on a read struct that has read the header chunks itself.
    bool decodeWithLibpng(QFile& file, const QRect& region, QImage& pixels, QString& error) const
    {
        PngReader reader(file);
        PngHeader reread;
        return reader.readHeader(reread, error) &&
               reader.decodeRegion(header_, layout_, region, pixels, error);
    }

    PngHeader header_;
    PngLayout layout_;
    std::optional<PngPixelCopy> copy_;
    qint64 firstIdat_;
};

} // namespace

std::unique_ptr<PictureSource> openPngPicture(const QString& path, QString& error)
{
    QFile file;
    if (!openForReading(file, path, error))
        return nullptr;
    PngHeader header;
    if (!PngReader(file).readHeader(header, error))
        return nullptr;
    if (pictureSize(header).isEmpty()) {
        error = PngMessages::SizeOutOfRange();
        return nullptr;
    }
    // libpng stops after the first IDAT chunk's length and type. A file that still holds the same header
    // chunk and has that IDAT chunk in the same place decodes with the header read here.
    const qint64 firstIdat = file.pos() - chunkLengthAndType;
    const std::optional<QByteArray> head = readFileBytes(file, 0, signatureAndHeaderChunk);
    const std::optional<QByteArray> idat = readFileBytes(file, firstIdat, chunkLengthAndType);
    if (!head || !idat) {
        error = file.errorString();
        return nullptr;
    }
    FileStamp stamp(file.size(), {{0, *head}, {firstIdat, *idat}});
    return std::make_unique<PngPictureSource>(path, std::move(stamp), header, firstIdat);
}
