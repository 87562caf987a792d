#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"

#include <vector>

// Samples are coded in 8x8 blocks of 64 coefficients.
inline constexpr int blockSize = 8;
inline constexpr int coefficientsPerBlock = 64;
// The most blocks an MCU of an interleaved scan may hold (T.81, B.2.3; libjpeg's limit too).
inline constexpr int maxBlocksPerMcu = 10;

// Where the blocks of a frame lie (T.81, A.1.1 and A.2): the MCU grid of interleaved scans and each
// component's own block grid, which a scan of that component alone walks.
struct BlockGeometry
{
    struct Component
    {
        int horizontalSampling = 1, verticalSampling = 1;
        // The component's own grid, padding blocks of the MCU grid left out.
        int widthInBlocks = 0, heightInBlocks = 0;
    };

    int mcuWidth = 0, mcuHeight = 0;
    int mcusPerRow = 0, mcuRows = 0;
    std::vector<Component> components;

    // A frame of one component counts as sampled 1x1: its MCU is one block whatever its factors say.
    static BlockGeometry of(const JpegStructure& structure);
};
