#include "imagesize/formats.h"
#include "imagesize/headerbytes.h"
#include "imagesize/headerreaders.h"
#include "imagesize/imagesize.h"

namespace {

constexpr std::size_t FirstSegmentOffset = 2;
// A marker is looked at only while its 0xFF, code, two length bytes and one more byte lie in the file.
constexpr std::size_t LeastSegmentBytes = 5;
// Offsets from a segment's first byte, the 0xFF before its marker code.
constexpr std::size_t MarkerCodeOffset = 1;
constexpr std::size_t LengthOffset = 2;
constexpr std::size_t HeightOffset = 5;
constexpr std::size_t WidthOffset = 7;
constexpr std::uint32_t MarkerStart = 0xFF;
constexpr std::int32_t JpegBitsPerPixel = 24;

// Baseline, extended, progressive and lossless frames, Huffman or arithmetic coded; the hierarchical ones
// (0xC5 to 0xC7, 0xCD to 0xCF) do not count and are skipped like any other segment.
bool isFrameHeader(std::uint32_t markerCode)
{
    return (markerCode >= 0xC0 && markerCode <= 0xC3) || (markerCode >= 0xC9 && markerCode <= 0xCB);
}

} // namespace

ImageSizeInfo imagesize::jpegSizeFromBytes(std::span<const std::uint8_t> bytes)
{
    // Every marker is taken to carry a two-byte length, fill bytes included; the walk stops at the first
    // frame header, so one inside a skipped segment (an embedded thumbnail) is never seen.
    const std::size_t length = bytes.size();
    std::size_t position = FirstSegmentOffset;
    while (position + LeastSegmentBytes <= length) {
        if (byteAt(bytes, position) != MarkerStart)
            return {};
        if (isFrameHeader(byteAt(bytes, position, MarkerCodeOffset))) {
            // A frame header cut short by the end of the file reads its missing size bytes as 0.
            return {JpegKind, readU16BE(bytes, position + WidthOffset),
                    readU16BE(bytes, position + HeightOffset), JpegBitsPerPixel};
        }
        position += LengthOffset + readU16BE(bytes, position + LengthOffset);
    }
    return {};
}

ImageSizeInfo ReadJpegSize(const std::filesystem::path& path)
{
    return imagesize::probeKind(imagesize::JpegKind, path).info;
}
