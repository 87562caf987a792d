#include "readercase.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/giffiles.h"

using namespace testpictures;

namespace {

class GifSize : public testing::TestWithParam<ReaderCase>
{
};

TEST_P(GifSize, ReadsTheLogicalScreen)
{
    EXPECT_EQ(readCase(ReadGifSize, GetParam()), GetParam().expected);
}

// A 100 x 50 screen holding one 5 x 5 image placed at (10, 10).
const QByteArray SmallImageOnLargeScreen = GifScreen("89a", 100, 50, 0x80) + QByteArray(6, 0) +
                                           GifImageDescriptor(10, 10, 5, 5) +
                                           ByteValues({2, 2, 0x4C, 0x01, 0}) + GifTrailer;

INSTANTIATE_TEST_SUITE_P(
    Headers, GifSize,
    testing::Values(ReaderCase{"Version87a", GifScreen("87a", 320, 200, 0xF7), {2, 320, 200, 8}},
                    ReaderCase{"Version89a", GifScreen("89a", 320, 200, 0xF7), {2, 320, 200, 8}},
                    ReaderCase{"AnyVersionText", GifScreen("x!?", 3, 4, 0x01), {2, 3, 4, 2}},
                    ReaderCase{"PackedNoTableSmallest", GifScreen("89a", 1, 1, 0x00), {2, 1, 1, 1}},
                    ReaderCase{"PackedTableFlagOnly", GifScreen("89a", 1, 1, 0x80), {2, 1, 1, 1}},
                    ReaderCase{"PackedLowBitsWithoutTable", GifScreen("89a", 1, 1, 0x07), {2, 1, 1, 8}},
                    ReaderCase{"LargestScreen", GifScreen("89a", 65535, 65535, 0x80), {2, 65535, 65535, 1}},
                    ReaderCase{"ScreenNotImage", SmallImageOnLargeScreen, {2, 100, 50, 1}},
                    ReaderCase{"ThreeBytes", "GIF", {2, 0, 0, 1}},
                    ReaderCase{"TenBytesLosePacked", "GIF89a" + U16LE(10) + U16LE(11), {2, 10, 11, 1}},
                    ReaderCase{"WrongThirdByte", "GIX89a" + QByteArray(7, 1), {}},
                    ReaderCase{"WrongSecondByte", "GXF89a" + QByteArray(7, 1), {}},
                    ReaderCase{"TwoBytesOfSignature", "GI", {}}),
    readerCaseName);

} // namespace
