#include "readercase.h"
#include "samplebytes.h"

using namespace samplebytes;

namespace {

class GifSize : public testing::TestWithParam<ReaderCase>
{
};

TEST_P(GifSize, ReadsTheLogicalScreen)
{
    EXPECT_EQ(readCase(ReadGifSize, GetParam()), GetParam().expected);
}

// A 100 x 50 screen holding one 5 x 5 image placed at (10, 10).
const Bytes SmallImageOnLargeScreen = join({gifHeader("89a", 100, 50, 0x80),
                                            Bytes(6, 0),
                                            {0x2C},
                                            u16LE(10),
                                            u16LE(10),
                                            u16LE(5),
                                            u16LE(5),
                                            {0, 2, 2, 0x4C, 0x01, 0, 0x3B}});

INSTANTIATE_TEST_SUITE_P(
    Headers, GifSize,
    testing::Values(ReaderCase{"Version87a", gifHeader("87a", 320, 200, 0xF7), {2, 320, 200, 8}},
                    ReaderCase{"Version89a", gifHeader("89a", 320, 200, 0xF7), {2, 320, 200, 8}},
                    ReaderCase{"AnyVersionText", gifHeader("x!?", 3, 4, 0x01), {2, 3, 4, 2}},
                    ReaderCase{"PackedNoTableSmallest", gifHeader("89a", 1, 1, 0x00), {2, 1, 1, 1}},
                    ReaderCase{"PackedTableFlagOnly", gifHeader("89a", 1, 1, 0x80), {2, 1, 1, 1}},
                    ReaderCase{"PackedLowBitsWithoutTable", gifHeader("89a", 1, 1, 0x07), {2, 1, 1, 8}},
                    ReaderCase{"LargestScreen", gifHeader("89a", 65535, 65535, 0x80), {2, 65535, 65535, 1}},
                    ReaderCase{"ScreenNotImage", SmallImageOnLargeScreen, {2, 100, 50, 1}},
                    ReaderCase{"ThreeBytes", ascii("GIF"), {2, 0, 0, 1}},
                    ReaderCase{
                        "TenBytesLosePacked", join({ascii("GIF89a"), u16LE(10), u16LE(11)}), {2, 10, 11, 1}},
                    ReaderCase{"WrongThirdByte", join({ascii("GIX89a"), Bytes(7, 1)}), {}},
                    ReaderCase{"WrongSecondByte", join({ascii("GXF89a"), Bytes(7, 1)}), {}},
                    ReaderCase{"TwoBytesOfSignature", ascii("GI"), {}}),
    readerCaseName);

} // namespace
