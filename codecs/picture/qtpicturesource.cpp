#include "codecs/picture/qtpicturesource.h"

#include "codecs/picture/picturemessages.h"
#include "codecs/picture/pictureregion.h"

#include <QImageReader>

namespace {

// Qt's readers decode to at most four bytes a pixel for the formats left to them.
constexpr qint64 decodedBytesPerPixel = 4;

qint64 decodedBytes(QSize size)
{
    return qint64(size.width()) * size.height() * decodedBytesPerPixel;
}

// Raises Qt's process-wide allocation limit for one decode.
class AllocationLimitRaise
{
  public:
    explicit AllocationLimitRaise(int limitMiB) : previous_(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(limitMiB);
    }
    ~AllocationLimitRaise() { QImageReader::setAllocationLimit(previous_); }
    AllocationLimitRaise(const AllocationLimitRaise&) = delete;
    AllocationLimitRaise& operator=(const AllocationLimitRaise&) = delete;

  private:
    int previous_;
};

// Qt's readers keep pixel indexes beyond a short colour table, and painting such a picture reads the table
// past its end. Indexes without a colour are opaque black, as QImage's own conversions make them.
void padColourTable(QImage& picture)
{
    const int colourCount = picture.colorCount();
    const int indexCount = 1 << qMin(picture.depth(), 8);
    if (colourCount == 0 || colourCount >= indexCount)
        return;
    picture.setColorCount(indexCount);
    for (int index = colourCount; index < indexCount; ++index)
        picture.setColor(index, qRgb(0, 0, 0));
}

} // namespace

std::unique_ptr<PictureSource> QtPictureSource::open(const QString& path, QString& error)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    if (!reader.canRead()) {
        error = reader.errorString();
        return nullptr;
    }
    // Qt's BMP reader gives a top-down bitmap's height as the header stores it, negative.
    const QSize size(qAbs(reader.size().width()), qAbs(reader.size().height()));
    if (size.isEmpty()) {
        error = PictureMessages::SizeUnreadable();
        return nullptr;
    }
    return std::make_unique<QtPictureSource>(path, size);
}

std::optional<QImage> QtPictureSource::decodeRegion(const QRect& region, const QColor& background,
                                                    QString& error)
{
    if (!regionFitsPicture(region, size(), error))
        return std::nullopt;
    QImageReader reader(path());
    reader.setAutoTransform(false);
    // The readers left to Qt decode the whole picture into an image of that size, and need little beside it:
    // the image draws from the budget of whole decodes.
    if (decodedBytes(size()) > qint64(WholeDecodeLimitMiB) * 1024 * 1024) {
        error = PictureMessages::TooLargeToDecode(size());
        return std::nullopt;
    }
    QImage picture;
    {
        const AllocationLimitRaise raise(WholeDecodeLimitMiB);
        picture = reader.read();
    }
    if (picture.isNull()) {
        error = reader.errorString();
        return std::nullopt;
    }
    if (picture.size() != size()) {
        error = PictureMessages::ChangedSinceOpen();
        return std::nullopt;
    }
    padColourTable(picture);
    return flattenOnto(picture, region, background, error);
}
