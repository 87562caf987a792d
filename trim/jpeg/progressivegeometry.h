#pragma once

#include "trim/jpeg/jpegstructure.h"

#include <cstddef>
#include <cstdint>
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

// The coefficients of one row of MCUs: for each component, its vertical sampling's rows of blocks across
// the MCU grid's width, padding blocks included, 64 coefficients a block in zigzag order.
class CoefficientRows
{
  public:
    static constexpr int coefficientsPerBlock = 64;

    explicit CoefficientRows(const BlockGeometry& geometry);

    std::int16_t* block(int component, int column, int row)
    {
        const Plane& plane = planes_[std::size_t(component)];
        return coefficients_.data() + plane.start +
               (std::size_t(row) * plane.blocksPerRow + std::size_t(column)) * coefficientsPerBlock;
    }

    // Every coefficient back to 0, for the next row of MCUs.
    void clear();

  private:
    struct Plane
    {
        std::size_t start = 0;
        std::size_t blocksPerRow = 0;
    };
    std::vector<Plane> planes_;
    std::vector<std::int16_t> coefficients_;
};
