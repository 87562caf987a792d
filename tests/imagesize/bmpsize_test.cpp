#include "readercase.h"
#include "samplebytes.h"

using namespace samplebytes;

namespace {

class BmpSize : public testing::TestWithParam<ReaderCase>
{
};

TEST_P(BmpSize, ReadsTheHeader)
{
    EXPECT_EQ(readCase(ReadBmpSize, GetParam()), GetParam().expected);
}

// The 12-byte core header: 16-bit width and height, planes and bit count, then a palette.
const Bytes CoreHeaderBitmap = join({ascii("BM"),
                                     u32LE(26 + 6),
                                     u32LE(0),
                                     u32LE(26 + 6),
                                     u32LE(12),
                                     u16LE(640),
                                     u16LE(480),
                                     u16LE(1),
                                     u16LE(24),
                                     {0, 0, 0x20, 0x01, 0, 0}});

// The fifth-version information header keeps width, height and bit count where the 40-byte one has them.
const Bytes V5HeaderBitmap = join({ascii("BM"), u32LE(138), u32LE(0), u32LE(138), u32LE(124), u32LE(300),
                                   u32LE(200), u16LE(1), u16LE(32), Bytes(124 - 16, 0)});

INSTANTIATE_TEST_SUITE_P(
    Headers, BmpSize,
    testing::Values(ReaderCase{"TrueColour640x480", bmpHeader(640, 480, 24), {1, 640, 480, 24}},
                    ReaderCase{
                        "PaletteIgnored", join({bmpHeader(16, 8, 8), Bytes(256 * 4, 0x7F)}), {1, 16, 8, 8}},
                    ReaderCase{"TwentyBytesGiveWidthFromTwoBytes",
                               join({ascii("BM"), Bytes(16, 0), {0x80, 0x02}}),
                               {1, 640, 0, 0}},
                    ReaderCase{"TwoBytes", ascii("BM"), {1, 0, 0, 0}},
                    ReaderCase{"CoreHeaderReadAsFortyByteLayout",
                               CoreHeaderBitmap,
                               {1, 640 + 65536 * 480, 1 + 65536 * 24, 0x0120}},
                    ReaderCase{"FifthVersionHeader", V5HeaderBitmap, {1, 300, 200, 32}},
                    ReaderCase{"TopDownHeightGivesRows",
                               bmpHeader(640, static_cast<std::uint32_t>(-480), 24),
                               {1, 640, 480, 24}},
                    ReaderCase{"TopDownSingleRow", bmpHeader(5, 0xFFFFFFFF, 1), {1, 5, 1, 1}},
                    ReaderCase{"LargestHeight", bmpHeader(1, 0x7FFFFFFF, 8), {1, 1, 0x7FFFFFFF, 8}},
                    ReaderCase{"LargestTopDownHeight", bmpHeader(1, 0x80000001, 8), {1, 1, 0x7FFFFFFF, 8}},
                    ReaderCase{"HeightOfMinusTwoToTheThirtyFirst", bmpHeader(1, 0x80000000, 8), {}},
                    ReaderCase{"LargestWidth", bmpHeader(0x7FFFFFFF, 1, 8), {1, 0x7FFFFFFF, 1, 8}},
                    ReaderCase{"WidthOfTwoToTheThirtyFirst", bmpHeader(0x80000000, 1, 8), {}},
                    ReaderCase{"NegativeWidth", bmpHeader(0xFFFFFFFF, 1, 8), {}},
                    ReaderCase{"BitsPerPixelUnsigned", bmpHeader(2, 2, 0xFFFF), {1, 2, 2, 0xFFFF}},
                    ReaderCase{"WrongSecondByte", join({ascii("BN"), Bytes(52, 1)}), {}},
                    ReaderCase{"WrongFirstByte", join({ascii("CM"), Bytes(52, 1)}), {}},
                    ReaderCase{"LowerCaseSignature", join({ascii("bm"), Bytes(52, 1)}), {}}),
    readerCaseName);

} // namespace
