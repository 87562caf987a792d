#include "codecs/jpeg/stream/blockgeometry.h"

namespace {

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
        // A component's samples (T.81, A.1.1): the picture's size scaled by its share of the sampling.
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
