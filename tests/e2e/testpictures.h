#pragma once

#include <QImage>
#include <QString>
#include <optional>

// Pictures whose pixels the test can predict after a crop.
enum class TestPattern {
    // Each pixel encodes its own x and y, so a misplaced crop shows at once.
    Coordinates,
    // Flat 16×16 tiles of strongly different colours: survives JPEG coding, still shows a shift by one pixel.
    Tiles,
    // A colour wheel with soft discs: what the screenshot shows.
    Colourful,
};

std::optional<TestPattern> ParseTestPattern(const QString& name);
QImage PaintTestPicture(TestPattern pattern, int width, int height);
