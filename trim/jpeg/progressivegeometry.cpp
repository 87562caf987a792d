#include "trim/jpeg/progressivegeometry.h"

#include <algorithm>

namespace {

constexpr int blockSize = 8;

int divideRoundingUp(std::int64_t value, std::int64_t divisor)
{
    return int((value + divisor - 1) / divisor);
}

} // namespace

BlockGeometry BlockGeometry::of(const JpegStructure& structure)
{
    const bool single = structure.components.size() == 1;
    const int maxH = single ? 1 : structure.maxHorizontalSampling();
    const int maxV = single ? 1 : structure.maxVerticalSampling();
    BlockGeometry geometry;
    geometry.mcuWidth = blockSize * maxH;
    geometry.mcuHeight = blockSize * maxV;
    geometry.mcusPerRow = divideRoundingUp(structure.width, geometry.mcuWidth);
    geometry.mcuRows = divideRoundingUp(structure.height, geometry.mcuHeight);
    for (const JpegComponent& frameComponent : structure.components) {
        Component component;
        component.horizontalSampling = single ? 1 : frameComponent.horizontalSampling;
        component.verticalSampling = single ? 1 : frameComponent.verticalSampling;
        const int samplesWide =
            divideRoundingUp(std::int64_t(structure.width) * component.horizontalSampling, maxH);
        const int samplesHigh =
            divideRoundingUp(std::int64_t(structure.height) * component.verticalSampling, maxV);
        component.widthInBlocks = divideRoundingUp(samplesWide, blockSize);
        component.heightInBlocks = divideRoundingUp(samplesHigh, blockSize);
        geometry.components.push_back(component);
    }
    return geometry;
}

CoefficientRows::CoefficientRows(const BlockGeometry& geometry)
{
    std::size_t blocks = 0;
    for (const BlockGeometry::Component& component : geometry.components) {
        const std::size_t blocksPerRow =
            std::size_t(geometry.mcusPerRow) * std::size_t(component.horizontalSampling);
        planes_.push_back({blocks * coefficientsPerBlock, blocksPerRow});
        blocks += blocksPerRow * std::size_t(component.verticalSampling);
    }
    coefficients_.assign(blocks * coefficientsPerBlock, 0);
}

void CoefficientRows::clear()
{
    std::fill(coefficients_.begin(), coefficients_.end(), std::int16_t(0));
}
