#include "codecs/picture/pictureregion.h"

#include "codecs/picture/picturemessages.h"

#include <QPainter>

bool regionFitsPicture(const QRect& region, QSize pictureSize, QString& error)
{
    if (region.isEmpty()) {
        error = PictureMessages::RegionEmpty();
        return false;
    }
    if (!QRect(QPoint(0, 0), pictureSize).contains(region)) {
        error = PictureMessages::RegionOutside(region, pictureSize);
        return false;
    }
    return true;
}

std::optional<QImage> newRegionImage(QSize size, QImage::Format format, QString& error)
{
    QImage image(size, format);
    if (image.isNull()) {
        error = PictureMessages::NoMemoryForRegion();
        return std::nullopt;
    }
    return image;
}

std::optional<QImage> flattenOnto(const QImage& pixels, const QRect& source, const QColor& background,
                                  QString& error)
{
    QImage flat;
    if (!pixels.hasAlphaChannel() && pixels.rect().contains(source)) {
        // Opaque pixels need no compositing: converting them gives the same pixels, faster.
        flat = pixels.copy(source).convertToFormat(QImage::Format_RGB888);
    } else {
        flat = QImage(source.size(), QImage::Format_RGB888);
        if (!flat.isNull()) {
            flat.fill(background);
            QPainter(&flat).drawImage(QPoint(0, 0), pixels, source);
        }
    }
    if (flat.isNull()) {
        error = PictureMessages::NoMemoryForRegion();
        return std::nullopt;
    }
    return flat;
}
