#include "tests/support/pictures/patterns.h"

#include <QConicalGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <random>

namespace testpictures {

QRgb CoordinatePixel(int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) & 0xF) | ((y >> 8) & 0xF) << 4);
}

QImage CoordinatePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = CoordinatePixel(x, y);
    }
    return picture;
}

bool SaveCoordinatePng(const QString& path, int width, int height)
{
    return CoordinatePicture(width, height).save(path, "PNG", 100);
}

QImage PhotoLikePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    std::mt19937 noise(width * 7919 + height);
    for (int y = 0; y < height; ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int n = int(noise() % 64);
            line[3 * x] = uchar((x * 255 / qMax(1, width - 1) + n) / 2 + 32);
            line[3 * x + 1] = uchar((y * 255 / qMax(1, height - 1) + 2 * n) / 3 + 40);
            line[3 * x + 2] = uchar(((x + y) * 3 + n * 3) & 0xff);
        }
    }
    return picture;
}

QImage TilesPicture(int width, int height)
{
    constexpr int TileSize = 16;
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int column = x / TileSize;
            const int row = y / TileSize;
            picture.setPixel(x, y, qRgb((column * 53) & 255, (row * 97) & 255, ((column + row) * 29) & 255));
        }
    }
    return picture;
}

QImage ColourfulPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width / 2.0, height / 2.0);
    QConicalGradient wheel(centre, 90);
    for (int step = 0; step <= 6; ++step)
        wheel.setColorAt(step / 6.0, QColor::fromHsv((step * 60) % 360, 210, 250));
    painter.fillRect(picture.rect(), wheel);

    const qreal radius = std::min(width, height) / 2.0;
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, QColor(255, 255, 255, 200));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(picture.rect(), glow);

    painter.setPen(Qt::NoPen);
    for (int disc = 0; disc < 9; ++disc) {
        const qreal angle = disc * 40.0 * M_PI / 180.0;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * radius * 0.6;
        painter.setBrush(QColor::fromHsv((disc * 40 + 180) % 360, 230, 255, 150));
        painter.drawEllipse(at, radius * 0.16, radius * 0.16);
    }
    return picture;
}

QImage TranslucentCornerPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = x < width / 4 && y < height / 4 ? 0x40 : 0xFF;
            picture.setPixel(x, y, qRgba(x * 255 / width, y * 255 / height, (x * y) & 0xFF, alpha));
        }
    }
    return picture;
}

} // namespace testpictures
