#pragma once

#include "trim/trimsettings.h"

#include <cstdint>
#include <optional>

// Where the centre crop of a picture lies and how large it is. The crop has the target's proportions, its
// size is the target times a multiple of 0.1 up to 2.0, and it always lies inside the picture.
struct CropPlan
{
    double widthRatio = 0;
    double heightRatio = 0;
    double cutWidthRatio = 0;
    double cutHeightRatio = 0;
    double scale = 0;
    std::int32_t cropWidth = 0;
    std::int32_t cropHeight = 0;
    std::int32_t horizontalOffset = 0;
    std::int32_t verticalOffset = 0;

    // A picture under a tenth of the target (or of unknown size) leaves nothing to cut.
    bool empty() const { return cropWidth == 0 || cropHeight == 0; }
};

// Plans the crop of a pictureWidth × pictureHeight picture. Nullopt when nothing can be planned: a target
// side of 0 or less, a negative picture or preview size, or a result outside the 32-bit range.
std::optional<CropPlan> PlanCrop(std::int32_t pictureWidth, std::int32_t pictureHeight,
                                 const TrimSettings& settings);

// Cuts a ratio of 0 or more to one decimal the way the number is shown with four integer digits and seven
// decimals: rounded at the seventh decimal, then everything after the first decimal dropped. So 2.19 gives
// 2.1, but 0.99999996 (shown as 0001.0000000) gives 1.0. From 10000 on only the first six characters of the
// whole part are kept, which still reads as 10000 or more.
double CutToOneDecimal(double ratio);
