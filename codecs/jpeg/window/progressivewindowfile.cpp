#include "codecs/jpeg/window/progressivewindowfile.h"

#include "codecs/jpeg/stream/huffmancode.h"
#include "codecs/jpeg/stream/markers.h"

namespace {

constexpr int largestAcCategory = 10;
// Offset of the first component's table selector from the frame header's marker.
constexpr std::size_t frameTableSelectorOffset = 12;

void appendU16BE(std::vector<std::uint8_t>& bytes, std::size_t value)
{
    bytes.push_back(std::uint8_t(value >> 8));
    bytes.push_back(std::uint8_t(value & 0xFF));
}

void appendFrame(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> file,
                 const JpegStructure& structure, const BlockGeometry& geometry, int width, int height)
{
    const std::size_t count = structure.components.size();
    out.insert(out.end(), {jpegmarker::prefix, jpegmarker::baselineFrame});
    appendU16BE(out, 8 + 3 * count);
    out.push_back(8);
    appendU16BE(out, std::size_t(height));
    appendU16BE(out, std::size_t(width));
    out.push_back(std::uint8_t(count));
    for (std::size_t i = 0; i < count; ++i) {
        const BlockGeometry::Component& sampling = geometry.components[i];
        out.push_back(std::uint8_t(structure.components[i].id));
        out.push_back(std::uint8_t(sampling.horizontalSampling << 4 | sampling.verticalSampling));
        out.push_back(file[structure.frameOffset + frameTableSelectorOffset + 3 * i]);
    }
}

void appendTablesAndScan(std::vector<std::uint8_t>& out, const JpegStructure& structure)
{
    appendHuffmanTables(out, {{0x00, DcRecoder::table()}, {0x10, FullAcTable()}});

    const std::size_t count = structure.components.size();
    out.insert(out.end(), {jpegmarker::prefix, jpegmarker::startOfScan});
    appendU16BE(out, 6 + 2 * count);
    out.push_back(std::uint8_t(count));
    for (const JpegComponent& component : structure.components)
        out.insert(out.end(), {std::uint8_t(component.id), 0x00});
    out.insert(out.end(), {0, 63, 0});
}

} // namespace

HuffmanTable FullAcTable()
{
    HuffmanTable definition;
    definition.countsByLength = {0, 0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D};
    definition.symbols = {
        0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22,
        0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24, 0x33,
        0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x34,
        0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55,
        0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76,
        0x77, 0x78, 0x79, 0x7A, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96,
        0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5,
        0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4,
        0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xF1,
        0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA};
    return definition;
}

std::optional<std::vector<std::uint8_t>> ProgressiveWindowHead(std::span<const std::uint8_t> file,
                                                               const JpegStructure& structure,
                                                               const BlockGeometry& geometry, int width,
                                                               int height)
{
    const std::size_t firstScan = structure.scans.front().headerOffset;
    std::vector<std::uint8_t> out = {jpegmarker::prefix, jpegmarker::startOfImage};
    for (const JpegSegment& segment : structure.segments) {
        // The window is one scan: quantization tables the later scans change cannot be given to it.
        if (segment.offset > firstScan && segment.marker == jpegmarker::defineQuantizationTables)
            return std::nullopt;
        if (segment.offset < firstScan &&
            (segment.marker == jpegmarker::defineQuantizationTables ||
             segment.marker == jpegmarker::comment || jpegmarker::isApplication(segment.marker)))
            out.insert(out.end(), file.begin() + std::ptrdiff_t(segment.offset),
                       file.begin() + std::ptrdiff_t(segment.offset + segment.size));
    }
    appendFrame(out, file, structure, geometry, width, height);
    appendTablesAndScan(out, structure);
    return out;
}

BaselineBlockWriter::BaselineBlockWriter(std::vector<std::uint8_t>& out)
    : bits_(out), acCodes_(codewordsOf(FullAcTable()))
{
}

bool BaselineBlockWriter::putRow(CoefficientRows& rows, const BlockGeometry& geometry, int firstMcu,
                                 int mcuCount)
{
    for (int mcu = firstMcu; mcu < firstMcu + mcuCount; ++mcu) {
        for (std::size_t c = 0; c < geometry.components.size(); ++c) {
            const BlockGeometry::Component& sampling = geometry.components[c];
            for (int row = 0; row < sampling.verticalSampling; ++row) {
                for (int column = 0; column < sampling.horizontalSampling; ++column) {
                    const int blockColumn = mcu * sampling.horizontalSampling + column;
                    if (!putBlock(rows.block(int(c), blockColumn, row), int(c)))
                        return false;
                }
            }
        }
    }
    return true;
}

bool BaselineBlockWriter::putBlock(const std::int16_t* block, int component)
{
    if (!dc_.put(bits_, component, block[0]))
        return false;
    int zeros = 0;
    for (int k = 1; k < coefficientsPerBlock; ++k) {
        const int value = block[k];
        if (value == 0) {
            ++zeros;
            continue;
        }
        for (; zeros >= 16; zeros -= 16)
            bits_.put(acCodes_[zeroRunSymbol].bits, acCodes_[zeroRunSymbol].length);
        const int category = categoryOf(value);
        if (category > largestAcCategory)
            return false;
        const Codeword& code = acCodes_[std::size_t(zeros << 4 | category)];
        bits_.put(code.bits, code.length);
        bits_.put(magnitudeBits(value, category), category);
        zeros = 0;
    }
    if (zeros > 0)
        bits_.put(acCodes_[endOfBlockSymbol].bits, acCodes_[endOfBlockSymbol].length);
    return true;
}
