#include "tests/codecs/regionchecks.h"

#include <QImageReader>
#include <QPainter>

QImage referenceCrop(const QString& path, const QRect& region, const QColor& background,
                     bool blackBeyondPalette)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    QImage picture = reader.read();
    if (blackBeyondPalette) {
        const int known = picture.colorCount();
        picture.setColorCount(picture.format() == QImage::Format_Mono ? 2 : 256);
        for (int i = known; i < picture.colorCount(); ++i)
            picture.setColor(i, qRgb(0, 0, 0));
    }
    QImage crop(region.size(), QImage::Format_RGB888);
    crop.fill(background);
    QPainter painter(&crop);
    painter.drawImage(QPoint(0, 0), picture, region);
    return crop;
}

QList<QRect> probeRegions(QSize pictureSize)
{
    const int w = pictureSize.width();
    const int h = pictureSize.height();
    const int cw = qMin(w, 37);
    const int ch = qMin(h, 29);
    QList<QRect> regions;
    for (int x : {0, (w - cw) / 2, w - cw}) {
        for (int y : {0, (h - ch) / 2, h - ch})
            regions.append(QRect(x, y, cw, ch));
    }
    for (int at : {15, 16, 17, 31, 32, 33}) {
        if (at + 21 <= w && at + 19 <= h)
            regions.append(QRect(at, at, 21, 19));
    }
    regions.append(QRect(0, 0, w, h));
    regions.append(QRect(w - 1, h - 1, 1, 1));
    regions.append(QRect(w / 2, h / 2, 1, 1));
    return regions;
}

std::string differenceBetween(const QImage& actual, const QImage& expected)
{
    if (actual.format() != QImage::Format_RGB888 || actual.size() != expected.size())
        return QStringLiteral("format %1 size %2x%3")
            .arg(actual.format())
            .arg(actual.width())
            .arg(actual.height())
            .toStdString();
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel %1,%2: %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16)
                    .arg(expected.pixel(x, y), 8, 16)
                    .toStdString();
        }
    }
    return {};
}
