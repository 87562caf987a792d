#include "codecs/jpeg/window/huffmanwriting.h"

#include "codecs/jpeg/stream/markers.h"

#include <bit>

int categoryOf(std::int64_t value)
{
    const std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
    return std::bit_width(magnitude);
}

std::uint32_t magnitudeBits(std::int64_t value, int category)
{
    return std::uint32_t(value < 0 ? value + (std::int64_t(1) << category) - 1 : value);
}

Codewords codewordsOf(const HuffmanTable& definition)
{
    Codewords codewords{};
    std::uint16_t code = 0;
    std::size_t index = 0;
    for (int length = 1; length < int(definition.countsByLength.size()); ++length) {
        for (int i = 0; i < definition.countsByLength[std::size_t(length)]; ++i, ++code, ++index)
            codewords[definition.symbols[index]] = {code, length};
        code = std::uint16_t(code << 1);
    }
    return codewords;
}

void appendHuffmanTables(std::vector<std::uint8_t>& out, const std::vector<SlottedTable>& tables)
{
    const std::size_t start = out.size();
    out.insert(out.end(), {jpegmarker::prefix, jpegmarker::defineHuffmanTables, 0, 0});
    for (const SlottedTable& table : tables) {
        out.push_back(table.classAndSlot);
        out.insert(out.end(), table.definition.countsByLength.begin() + 1,
                   table.definition.countsByLength.end());
        out.insert(out.end(), table.definition.symbols.begin(), table.definition.symbols.end());
    }
    const std::size_t length = out.size() - start - 2;
    out[start + 2] = std::uint8_t(length >> 8);
    out[start + 3] = std::uint8_t(length & 0xFF);
}
