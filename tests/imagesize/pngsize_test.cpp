#include "readercase.h"
#include "tests/support/pictures/pngfiles.h"

using namespace testpictures;

namespace {

class PngSize : public testing::TestWithParam<ReaderCase>
{
};

TEST_P(PngSize, ReadsTheImageHeader)
{
    EXPECT_EQ(readCase(ReadPngSize, GetParam()), GetParam().expected);
}

QByteArray withByte(QByteArray bytes, qsizetype offset, char value)
{
    bytes[offset] = value;
    return bytes;
}

QByteArray pngHeader(quint32 width, quint32 height, int bitDepth, int colourType)
{
    return PngStart(width, height, bitDepth, colourType);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PngSize,
    testing::Values(
        ReaderCase{"Truecolour8", pngHeader(800, 600, 8, 2), {4, 800, 600, 24}},
        ReaderCase{"Truecolour16", pngHeader(800, 600, 16, 2), {4, 800, 600, 48}},
        ReaderCase{"Indexed4", pngHeader(10, 20, 4, 3), {4, 10, 20, 4}},
        ReaderCase{"Greyscale1", pngHeader(10, 20, 1, 0), {4, 10, 20, 1}},
        ReaderCase{"Greyscale16", pngHeader(10, 20, 16, 0), {4, 10, 20, 16}},
        ReaderCase{"GreyscaleAlphaStatesNoDepth", pngHeader(10, 20, 8, 4), {4, 10, 20, 0}},
        ReaderCase{"TruecolourAlphaStatesNoDepth", pngHeader(10, 20, 8, 6), {4, 10, 20, 0}},
        ReaderCase{"UnknownColourType", pngHeader(10, 20, 8, 5), {4, 10, 20, 0}},
        ReaderCase{"TruecolourOddDepthNotChecked", pngHeader(10, 20, 255, 2), {4, 10, 20, 765}},
        ReaderCase{"RestOfSignatureNotChecked", withByte(pngHeader(7, 9, 8, 0), 5, 0x00), {4, 7, 9, 8}},
        ReaderCase{"ChunkTypeNotChecked", withByte(pngHeader(7, 9, 8, 0), 12, 'X'), {4, 7, 9, 8}},
        ReaderCase{"AllFourWidthBytesCount", pngHeader(65536, 1, 8, 0), {4, 65536, 1, 8}},
        ReaderCase{"LargestSizes", pngHeader(0x7FFFFFFF, 0x7FFFFFFF, 8, 0), {4, 0x7FFFFFFF, 0x7FFFFFFF, 8}},
        ReaderCase{"WidthOfTwoToTheThirtyFirst", pngHeader(0x80000000, 1, 8, 0), {}},
        ReaderCase{"HeightOfAllOnes", pngHeader(1, 0xFFFFFFFF, 8, 0), {}},
        ReaderCase{"SignatureOnly", "\x89PNG", {4, 0, 0, 0}},
        ReaderCase{"CutInsideHeight", pngHeader(1, 0x0102, 8, 2).left(23), {4, 1, 0x0100, 0}},
        ReaderCase{"WrongFirstByte", withByte(pngHeader(7, 9, 8, 0), 0, char(0x88)), {}},
        ReaderCase{"WrongFourthByte", withByte(pngHeader(7, 9, 8, 0), 3, 'g'), {}},
        ReaderCase{"ThreeBytesOfSignature", "\x89PN", {}}),
    readerCaseName);

} // namespace
