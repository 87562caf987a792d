#include "fuzz/seeds/qtwrittenpictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace {

// A gradient with a transparent corner, so that every channel and the alpha vary across the picture.
QImage Pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = x < width / 4 && y < height / 4 ? 0x40 : 0xFF;
            image.setPixel(x, y, qRgba(x * 255 / width, y * 255 / height, (x * y) & 0xFF, alpha));
        }
    }
    return image;
}

QByteArray Written(const QImage& image, const char* format, int quality = -1, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return buffer.data();
}

} // namespace

Seeds QtWrittenPictures()
{
    const QImage pattern = Pattern(40, 30);
    const QImage opaque = pattern.convertToFormat(QImage::Format_RGB32);
    const QImage large = Pattern(80, 60).convertToFormat(QImage::Format_RGB32);
    return {
        {"qt-png-rgb", Written(opaque, "png")},
        {"qt-png-argb", Written(pattern, "png")},
        {"qt-png-gray8", Written(opaque.convertToFormat(QImage::Format_Grayscale8), "png")},
        {"qt-png-gray16", Written(opaque.convertToFormat(QImage::Format_Grayscale16), "png")},
        {"qt-png-indexed", Written(pattern.convertToFormat(QImage::Format_Indexed8), "png")},
        {"qt-png-mono", Written(opaque.convertToFormat(QImage::Format_Mono), "png")},
        {"qt-png-rgba64", Written(pattern.convertToFormat(QImage::Format_RGBA64), "png")},
        {"qt-png-one-pixel", Written(Pattern(1, 1), "png")},
        {"qt-jpeg-baseline", Written(opaque, "jpeg", 75)},
        {"qt-jpeg-baseline-fine", Written(large, "jpeg", 95)},
        {"qt-jpeg-progressive", Written(large, "jpeg", 60, true)},
        {"qt-jpeg-gray", Written(opaque.convertToFormat(QImage::Format_Grayscale8), "jpeg", 80)},
        {"qt-jpeg-one-pixel", Written(Pattern(1, 1).convertToFormat(QImage::Format_RGB32), "jpeg")},
        {"qt-bmp-24bit", Written(opaque, "bmp")},
        {"qt-bmp-32bit", Written(pattern, "bmp")},
        {"qt-bmp-indexed", Written(pattern.convertToFormat(QImage::Format_Indexed8), "bmp")},
        {"qt-bmp-mono", Written(opaque.convertToFormat(QImage::Format_Mono), "bmp")},
    };
}
