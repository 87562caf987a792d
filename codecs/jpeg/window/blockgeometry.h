#pragma once

#include "codecs/jpeg/window/jpegstructure.h"

#include <vector>

// Where the blocks of a frame lie: the MCU grid of interleaved scans and each component's own block grid,
// which a scan of that component alone walks.
struct BlockGeometry
{
    struct Component
    {
        int horizontalSampling = 1;
        int verticalSampling = 1;
        // The component's own grid, padding blocks of the MCU grid left out.
        int widthInBlocks = 0;
        int heightInBlocks = 0;
    };

    int mcuWidth = 0;
    int mcuHeight = 0;
    int mcusPerRow = 0;
    int mcuRows = 0;
    std::vector<Component> components;

    // A frame of one component counts as sampled 1x1: its MCU is one block whatever its factors say.
    static BlockGeometry of(const JpegStructure& structure);
};

// The MCUs a window around a region holds: those covering the region and a pixel beyond it on each side
// where the picture goes on, so that a decoder's smoothed chroma upsampling gives the region's pixels as in
// the whole picture.
struct WindowMcus
{
    int firstColumn = 0;
    int lastColumn = 0;
    int firstRow = 0;
    int lastRow = 0;

    // The region (x, y, width, height) must lie inside the picture.
    static WindowMcus around(const BlockGeometry& geometry, int x, int y, int width, int height);

    int columns() const { return lastColumn - firstColumn + 1; }
};

// Where a window's MCUs lie in the picture, in pixels, cut at the picture's right and bottom edges.
struct WindowPlace
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    static WindowPlace of(const JpegStructure& structure, const BlockGeometry& geometry,
                          const WindowMcus& mcus);
};

// True when the region (x, y, width, height) is not empty and lies inside the picture.
bool RegionInsidePicture(const JpegStructure& structure, int x, int y, int width, int height);
