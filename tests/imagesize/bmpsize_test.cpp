#include "readercase.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/bytelayout.h"

using namespace testpictures;

namespace {

// A 40-byte information header of the size and bit count, with no pixels.
QByteArray bmpHeader(quint32 width, quint32 height, quint16 bitsPerPixel)
{
    return BmpHeaders({.width = width, .height = height, .bitsPerPixel = bitsPerPixel});
}

class BmpSize : public testing::TestWithParam<ReaderCase>
{
};

TEST_P(BmpSize, ReadsTheHeader)
{
    EXPECT_EQ(readCase(ReadBmpSize, GetParam()), GetParam().expected);
}

// The 12-byte core header: 16-bit width and height, planes and bit count; the six bytes after it stand
// where the 40-byte header's bit count is read.
const QByteArray CoreHeaderBitmap =
    BmpHeaders({.width = 640, .height = 480, .infoHeaderBytes = 12}) + ByteValues({0, 0, 0x20, 0x01, 0, 0});

// The fifth-version information header keeps width, height and bit count where the 40-byte one has them.
const QByteArray V5HeaderBitmap =
    BmpHeaders({.width = 300, .height = 200, .bitsPerPixel = 32, .infoHeaderBytes = 124});

INSTANTIATE_TEST_SUITE_P(
    Headers, BmpSize,
    testing::Values(ReaderCase{"TrueColour640x480", bmpHeader(640, 480, 24), {1, 640, 480, 24}},
                    ReaderCase{
                        "PaletteIgnored", bmpHeader(16, 8, 8) + QByteArray(256 * 4, 0x7F), {1, 16, 8, 8}},
                    ReaderCase{"TwentyBytesGiveWidthFromTwoBytes",
                               "BM" + QByteArray(16, 0) + ByteValues({0x80, 0x02}),
                               {1, 640, 0, 0}},
                    ReaderCase{"TwoBytes", "BM", {1, 0, 0, 0}},
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
                    ReaderCase{"WrongSecondByte", "BN" + QByteArray(52, 1), {}},
                    ReaderCase{"WrongFirstByte", "CM" + QByteArray(52, 1), {}},
                    ReaderCase{"LowerCaseSignature", "bm" + QByteArray(52, 1), {}}),
    readerCaseName);

} // namespace
