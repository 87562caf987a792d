#pragma once

#include <QByteArray>

namespace testpictures {

// Pictures written by libpng, in the variants Qt's writer does not offer.

struct PngVariant
{
    int colourType = 0;
    int bitDepth = 8;
    bool interlaced = false;
    bool transparency = false;
    int paletteSize = 0;
    // Small IDAT chunks, so a file can be cut after the chunks a region needs.
    bool smallChunks = false;
    // libpng's PNG_FILTER_* flags the rows may use; 0 leaves the choice to libpng.
    int filters = 0;
};

// Pseudo-random samples of the variant; palette indexes run beyond a short palette, and every fifth pixel
// takes the transparent colour when there is one.
QByteArray LibpngWritten(int width, int height, const PngVariant& variant);

} // namespace testpictures
