#include "codecs/bmp/bmppicturesource.h"

#include "codecs/bmp/bmplayout.h"
#include "codecs/bmp/bmpmessages.h"
#include "codecs/bmp/bmprunlength.h"
#include "codecs/picture/filepicturesource.h"
#include "codecs/picture/fileread.h"
#include "codecs/picture/pictureregion.h"
#include "codecs/picture/pixelcopy.h"
#include "codecs/picture/qtpicturesource.h"

#include <QFile>
#include <vector>

namespace {

QImage::Format formatLikeQt(const BmpLayout& layout)
{
    if (layout.bitsPerPixel == 1)
        return QImage::Format_Mono;
    if (layout.bitsPerPixel <= 8)
        return QImage::Format_Indexed8;
    return layout.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

// Turns the bytes of one stored row (starting at the byte that holds pixel `firstPixel`) into `count` pixels
// of the region, in the format Qt's reader uses.
void convertRow(const BmpLayout& layout, const uchar* stored, int firstPixel, int count, uchar* target)
{
    const int bits = layout.bitsPerPixel;
    if (bits == 1) {
        copyPixels(stored, std::size_t(firstPixel % 8), target, 0, std::size_t(count), 1);
    } else if (bits == 4) {
        for (int i = 0; i < count; ++i) {
            const int nibble = (firstPixel % 2) + i;
            target[i] = (nibble % 2 == 0) ? uchar(stored[nibble / 2] >> 4) : uchar(stored[nibble / 2] & 0x0f);
        }
    } else if (bits == 8) {
        copyPixels(stored, 0, target, 0, std::size_t(count), 8);
    } else if (bits == 24) {
        // The commonest kind has no masks to apply: blue, green and red bytes.
        auto* pixels = reinterpret_cast<QRgb*>(target);
        for (int i = 0; i < count; ++i) {
            const uchar* p = stored + qsizetype(i) * 3;
            pixels[i] = qRgb(p[2], p[1], p[0]);
        }
    } else {
        auto* pixels = reinterpret_cast<QRgb*>(target);
        const int bytes = bits / 8;
        for (int i = 0; i < count; ++i) {
            const uchar* p = stored + qsizetype(i) * bytes;
            quint32 value = quint32(p[0]) | (quint32(p[1]) << 8);
            if (bytes > 2)
                value |= quint32(p[2]) << 16;
            if (bytes > 3)
                value |= quint32(p[3]) << 24;
            pixels[i] = qRgba(layout.red.value(value), layout.green.value(value), layout.blue.value(value),
                              layout.hasAlpha ? layout.alpha.value(value) : 255);
        }
    }
}

class BmpPictureSource final : public FilePictureSource
{
  public:
    BmpPictureSource(const QString& path, BmpLayout layout, FileStamp stamp)
        : FilePictureSource(path, QSize(layout.width, layout.height), std::move(stamp)),
          layout_(std::move(layout))
    {
    }

    // Decodes with the layout read at open; the file is checked to hold the same headers.
    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background, QString& error) override
    {
        QFile file;
        if (!openForRegion(file, region, error))
            return std::nullopt;
        std::optional<QImage> allocated = newRegionImage(region.size(), formatLikeQt(layout_), error);
        if (!allocated)
            return std::nullopt;
        QImage& pixels = *allocated;
        if (!layout_.colours.isEmpty()) {
            // Qt draws an index beyond the file's colour table from whatever memory follows the table;
            // such pixels are black here, as QImage's own conversions make them.
            const int indexCount = 1 << qMin(layout_.bitsPerPixel, 8);
            pixels.setColorCount(qMax(indexCount, int(layout_.colours.size())));
            for (int i = 0; i < pixels.colorCount(); ++i)
                pixels.setColor(i, i < layout_.colours.size() ? layout_.colours[i] : qRgb(0, 0, 0));
        }
        if (layout_.runLength) {
            pixels.fill(0);
            if (!expandRunLength(file, layout_.pixelStart, layout_.height, layout_.bitsPerPixel, region,
                                 pixels, error))
                return std::nullopt;
            return flattenOnto(pixels, pixels.rect(), background, error);
        }
        if (!readRows(file, region, pixels)) {
            error = BmpMessages::CutShort();
            return std::nullopt;
        }
        return flattenOnto(pixels, pixels.rect(), background, error);
    }

  private:
    // Reads the region's part of each of its rows, in the file's order.
    bool readRows(QFile& file, const QRect& region, QImage& pixels) const
    {
        const qint64 firstByte = qint64(region.x()) * layout_.bitsPerPixel / 8;
        const qint64 endByte = (qint64(region.x() + region.width()) * layout_.bitsPerPixel + 7) / 8;
        std::vector<uchar> stored(std::size_t(endByte - firstByte));
        for (int i = 0; i < region.height(); ++i) {
            const int y = layout_.topDown ? region.y() + i : region.y() + region.height() - 1 - i;
            const qint64 storedRow = layout_.topDown ? y : layout_.height - 1 - y;
            const qint64 at = layout_.pixelStart + storedRow * layout_.rowBytes + firstByte;
            const auto wanted = qint64(stored.size());
            if (!file.seek(at) || file.read(reinterpret_cast<char*>(stored.data()), wanted) != wanted)
                return false;
            convertRow(layout_, stored.data(), region.x(), region.width(), pixels.scanLine(y - region.y()));
        }
        return true;
    }

    BmpLayout layout_;
};

} // namespace

std::unique_ptr<PictureSource> openBmpPicture(const QString& path, QString& error)
{
    QFile file;
    if (!openForReading(file, path, error))
        return nullptr;
    BmpLayout layout;
    switch (readBmpLayout(file, layout, error)) {
    case BmpHeaderVerdict::Damaged:
        return nullptr;
    case BmpHeaderVerdict::LeftToQt:
        return QtPictureSource::open(path, error);
    case BmpHeaderVerdict::Decodable:
        break;
    }
    FileStamp stamp(file.size(), {{0, layout.headerBytes}});
    return std::make_unique<BmpPictureSource>(path, std::move(layout), std::move(stamp));
}
