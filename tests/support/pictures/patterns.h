#pragma once

#include <QImage>
#include <QString>

namespace testpictures {

// Pictures whose pixels a test can predict or tell apart.

// Each pixel up to 4096×4096 tells where it came from, so a crop taken from the wrong place shows at once.
QRgb CoordinatePixel(int x, int y);
QImage CoordinatePicture(int width, int height);
// The coordinate picture as a PNG Qt writes uncompressed (quick to write and to read).
bool SaveCoordinatePng(const QString& path, int width, int height);

// Gradients with noise in RGB888, so every chroma sample differs from its neighbours, as in a photo.
QImage PhotoLikePicture(int width, int height);

// Flat 16×16 tiles of strongly different colours: survives JPEG coding, still shows a shift by one pixel.
QImage TilesPicture(int width, int height);

// A colour wheel with soft discs, for a picture a person looks at.
QImage ColourfulPicture(int width, int height);

// A gradient in every channel with a translucent top-left corner, so colour and alpha vary everywhere.
QImage TranslucentCornerPicture(int width, int height);

} // namespace testpictures
