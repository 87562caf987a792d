// Reading and writing entropy-coded bits: byte stuffing, markers, positions, and canonical Huffman codes.
#include "codecs/jpeg/stream/entropybits.h"
#include "codecs/jpeg/stream/huffmancode.h"
#include "codecs/jpeg/window/bitwriter.h"
#include "codecs/jpeg/window/dcrecoder.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BitWriter, StuffsEveryWholeFFAndPadsWithOnes)
{
    Bytes out;
    BitWriter writer(out);
    writer.put(0xFF, 8);
    writer.put(0x3, 2);
    writer.put(0x3F, 6);
    writer.put(0x1, 3);
    writer.padToByte();
    EXPECT_EQ(out, (Bytes{0xFF, 0x00, 0xFF, 0x00, 0x3F}));
}

TEST(EntropyBits, ReadsBackWhatTheWriterWroteWithPositions)
{
    std::mt19937 random(7);
    Bytes out;
    BitWriter writer(out);
    std::vector<std::pair<std::uint32_t, int>> pieces;
    for (int i = 0; i < 5000; ++i) {
        const int count = int(random() % 32) + 1;
        // Runs of ones make plenty of 0xFF bytes to stuff.
        const std::uint32_t bits = random() % 3 == 0 ? 0xFFFFFFFFU : std::uint32_t(random());
        pieces.emplace_back(bits & (0xFFFFFFFFU >> (32 - count)), count);
        writer.put(bits, count);
    }
    writer.padToByte();
    out.push_back(0xFF);
    out.push_back(0xD9);

    EntropyBits bits(out.data(), out.data() + out.size());
    std::uint64_t read = 0;
    for (const auto& [value, count] : pieces) {
        // The position names the byte and bit the next piece starts at.
        const EntropyBits::Position position = bits.position();
        EntropyBits fromPosition(position.byte, out.data() + out.size());
        fromPosition.fill(32);
        fromPosition.skip(position.bitsReadOfByte);
        fromPosition.fill(32);
        ASSERT_EQ(fromPosition.peek(count), value);

        bits.fill(32);
        ASSERT_EQ(bits.take(count), value);
        read += std::uint64_t(count);
        ASSERT_EQ(bits.bitsRead(), read);
    }
    EXPECT_FALSE(bits.overran());
}

TEST(EntropyBits, SuppliesZerosAtAMarkerAndTellsWhenOneWasTaken)
{
    const Bytes data = {0xA5, 0xFF, 0x00, 0xFF, 0xD9, 0x77};
    EntropyBits bits(data.data(), data.data() + data.size());
    bits.fill(32);
    EXPECT_EQ(bits.peek(32), 0xA5FF0000U);
    bits.skip(16);
    EXPECT_FALSE(bits.overran());
    bits.skip(1);
    EXPECT_TRUE(bits.overran());
}

TEST(EntropyBits, TheEndOfTheBytesActsAsAMarker)
{
    const Bytes data = {0x81};
    EntropyBits bits(data.data(), data.data() + data.size());
    bits.fill(16);
    EXPECT_EQ(bits.take(8), 0x81U);
    EXPECT_FALSE(bits.overran());
    bits.take(1);
    EXPECT_TRUE(bits.overran());
}

HuffmanTable tableOf(std::initializer_list<std::pair<int, int>> countsByLength, Bytes symbols)
{
    HuffmanTable definition;
    for (const auto& [length, count] : countsByLength)
        definition.countsByLength[std::size_t(length)] = std::uint8_t(count);
    definition.symbols = std::move(symbols);
    return definition;
}

TEST(HuffmanCode, MatchesShortAndLongCanonicalCodes)
{
    // Lengths 2, 2, 3, then one code each of 10 and 16 bits: 00, 01, 100, 1010000000, 1010000001000000.
    const std::optional<HuffmanCode> code =
        HuffmanCode::build(tableOf({{2, 2}, {3, 1}, {10, 1}, {16, 1}}, {0x11, 0x22, 0x33, 0x44, 0x55}));
    ASSERT_TRUE(code);
    struct Case
    {
        std::uint32_t next16;
        int length;
        int symbol;
    };
    for (const Case& c :
         {Case{0x0000, 2, 0x11}, Case{0x7FFF, 2, 0x22}, Case{0x8000, 3, 0x33}, Case{0xA000, 10, 0x44},
          Case{0xA040, 16, 0x55}, Case{0xA041, 0, 0}, Case{0xFFFF, 0, 0}}) {
        const HuffmanCode::Symbol symbol = code->match(c.next16);
        EXPECT_EQ(symbol.length, c.length) << std::hex << c.next16;
        if (c.length != 0) {
            EXPECT_EQ(symbol.value, c.symbol) << std::hex << c.next16;
        }
    }
}

TEST(HuffmanCode, RefusesMoreCodesThanTheLengthsAllow)
{
    EXPECT_FALSE(HuffmanCode::build(tableOf({{1, 3}}, {1, 2, 3})));
    // A code of all ones is not allowed either.
    EXPECT_FALSE(HuffmanCode::build(tableOf({{2, 4}}, {1, 2, 3, 4})));
    EXPECT_FALSE(HuffmanCode::build(tableOf({{2, 2}}, {1})));
}

TEST(DcRecoder, CodesEveryDifferenceUpToFifteenBits)
{
    const std::optional<HuffmanCode> code = HuffmanCode::build(DcRecoder::table());
    ASSERT_TRUE(code);
    Bytes out;
    BitWriter writer(out);
    DcRecoder recoder;
    const std::vector<std::int64_t> values = {0, 5, -3, 1023, -1024, 30000, 0, -32767, -32767};
    for (const std::int64_t value : values)
        ASSERT_TRUE(recoder.put(writer, 0, value));
    EXPECT_FALSE(recoder.put(writer, 0, 1)); // 32768 away from -32767
    writer.padToByte();

    EntropyBits bits(out.data(), out.data() + out.size());
    std::int64_t previous = 0;
    for (const std::int64_t value : values) {
        bits.fill(32);
        const HuffmanCode::Symbol category = code->match(bits.peek(16));
        ASSERT_NE(category.length, 0);
        bits.skip(category.length);
        previous += extendMagnitude(bits.take(category.value), category.value);
        EXPECT_EQ(previous, value);
    }
}

} // namespace
