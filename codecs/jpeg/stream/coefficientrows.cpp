#include "codecs/jpeg/stream/coefficientrows.h"

#include <algorithm>

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
