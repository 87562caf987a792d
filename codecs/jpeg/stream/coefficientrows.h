#pragma once

#include "codecs/jpeg/stream/blockgeometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The coefficients of one row of MCUs: for each component, its vertical sampling's rows of blocks across
// the MCU grid's width, padding blocks included, 64 coefficients a block in zigzag order.
class CoefficientRows
{
  public:
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
