#include "imagesize/formats.h"
#include "imagesize/headerbytes.h"
#include "imagesize/headerreaders.h"
#include "imagesize/imagesize.h"

#include <limits>
#include <utility>

namespace {

// Offsets in the 14-byte file header and the 40-byte information header, whose layout is assumed for every
// bitmap.
constexpr std::size_t WidthOffset = 18;
constexpr std::size_t HeightOffset = 22;
constexpr std::size_t BitsPerPixelOffset = 28;

} // namespace

ImageSizeInfo imagesize::bmpSizeFromBytes(std::span<const std::uint8_t> bytes)
{
    const std::uint32_t width = readU32LE(bytes, WidthOffset);
    // The height is signed: a negative one marks a top-down bitmap of that many rows.
    const auto height = static_cast<std::int32_t>(readU32LE(bytes, HeightOffset));
    if (!std::in_range<std::int32_t>(width) || height == std::numeric_limits<std::int32_t>::min())
        return {};
    return {BmpKind, static_cast<std::int32_t>(width), height < 0 ? -height : height,
            readU16LE(bytes, BitsPerPixelOffset)};
}

ImageSizeInfo ReadBmpSize(const std::filesystem::path& path)
{
    return imagesize::probeKind(imagesize::BmpKind, path).info;
}
