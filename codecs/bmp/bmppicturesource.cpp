#include "codecs/bmp/bmppicturesource.h"

#include "codecs/bmp/bmprunlength.h"
#include "codecs/picture/bytereads.h"
#include "codecs/picture/filepicturesource.h"
#include "codecs/picture/pictureregion.h"
#include "codecs/picture/pixelcopy.h"
#include "codecs/picture/qtpicturesource.h"

#include <QFile>
#include <array>
#include <limits>
#include <vector>

namespace {

constexpr qint64 fileHeaderBytes = 14;
constexpr quint32 infoHeaderBytes = 40;
constexpr quint32 v4HeaderBytes = 108;
constexpr quint32 v5HeaderBytes = 124;
constexpr qint64 maskBytes = 12;
constexpr quint32 uncompressed = 0;
constexpr quint32 runLength8 = 1;
constexpr quint32 runLength4 = 2;
constexpr quint32 bitFields = 3;
constexpr int largestColourTable = 256;

// One colour channel packed in a pixel value, scaled up to eight bits the way Qt's reader scales it.
struct Channel
{
    quint32 mask = 0;
    int shift = 0;
    quint32 scale = 0;

    static Channel fromMask(quint32 mask)
    {
        Channel channel;
        channel.mask = mask;
        if (mask != 0) {
            while (((mask >> channel.shift) & 1) == 0)
                ++channel.shift;
        }
        channel.scale = 256 / ((quint64(mask) >> channel.shift) + 1);
        return channel;
    }

    int value(quint32 pixel) const { return int(((pixel & mask) >> shift) * scale); }
};

// What the headers say, checked: the file holds the whole pixel array.
struct BmpLayout
{
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    qint64 pixelStart = 0;
    qint64 rowBytes = 0;
    QList<QRgb> colours;
    Channel red, green, blue, alpha;
    bool hasAlpha = false;
    bool runLength = false;
};

enum class HeaderVerdict { Decodable, LeftToQt, Damaged };

QString cutShort()
{
    return QStringLiteral("The BMP file is cut short.");
}

// Qt's reader leaves the rows missing from a cut-short file as whatever memory it got, so a bitmap left to
// it must hold all its uncompressed rows. Compressed ones are left to Qt as they are.
HeaderVerdict leftToQtIfWhole(const uchar* head, quint32 headerBytes, qint64 fileSize, QString& error)
{
    constexpr quint32 coreHeaderBytes = 12;
    // The compression field ends the first 20 bytes of the longer headers.
    constexpr quint32 headerBytesWithCompression = 20;
    if (headerBytes < coreHeaderBytes) {
        error = QStringLiteral("The BMP file's header is damaged.");
        return HeaderVerdict::Damaged;
    }
    const bool core = headerBytes == coreHeaderBytes;
    const qint64 width = core ? readU16LE(&head[18]) : qint32(readU32LE(&head[18]));
    const qint64 height = core ? readU16LE(&head[20]) : qint32(readU32LE(&head[22]));
    const quint16 bits = core ? readU16LE(&head[24]) : readU16LE(&head[28]);
    const quint32 compression =
        headerBytes < headerBytesWithCompression ? uncompressed : readU32LE(&head[30]);
    if (compression != uncompressed && compression != bitFields)
        return HeaderVerdict::LeftToQt;
    const qint64 rowBytes = (std::abs(width) * bits + 31) / 32 * 4;
    const qint64 pixelStart = std::max<qint64>(readU32LE(&head[10]), fileHeaderBytes + headerBytes);
    const qint64 pixelBytes = fileSize - pixelStart;
    // Divided rather than multiplied: a damaged header's sizes overflow the product.
    if (pixelBytes < 0 || (rowBytes > 0 && std::abs(height) > pixelBytes / rowBytes)) {
        error = cutShort();
        return HeaderVerdict::Damaged;
    }
    return HeaderVerdict::LeftToQt;
}

// Reads the headers as Qt's reader does; bitmaps outside the uncompressed kinds are left to Qt.
HeaderVerdict readLayout(QFile& file, BmpLayout& layout, QString& error)
{
    std::array<uchar, fileHeaderBytes + v5HeaderBytes + maskBytes> head{};
    const qint64 got = file.read(reinterpret_cast<char*>(head.data()), qint64(head.size()));
    if (got < fileHeaderBytes + 4) {
        error = cutShort();
        return HeaderVerdict::Damaged;
    }
    const quint32 pixelOffset = readU32LE(&head[10]);
    const quint32 headerBytes = readU32LE(&head[14]);
    const auto leftToQt = [&] { return leftToQtIfWhole(head.data(), headerBytes, file.size(), error); };
    if (headerBytes != infoHeaderBytes && headerBytes != v4HeaderBytes && headerBytes != v5HeaderBytes)
        return leftToQt();
    const bool hasMasksInFile = headerBytes == infoHeaderBytes;
    if (got < fileHeaderBytes + qint64(headerBytes) + (hasMasksInFile ? maskBytes : 0)) {
        error = cutShort();
        return HeaderVerdict::Damaged;
    }
    const auto width = qint32(readU32LE(&head[18]));
    const auto height = qint32(readU32LE(&head[22]));
    const quint16 planes = readU16LE(&head[26]);
    const quint16 bits = readU16LE(&head[28]);
    const quint32 compression = readU32LE(&head[30]);
    const quint32 coloursUsed = readU32LE(&head[46]);
    const bool plain = compression == uncompressed &&
                       (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool fields = compression == bitFields && (bits == 16 || bits == 32);
    // Runs are stored bottom-up only.
    const bool runs =
        ((compression == runLength8 && bits == 8) || (compression == runLength4 && bits == 4)) && height > 0;
    const bool v5Reserved = headerBytes == v5HeaderBytes && readU32LE(&head[fileHeaderBytes + 120]) != 0;
    if (planes != 1 || (!plain && !fields && !runs) || width <= 0 || height == 0 ||
        height == std::numeric_limits<qint32>::min() || v5Reserved)
        return leftToQt();

    layout.width = width;
    layout.height = height < 0 ? -height : height;
    layout.topDown = height < 0;
    layout.bitsPerPixel = bits;
    layout.runLength = runs;
    layout.rowBytes = (qint64(width) * bits + 31) / 32 * 4;
    qint64 headerEnd = fileHeaderBytes + qint64(headerBytes);
    if (fields) {
        const uchar* masks = &head[fileHeaderBytes + infoHeaderBytes];
        layout.red = Channel::fromMask(readU32LE(masks));
        layout.green = Channel::fromMask(readU32LE(masks + 4));
        layout.blue = Channel::fromMask(readU32LE(masks + 8));
        if (!hasMasksInFile)
            layout.alpha = Channel::fromMask(readU32LE(masks + 12));
        // Qt refuses masks with all 32 bits set.
        for (const Channel& channel : {layout.red, layout.green, layout.blue, layout.alpha}) {
            if (channel.mask == 0xffffffffu)
                return leftToQt();
        }
        layout.hasAlpha = layout.alpha.mask != 0;
        if (hasMasksInFile)
            headerEnd += maskBytes;
    } else if (bits == 16) {
        layout.red = Channel::fromMask(0x7c00);
        layout.green = Channel::fromMask(0x03e0);
        layout.blue = Channel::fromMask(0x001f);
    } else if (bits > 16) {
        layout.red = Channel::fromMask(0xff0000);
        layout.green = Channel::fromMask(0x00ff00);
        layout.blue = Channel::fromMask(0x0000ff);
    } else {
        const quint32 colourCount = coloursUsed != 0 ? coloursUsed : 1u << bits;
        if (colourCount > largestColourTable) {
            error = QStringLiteral("The BMP file's colour table is too large.");
            return HeaderVerdict::Damaged;
        }
        std::array<uchar, largestColourTable * 4> table{};
        const qint64 tableBytes = qint64(colourCount) * 4;
        if (!file.seek(headerEnd) ||
            file.read(reinterpret_cast<char*>(table.data()), tableBytes) != tableBytes) {
            error = cutShort();
            return HeaderVerdict::Damaged;
        }
        for (quint32 i = 0; i < colourCount; ++i)
            layout.colours.append(qRgb(table[4 * i + 2], table[4 * i + 1], table[4 * i]));
        headerEnd += tableBytes;
    }
    // Qt reads the pixels straight after the headers when the offset points into them.
    layout.pixelStart = pixelOffset > headerEnd && pixelOffset <= quint32(std::numeric_limits<qint32>::max())
                            ? qint64(pixelOffset)
                            : headerEnd;
    const qint64 pixelBytes = file.size() - layout.pixelStart;
    // How far runs reach shows only as they are read.
    if (pixelBytes < 0 || (!layout.runLength && layout.height > pixelBytes / layout.rowBytes)) {
        error = cutShort();
        return HeaderVerdict::Damaged;
    }
    return HeaderVerdict::Decodable;
}

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
    using FilePictureSource::FilePictureSource;

    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background, QString& error) override
    {
        QFile file;
        if (!openForRegion(file, region, error))
            return std::nullopt;
        BmpLayout layout;
        if (readLayout(file, layout, error) == HeaderVerdict::Damaged)
            return std::nullopt;
        if (QSize(layout.width, layout.height) != size() || layout.bitsPerPixel == 0) {
            error = QStringLiteral("The picture changed after it was opened.");
            return std::nullopt;
        }
        QImage pixels(region.size(), formatLikeQt(layout));
        if (pixels.isNull()) {
            error = QStringLiteral("There is not enough memory for the region.");
            return std::nullopt;
        }
        if (!layout.colours.isEmpty()) {
            // Qt draws an index beyond the file's colour table from whatever memory follows the table;
            // such pixels are black here, as QImage's own conversions make them.
            const int indexCount = 1 << qMin(layout.bitsPerPixel, 8);
            pixels.setColorCount(qMax(indexCount, int(layout.colours.size())));
            for (int i = 0; i < pixels.colorCount(); ++i)
                pixels.setColor(i, i < layout.colours.size() ? layout.colours[i] : qRgb(0, 0, 0));
        }
        if (layout.runLength) {
            pixels.fill(0);
            if (!expandRunLength(file, layout.pixelStart, layout.height, layout.bitsPerPixel, region, pixels,
                                 error))
                return std::nullopt;
            return flattenOnto(pixels, pixels.rect(), background, error);
        }
        const qint64 firstByte = qint64(region.x()) * layout.bitsPerPixel / 8;
        const qint64 endByte = (qint64(region.x() + region.width()) * layout.bitsPerPixel + 7) / 8;
        std::vector<uchar> stored(std::size_t(endByte - firstByte));
        for (int i = 0; i < region.height(); ++i) {
            // Rows are read in the file's order.
            const int y = layout.topDown ? region.y() + i : region.y() + region.height() - 1 - i;
            const qint64 storedRow = layout.topDown ? y : layout.height - 1 - y;
            const qint64 at = layout.pixelStart + storedRow * layout.rowBytes + firstByte;
            const auto wanted = qint64(stored.size());
            if (!file.seek(at) || file.read(reinterpret_cast<char*>(stored.data()), wanted) != wanted) {
                error = cutShort();
                return std::nullopt;
            }
            convertRow(layout, stored.data(), region.x(), region.width(), pixels.scanLine(y - region.y()));
        }
        return flattenOnto(pixels, pixels.rect(), background, error);
    }
};

} // namespace

std::unique_ptr<PictureSource> openBmpPicture(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return nullptr;
    }
    BmpLayout layout;
    switch (readLayout(file, layout, error)) {
    case HeaderVerdict::Damaged:
        return nullptr;
    case HeaderVerdict::LeftToQt:
        return QtPictureSource::open(path, error);
    case HeaderVerdict::Decodable:
        break;
    }
    return std::make_unique<BmpPictureSource>(path, QSize(layout.width, layout.height));
}
