#include "tests/e2e/bitmapcheck.h"

#include <QFile>
#include <QImage>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr qsizetype BitmapHeaderSize = 54;

std::uint32_t readU32LE(const QByteArray& bytes, qsizetype at)
{
    std::uint32_t value = 0;
    for (qsizetype i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::uint16_t readU16LE(const QByteArray& bytes, qsizetype at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

// The file's own header, not what a loader makes of it: the bitmap must be a plain 24-bit one.
QString checkHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 cannot be opened").arg(path);
    const QByteArray header = file.read(BitmapHeaderSize);
    if (header.size() < BitmapHeaderSize || !header.startsWith("BM"))
        return QStringLiteral("%1 is no Windows bitmap").arg(path);
    const std::uint16_t bitsPerPixel = readU16LE(header, 28);
    const std::uint32_t compression = readU32LE(header, 30);
    if (bitsPerPixel != 24 || compression != 0)
        return QStringLiteral(
                   "%1 has %2 bits per pixel and compression %3, not an uncompressed 24-bit bitmap")
            .arg(path)
            .arg(bitsPerPixel)
            .arg(compression);
    return QString();
}

int channelDifference(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

QString CheckCrop(const ExpectedCrop& expected)
{
    if (const QString wrongHeader = checkHeader(expected.bitmap); !wrongHeader.isEmpty())
        return wrongHeader;
    const QImage saved = QImage(expected.bitmap).convertToFormat(QImage::Format_RGB32);
    const QImage source = QImage(expected.source).convertToFormat(QImage::Format_RGB32);
    if (saved.isNull() || source.isNull())
        return QStringLiteral("%1 or %2 cannot be loaded").arg(expected.bitmap, expected.source);
    if (saved.size() != expected.crop.size())
        return QStringLiteral("%1 is %2×%3, expected %4×%5")
            .arg(expected.bitmap)
            .arg(saved.width())
            .arg(saved.height())
            .arg(expected.crop.width())
            .arg(expected.crop.height());
    if (!source.rect().contains(expected.crop))
        return QStringLiteral("the expected crop lies outside %1").arg(expected.source);

    for (int y = 0; y < saved.height(); ++y)
        for (int x = 0; x < saved.width(); ++x) {
            const QRgb got = saved.pixel(x, y);
            const QRgb want = source.pixel(expected.crop.x() + x, expected.crop.y() + y);
            if (channelDifference(got, want) > expected.tolerance)
                return QStringLiteral("%1: pixel %2,%3 is #%4, the source at %5,%6 is #%7")
                    .arg(expected.bitmap)
                    .arg(x)
                    .arg(y)
                    .arg(got & 0xffffff, 6, 16, QLatin1Char('0'))
                    .arg(expected.crop.x() + x)
                    .arg(expected.crop.y() + y)
                    .arg(want & 0xffffff, 6, 16, QLatin1Char('0'));
        }
    return QString();
}
