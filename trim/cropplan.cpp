#include "trim/cropplan.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Rounds to the nearest integer, halves to the even one; nullopt outside the 32-bit range.
std::optional<std::int32_t> RoundToInt32(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

// The offset that centres `part` in `whole`; an odd leftover pixel goes to the right or bottom.
std::optional<std::int32_t> CentreOffset(std::int32_t whole, std::int32_t part)
{
    std::int32_t leftover = 0;
    if (__builtin_sub_overflow(whole, part, &leftover))
        return std::nullopt;
    return leftover / 2;
}

} // namespace

double CutToOneDecimal(double ratio)
{
    char digits[64];
    const auto formatted = std::to_chars(digits, digits + sizeof digits, ratio, std::chars_format::fixed, 7);
    std::string text(digits, formatted.ptr);
    const std::size_t point = text.find('.');
    if (point < 4)
        text.insert(0, 4 - point, '0');
    double cut = 0;
    std::from_chars(text.data(), text.data() + 6, cut);
    return cut;
}

std::optional<CropPlan> PlanCrop(std::int32_t pictureWidth, std::int32_t pictureHeight,
                                 const TrimSettings& settings)
{
    const std::int32_t targetWidth = settings.TargetWidth;
    const std::int32_t targetHeight = settings.TargetHeight;
    const std::int32_t previewWidth = settings.PreviewMaxWidth;
    const std::int32_t previewHeight = settings.PreviewMaxHeight;
    if (targetWidth <= 0 || targetHeight <= 0 || pictureWidth < 0 || pictureHeight < 0 || previewWidth < 0 ||
        previewHeight < 0)
        return std::nullopt;

    CropPlan plan;
    // A picture as tall as the preview area is bounded by the preview height; otherwise one as wide as the
    // preview area by the preview width; a smaller one by its own size.
    if (pictureHeight >= previewHeight) {
        plan.widthRatio = double(pictureWidth) / targetWidth;
        plan.heightRatio = double(previewHeight) / targetHeight;
    } else if (pictureWidth >= previewWidth) {
        plan.widthRatio = double(previewWidth) / targetWidth;
        plan.heightRatio = double(pictureHeight) / targetHeight;
    } else {
        plan.widthRatio = double(pictureWidth) / targetWidth;
        plan.heightRatio = double(pictureHeight) / targetHeight;
    }
    plan.cutWidthRatio = CutToOneDecimal(plan.widthRatio);
    plan.cutHeightRatio = CutToOneDecimal(plan.heightRatio);
    plan.scale = plan.cutHeightRatio < plan.cutWidthRatio ? plan.cutHeightRatio : plan.cutWidthRatio;
    if (plan.scale > 2.0)
        plan.scale = 2.0;

    const auto cropWidth = RoundToInt32(targetWidth * plan.scale);
    const auto cropHeight = RoundToInt32(targetHeight * plan.scale);
    if (!cropWidth || !cropHeight)
        return std::nullopt;
    const auto horizontalOffset = CentreOffset(pictureWidth, *cropWidth);
    const auto verticalOffset = CentreOffset(pictureHeight, *cropHeight);
    if (!horizontalOffset || !verticalOffset)
        return std::nullopt;
    plan.cropWidth = *cropWidth;
    plan.cropHeight = *cropHeight;
    plan.horizontalOffset = *horizontalOffset;
    plan.verticalOffset = *verticalOffset;
    return plan;
}
