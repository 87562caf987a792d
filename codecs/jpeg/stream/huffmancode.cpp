#include "codecs/jpeg/stream/huffmancode.h"

std::optional<HuffmanCode> HuffmanCode::build(const HuffmanTable& definition)
{
    HuffmanCode code;
    std::int32_t next = 0;
    std::size_t index = 0;
    for (int length = 1; length <= longestCode; ++length) {
        const int count = definition.countsByLength[std::size_t(length)];
        code.maxCode_[std::size_t(length)] = -1;
        if (count == 0) {
            next <<= 1;
            continue;
        }
        // No code may be all ones.
        if (index + std::size_t(count) > definition.symbols.size() || next + count >= (1 << length))
            return std::nullopt;
        code.valueOffset_[std::size_t(length)] = std::int32_t(index) - next;
        for (int i = 0; i < count; ++i, ++next, ++index) {
            const std::uint8_t symbol = definition.symbols[index];
            code.symbols_[index] = symbol;
            if (length <= lookupBits) {
                const int spread = lookupBits - length;
                for (int fill = 0; fill < (1 << spread); ++fill)
                    code.lookup_[std::size_t((next << spread) | fill)] = std::uint16_t(length << 8 | symbol);
            }
        }
        code.maxCode_[std::size_t(length)] = next - 1;
        next <<= 1;
    }
    return code;
}
