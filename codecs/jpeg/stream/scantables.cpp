#include "codecs/jpeg/stream/scantables.h"

AcSkipTable::AcSkipTable(const HuffmanCode& code)
{
    entries_.fill(std::uint16_t(farthestMove << 4));
    for (std::uint32_t bits = 0; bits < entries_.size(); ++bits) {
        int used = 0;
        int advance = 0;
        bool ends = false;
        while (!ends) {
            const std::uint32_t rest = (bits << used) & ((1U << acLookaheadBits) - 1);
            const HuffmanCode::Symbol symbol =
                code.match(rest << (HuffmanCode::longestCode - acLookaheadBits));
            const int category = symbol.value & 0x0F;
            const int step = coefficientStep(symbol.value);
            if (symbol.length == 0 || used + symbol.length + category > acLookaheadBits ||
                advance + step >= farthestMove)
                break;
            used += symbol.length + category;
            advance += step;
            ends = step == 0;
        }
        if (used != 0)
            entries_[bits] = std::uint16_t((ends ? endsBlock : 0) | advance << 4 | used);
    }
}

DcTable::DcTable(const HuffmanCode& code)
{
    for (std::uint32_t bits = 0; bits < entries_.size(); ++bits) {
        const HuffmanCode::Symbol symbol = code.match(bits << (HuffmanCode::longestCode - dcLookaheadBits));
        const int used = symbol.length + symbol.value;
        if (symbol.length == 0 || symbol.value > largestDcCategory || used > dcLookaheadBits)
            continue;
        const std::uint32_t magnitude = (bits >> (dcLookaheadBits - used)) & ((1U << symbol.value) - 1);
        const int difference = extendMagnitude(magnitude, symbol.value);
        entries_[bits] = std::uint32_t(difference) << 16 | std::uint32_t(used);
    }
}

bool ScanTables::build(const JpegStructure& structure)
{
    const JpegScan& scan = structure.scans.front();
    for (std::size_t i = 0; i < scan.components.size(); ++i) {
        if (scan.dcTables[i] < 0 || scan.acTables[i] < 0)
            return false;
        const std::optional<HuffmanCode> dc =
            HuffmanCode::build(structure.tables[std::size_t(scan.dcTables[i])]);
        const std::optional<HuffmanCode> ac =
            HuffmanCode::build(structure.tables[std::size_t(scan.acTables[i])]);
        if (!dc || !ac)
            return false;
        codes_.push_back(*dc);
        codes_.push_back(*ac);
    }
    for (std::size_t i = 0; i < scan.components.size(); ++i) {
        dcTables_.emplace_back(codes_[2 * i]);
        skipTables_.emplace_back(codes_[2 * i + 1]);
    }
    const bool interleaved = scan.components.size() > 1;
    for (std::size_t i = 0; i < scan.components.size(); ++i) {
        const JpegComponent& component = structure.components[std::size_t(scan.components[i])];
        const int blocks = interleaved ? component.horizontalSampling * component.verticalSampling : 1;
        for (int b = 0; b < blocks; ++b) {
            if (blockCount_ == maxBlocksPerMcu)
                return false;
            blocks_[std::size_t(blockCount_++)] = {&codes_[2 * i], &dcTables_[i], &codes_[2 * i + 1],
                                                   &skipTables_[i], int(i)};
        }
    }
    return true;
}
