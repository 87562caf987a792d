#pragma once

#include "codecs/jpeg/stream/blockgeometry.h"
#include "codecs/jpeg/stream/jpegstructure.h"

#include <cstdint>
#include <optional>
#include <vector>

// The MCUs a window around a region holds: those covering the region and a pixel beyond it on each side
// where the picture goes on, and never the picture's last MCU column alone, so that a decoder's smoothed
// chroma upsampling gives the region's pixels as in the whole picture.
struct WindowMcus
{
    int firstColumn = 0, lastColumn = 0;
    int firstRow = 0, lastRow = 0;

    // The region (x, y, width, height) must lie inside the picture.
    static WindowMcus around(const BlockGeometry& geometry, int x, int y, int width, int height);

    int columns() const { return lastColumn - firstColumn + 1; }
};

// Where a window's MCUs lie in the picture, in pixels, cut at the picture's right and bottom edges.
struct WindowPlace
{
    int left = 0, top = 0;
    int width = 0, height = 0;

    static WindowPlace of(const JpegStructure& structure, const BlockGeometry& geometry,
                          const WindowMcus& mcus);
};

// A JPEG file of its own holding the MCUs around a region of a larger JPEG, and where they lie in it.
struct JpegWindow
{
    std::vector<std::uint8_t> file;
    WindowPlace place;
};

// What cutting a window gives: the window, or no window, either for data the window needs that is damaged
// (a code its tables do not define, data that breaks off before the window's end: what a full decode warns
// of) or for a picture no window can be cut from, which libjpeg then reads whole.
struct WindowCut
{
    std::optional<JpegWindow> window;
    bool damaged = false;
};

// True when the region (x, y, width, height) is not empty and lies inside the picture.
bool RegionInsidePicture(const JpegStructure& structure, int x, int y, int width, int height);
