#pragma once

#include <QImage>
#include <QString>

// A picture whose every pixel up to 4096×4096 differs, so a crop taken from the wrong place shows.
inline QRgb PatternPixel(int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) & 0xF) | ((y >> 8) & 0xF) << 4);
}

inline QImage PatternPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = PatternPixel(x, y);
    }
    return image;
}

// Saves the pattern as an uncompressed PNG (quick to write and to read).
inline bool SavePatternPng(const QString& path, int width, int height)
{
    return PatternPicture(width, height).save(path, "PNG", 100);
}
