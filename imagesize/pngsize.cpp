#include "imagesize/formats.h"
#include "imagesize/headerbytes.h"
#include "imagesize/headerreaders.h"
#include "imagesize/imagesize.h"

#include <utility>

namespace {

// Offsets in the 8-byte signature and the image header chunk up to its interlace method; the chunk's check
// value is not read.
constexpr std::size_t WidthOffset = 16;
constexpr std::size_t HeightOffset = 20;
constexpr std::size_t BitDepthOffset = 24;
constexpr std::size_t ColourTypeOffset = 25;

constexpr std::uint32_t Greyscale = 0;
constexpr std::uint32_t Truecolour = 2;
constexpr std::uint32_t IndexedColour = 3;

// The alpha colour types, and any unknown one, state no depth here.
std::int32_t bitsPerPixel(std::uint32_t bitDepth, std::uint32_t colourType)
{
    switch (colourType) {
    case Greyscale:
    case IndexedColour:
        return static_cast<std::int32_t>(bitDepth);
    case Truecolour:
        return static_cast<std::int32_t>(3 * bitDepth);
    default:
        return 0;
    }
}

} // namespace

ImageSizeInfo imagesize::pngSizeFromBytes(std::span<const std::uint8_t> bytes)
{
    const std::uint32_t width = readU32BE(bytes, WidthOffset);
    const std::uint32_t height = readU32BE(bytes, HeightOffset);
    if (!std::in_range<std::int32_t>(width) || !std::in_range<std::int32_t>(height))
        return {};
    return {PngKind, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
            bitsPerPixel(byteAt(bytes, BitDepthOffset), byteAt(bytes, ColourTypeOffset))};
}

ImageSizeInfo ReadPngSize(const std::filesystem::path& path)
{
    return imagesize::probeKind(imagesize::PngKind, path).info;
}
