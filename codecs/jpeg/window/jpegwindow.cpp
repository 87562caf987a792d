#include "codecs/jpeg/window/jpegwindow.h"

#include <algorithm>

namespace {

// How far from a window's inner edges a region stays.
constexpr int edgePixels = 1;

} // namespace

WindowMcus WindowMcus::around(const BlockGeometry& geometry, int x, int y, int width, int height)
{
    // Smoothed upsampling makes a picture's first and last pixel in each direction from its edge sample
    // twice over: a region keeps a pixel between itself and the window's edge where the picture goes on.
    const auto mcuOf = [](int pixel, int mcuSize, int lastMcu) {
        return std::clamp(pixel / mcuSize, 0, lastMcu);
    };
    WindowMcus mcus;
    mcus.firstColumn = mcuOf(std::max(0, x - edgePixels), geometry.mcuWidth, geometry.mcusPerRow - 1);
    mcus.lastColumn = mcuOf(x + width - 1 + edgePixels, geometry.mcuWidth, geometry.mcusPerRow - 1);
    mcus.firstRow = mcuOf(std::max(0, y - edgePixels), geometry.mcuHeight, geometry.mcuRows - 1);
    mcus.lastRow = mcuOf(y + height - 1 + edgePixels, geometry.mcuHeight, geometry.mcuRows - 1);
    // libjpeg upsamples a component smoothly across only when it is more than two samples wide: the
    // picture's last MCU column, which may be a few pixels wide, takes the column before it along.
    if (mcus.firstColumn == mcus.lastColumn && mcus.lastColumn == geometry.mcusPerRow - 1 &&
        mcus.firstColumn > 0)
        --mcus.firstColumn;
    return mcus;
}

WindowPlace WindowPlace::of(const JpegStructure& structure, const BlockGeometry& geometry,
                            const WindowMcus& mcus)
{
    WindowPlace place;
    place.left = mcus.firstColumn * geometry.mcuWidth;
    place.top = mcus.firstRow * geometry.mcuHeight;
    place.width = std::min(structure.width, (mcus.lastColumn + 1) * geometry.mcuWidth) - place.left;
    place.height = std::min(structure.height, (mcus.lastRow + 1) * geometry.mcuHeight) - place.top;
    return place;
}

bool RegionInsidePicture(const JpegStructure& structure, int x, int y, int width, int height)
{
    return x >= 0 && y >= 0 && width > 0 && height > 0 && x <= structure.width - width &&
           y <= structure.height - height;
}
