#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"

#include <array>
#include <cstdint>
#include <optional>

// The largest magnitude category of a DC difference the walks accept (T.81, Table F.1 ends at 11 for 8-bit
// samples; as libjpeg, up to 15).
inline constexpr int largestDcCategory = 15;

// AC symbols RRRRSSSS (T.81, F.1.2.2): the end of block (EOB) and a run of sixteen zeros (ZRL).
inline constexpr std::uint8_t endOfBlockSymbol = 0x00;
inline constexpr std::uint8_t zeroRunSymbol = 0xF0;

// A canonical Huffman code as JPEG builds it from a DHT table (T.81, Annex C): codes of each length in
// order, shorter codes first.
class HuffmanCode
{
  public:
    static constexpr int lookupBits = 9;
    static constexpr int longestCode = 16;

    // Nullopt when the table holds more codes than its lengths allow.
    static std::optional<HuffmanCode> build(const HuffmanTable& definition);

    struct Symbol
    {
        int length = 0; // 0 when the bits start no code of this table
        std::uint8_t value = 0;
    };

    // The symbol whose code starts the 16 bits `next16` (most significant first): DECODE (T.81, F.2.2.3,
    // Figure F.16), with a lookup table for the short codes in front.
    Symbol match(std::uint32_t next16) const
    {
        const std::uint16_t quick = lookup_[next16 >> (longestCode - lookupBits)];
        if (quick != 0)
            return {quick >> 8, std::uint8_t(quick & 0xFF)};
        for (int length = lookupBits + 1; length <= longestCode; ++length) {
            const std::int32_t code = std::int32_t(next16 >> (longestCode - length));
            if (code <= maxCode_[std::size_t(length)])
                return {length, symbols_[std::size_t(code + valueOffset_[std::size_t(length)])]};
        }
        return {};
    }

  private:
    // (length << 8 | symbol) for codes of up to lookupBits bits, indexed by the next lookupBits bits.
    std::array<std::uint16_t, 1 << lookupBits> lookup_{};
    // MAXCODE and VALPTR - MINCODE of T.81's Figure F.15: the largest code of each length (-1 when none),
    // and what turns a code into an index into symbols_.
    std::array<std::int32_t, longestCode + 1> maxCode_{};
    std::array<std::int32_t, longestCode + 1> valueOffset_{};
    std::array<std::uint8_t, 256> symbols_{};
};

// The signed value of `magnitudeBits` extra bits that follow a symbol of category `category`: EXTEND (T.81,
// F.2.2.1, Figure F.12).
inline int extendMagnitude(std::uint32_t magnitudeBits, int category)
{
    if (category == 0)
        return 0;
    return magnitudeBits < (1U << (category - 1)) ? int(magnitudeBits) - int((1U << category) - 1)
                                                  : int(magnitudeBits);
}
