#include "imagesize/filehead.h"
#include "imagesize/formats.h"
#include "imagesize/headerbytes.h"
#include "imagesize/headerreaders.h"
#include "imagesize/imagesize.h"

namespace {

// The signature and version, then the logical screen descriptor.
constexpr std::uintmax_t GifHeadBytes = 13;
constexpr std::size_t WidthOffset = 6;
constexpr std::size_t HeightOffset = 8;
constexpr std::size_t PackedFieldsOffset = 10;
constexpr std::uint32_t ColourTableSizeBits = 0x07;

} // namespace

ImageSizeInfo imagesize::gifSizeFromBytes(std::span<const std::uint8_t> bytes)
{
    if (!hasSignature(bytes, GifSignature))
        return {};

    // The colour table size gives the bits per colour index, whether or not a global table is present.
    const auto bitsPerPixel =
        static_cast<std::int32_t>((byteAt(bytes, PackedFieldsOffset) & ColourTableSizeBits) + 1);
    return {GifKind, readU16LE(bytes, WidthOffset), readU16LE(bytes, HeightOffset), bitsPerPixel};
}

ImageSizeInfo ReadGifSize(const std::filesystem::path& path)
{
    if (!FileExists(path))
        return {};
    const auto head = imagesize::readFileHead(path, GifHeadBytes);
    return head ? imagesize::gifSizeFromBytes(*head) : ImageSizeInfo{};
}
