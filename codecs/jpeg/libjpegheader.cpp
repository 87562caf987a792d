#include "codecs/jpeg/libjpegheader.h"

#include "codecs/jpeg/stream/markers.h"

#include <algorithm>
#include <functional>

namespace {

// libjpeg's JPEG_MAX_DIMENSION and MAX_COMPONENTS.
constexpr int largestDimension = 65500;
constexpr std::size_t mostComponents = 10;
constexpr int tableSlots = 4;
constexpr std::size_t quantizationValues = 64;
// A segment's marker and length field.
constexpr std::size_t segmentHeadBytes = 4;

bool onlyFillBytes(std::span<const std::uint8_t> bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](std::uint8_t byte) { return byte == jpegmarker::prefix; });
}

// Quantization table definitions (T.81, B.2.4.1) of 8- or 16-bit values that fill the segment exactly.
bool holdsQuantizationTables(std::span<const std::uint8_t> body)
{
    std::size_t at = 0;
    while (at < body.size()) {
        const int precision = body[at] >> 4;
        const int slot = body[at] & 0x0F;
        if (precision > 1 || slot >= tableSlots)
            return false;
        at += 1 + quantizationValues * std::size_t(precision + 1);
    }
    return at == body.size();
}

bool componentIdsDiffer(const JpegStructure& structure)
{
    for (std::size_t i = 0; i < structure.components.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (structure.components[i].id == structure.components[j].id)
                return false;
        }
    }
    return true;
}

// A frame libjpeg takes, read as ours reads it: distinct component ids, and a first scan that names some
// of the first four components in the frame's order, each once.
bool frameIsPlain(const JpegStructure& structure)
{
    const std::vector<int>& scanComponents = structure.scans.front().components;
    return structure.precision == 8 && structure.width >= 1 && structure.width <= largestDimension &&
           structure.height >= 1 && structure.height <= largestDimension &&
           structure.components.size() <= mostComponents && componentIdsDiffer(structure) &&
           std::adjacent_find(scanComponents.begin(), scanComponents.end(), std::greater_equal<int>()) ==
               scanComponents.end() &&
           std::size_t(scanComponents.back()) < maxScanComponents;
}

// The segment as libjpeg checks it; the structure reader has checked the rest.
bool segmentIsPlain(std::uint8_t marker, std::span<const std::uint8_t> body, const JpegStructure& structure)
{
    switch (marker) {
    case jpegmarker::baselineFrame:
    case jpegmarker::extendedFrame:
    case jpegmarker::progressiveFrame:
        return body.size() == 6 + 3 * structure.components.size();
    case jpegmarker::startOfScan:
        return body.size() == 4 + 2 * structure.scans.front().components.size();
    case jpegmarker::defineRestartInterval:
        return body.size() == 2;
    case jpegmarker::defineQuantizationTables:
        return holdsQuantizationTables(body);
    case jpegmarker::defineHuffmanTables:
    case jpegmarker::comment:
        return true;
    default:
        return jpegmarker::isApplication(marker);
    }
}

} // namespace

bool LibjpegReadsHeaderAlike(std::span<const std::uint8_t> file, const JpegStructure& structure)
{
    if (structure.scans.empty() || !frameIsPlain(structure))
        return false;
    const std::size_t firstScan = structure.scans.front().headerOffset;
    // After the start of image, each segment follows the one before it, with nothing but fill bytes between.
    std::size_t expected = 2;
    for (const JpegSegment& segment : structure.segments) {
        if (segment.offset > firstScan)
            break;
        if (segment.offset < expected || !onlyFillBytes(file.subspan(expected, segment.offset - expected)) ||
            !segmentIsPlain(segment.marker,
                            file.subspan(segment.offset + segmentHeadBytes, segment.size - segmentHeadBytes),
                            structure))
            return false;
        expected = segment.offset + segment.size;
    }
    return true;
}
