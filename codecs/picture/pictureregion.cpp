#include "codecs/picture/pictureregion.h"

#include <QPainter>

bool regionFitsPicture(const QRect& region, QSize pictureSize, QString& error)
{
    if (region.isEmpty()) {
        error = QStringLiteral("The region to decode is empty.");
        return false;
    }
    if (!QRect(QPoint(0, 0), pictureSize).contains(region)) {
        error = QStringLiteral("The region %1,%2 %3x%4 lies outside the %5x%6 picture.")
                    .arg(region.x())
                    .arg(region.y())
                    .arg(region.width())
                    .arg(region.height())
                    .arg(pictureSize.width())
                    .arg(pictureSize.height());
        return false;
    }
    return true;
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
        error = QStringLiteral("There is not enough memory for the region.");
        return std::nullopt;
    }
    return flat;
}
