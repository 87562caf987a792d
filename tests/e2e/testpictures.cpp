#include "tests/e2e/testpictures.h"

#include <QConicalGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

constexpr int TileSize = 16;

QImage coordinates(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x & 255, y & 255, ((x >> 8) & 15) | ((y >> 8) & 15) << 4));
    return picture;
}

QImage tiles(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int column = x / TileSize;
            const int row = y / TileSize;
            picture.setPixel(x, y, qRgb((column * 53) & 255, (row * 97) & 255, ((column + row) * 29) & 255));
        }
    return picture;
}

QImage colourful(int width, int height)
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

} // namespace

std::optional<TestPattern> ParseTestPattern(const QString& name)
{
    if (name == QStringLiteral("coordinates"))
        return TestPattern::Coordinates;
    if (name == QStringLiteral("tiles"))
        return TestPattern::Tiles;
    if (name == QStringLiteral("colourful"))
        return TestPattern::Colourful;
    return std::nullopt;
}

QImage PaintTestPicture(TestPattern pattern, int width, int height)
{
    switch (pattern) {
    case TestPattern::Coordinates:
        return coordinates(width, height);
    case TestPattern::Tiles:
        return tiles(width, height);
    case TestPattern::Colourful:
        return colourful(width, height);
    }
    return {};
}
