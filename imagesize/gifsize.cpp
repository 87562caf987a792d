#include "imagesize/formats.h"
#include "imagesize/headerbytes.h"
#include "imagesize/headerreaders.h"
#include "imagesize/imagesize.h"

namespace {

// Offsets in the signature and version and the logical screen descriptor after them.
constexpr std::size_t WidthOffset = 6;
constexpr std::size_t HeightOffset = 8;
constexpr std::size_t PackedFieldsOffset = 10;
constexpr std::uint32_t ColourTableSizeBits = 0x07;

} // namespace

ImageSizeInfo imagesize::gifSizeFromBytes(std::span<const std::uint8_t> bytes)
{
    // The colour table size gives the bits per colour index, whether or not a global table is present.
    const auto bitsPerPixel =
        static_cast<std::int32_t>((byteAt(bytes, PackedFieldsOffset) & ColourTableSizeBits) + 1);
    return {GifKind, readU16LE(bytes, WidthOffset), readU16LE(bytes, HeightOffset), bitsPerPixel};
}

ImageSizeInfo ReadGifSize(const std::filesystem::path& path)
{
    return imagesize::probeKind(imagesize::GifKind, path).info;
}
