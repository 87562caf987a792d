#include "readercase.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/jpegfiles.h"

using namespace testpictures;

namespace {

const QByteArray JpegStart = JpegStartOfImage();
const QByteArray JpegEnd = JpegEndOfImage();

class JpegSize : public testing::TestWithParam<ReaderCase>
{
};

TEST_P(JpegSize, WalksToTheFirstFrameHeader)
{
    EXPECT_EQ(readCase(ReadJpegSize, GetParam()), GetParam().expected);
}

// A frame header of 0x0102 lines and 0x0304 samples per line at offset 2, the file cut after `count` bytes.
QByteArray frameCutAfter(qsizetype count)
{
    return (JpegStart + JpegFrame(0xC0, 0x0304, 0x0102)).left(count);
}

// A segment of some other kind, then the real frame header: shows that the first one is skipped by its
// length.
QByteArray skippedBeforeFrame(std::uint8_t code)
{
    return JpegStart + JpegMarkerSegment(code, char(8) + U16BE(11) + U16BE(22) + QByteArray(12, 0)) +
           JpegFrame(0xC0, 640, 480) + JpegEnd;
}

const QByteArray HuffmanTable = JpegMarkerSegment(0xC4, JpegHuffmanTable(0, 0, {}, ByteValues({0xC0, 0xFF})));
const QByteArray Thumbnail = JpegStart + JpegFrame(0xC0, 160, 120) + JpegEnd;
const QByteArray LargeSegment = JpegMarkerSegment(0xE2, QByteArray(65533, char(0xFF)));

INSTANTIATE_TEST_SUITE_P(
    Frames, JpegSize,
    testing::Values(
        ReaderCase{"Baseline640x480", SmallJpeg(0xC0, 640, 480), {3, 640, 480, 24}},
        ReaderCase{"ExtendedSequential", SmallJpeg(0xC1, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"Progressive", SmallJpeg(0xC2, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"Lossless", SmallJpeg(0xC3, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"ArithmeticSequential", SmallJpeg(0xC9, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"ArithmeticProgressive", SmallJpeg(0xCA, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"ArithmeticLossless", SmallJpeg(0xCB, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"LargestSize", SmallJpeg(0xC0, 65535, 65535), {3, 65535, 65535, 24}},
        ReaderCase{"ZeroLinesGiveZeroHeight", SmallJpeg(0xC0, 640, 0), {3, 640, 0, 24}},
        ReaderCase{"HierarchicalFrameSkipped", skippedBeforeFrame(0xC5), {3, 640, 480, 24}},
        ReaderCase{"C6Skipped", skippedBeforeFrame(0xC6), {3, 640, 480, 24}},
        ReaderCase{"C7Skipped", skippedBeforeFrame(0xC7), {3, 640, 480, 24}},
        ReaderCase{"ArithmeticConditioningSkipped", skippedBeforeFrame(0xCC), {3, 640, 480, 24}},
        ReaderCase{"CDSkipped", skippedBeforeFrame(0xCD), {3, 640, 480, 24}},
        ReaderCase{"CESkipped", skippedBeforeFrame(0xCE), {3, 640, 480, 24}},
        ReaderCase{"CFSkipped", skippedBeforeFrame(0xCF), {3, 640, 480, 24}},
        ReaderCase{"JpegExtensionSkipped", skippedBeforeFrame(0xC8), {3, 640, 480, 24}},
        ReaderCase{"HierarchicalFrameAloneGivesNothing",
                   JpegStart + JpegFrame(0xC5, 640, 480) + QByteArray(8, 0),
                   {}},
        ReaderCase{"HuffmanTableSkipped",
                   JpegStart + HuffmanTable + JpegFrame(0xC2, 33, 44) + JpegEnd,
                   {3, 33, 44, 24}},
        ReaderCase{"ThumbnailInsideApplicationSegmentUnseen",
                   JpegStart + JpegMarkerSegment(0xE1, QByteArray("Exif\0\0", 6) + Thumbnail) +
                       JpegFrame(0xC0, 1600, 1200) + JpegEnd,
                   {3, 1600, 1200, 24}},
        ReaderCase{"FrameBehindLargeSegments",
                   JpegStart + LargeSegment + LargeSegment + LargeSegment + JpegFrame(0xC0, 5, 6) + JpegEnd,
                   {3, 5, 6, 24}},
        ReaderCase{"OnlyStartAndEnd", JpegStart + JpegEnd, {}}, ReaderCase{"OnlyStart", JpegStart, {}},
        ReaderCase{"NoMarkerAfterStart", JpegStart + ByteValues({0x00, 0xFF, 0xC0}) + QByteArray(16, 0), {}},
        ReaderCase{"WrongStart", JpegEnd + JpegFrame(0xC0, 1, 1), {}},
        ReaderCase{"ZeroLengthLandsOnItsOwnLengthBytes",
                   JpegStart + ByteValues({0xFF, 0xE0, 0x00, 0x00}) + JpegFrame(0xC0, 1, 1) + JpegEnd,
                   {}},
        ReaderCase{
            "FillByteReadAsMarkerCode", JpegStart + ByteValues({0xFF}) + JpegFrame(0xC0, 1, 1) + JpegEnd, {}},
        ReaderCase{"RestartMarkerReadWithLength",
                   JpegStart + ByteValues({0xFF, 0xD0, 0x00, 0x02}) + JpegFrame(0xC0, 7, 8) + JpegEnd,
                   {3, 7, 8, 24}},
        ReaderCase{"ScanBeforeFrameStopsAtData",
                   JpegStart + JpegScanHeader({1}) + ByteValues({0x12}) + JpegFrame(0xC0, 1, 1),
                   {}},
        ReaderCase{
            "LengthPastTheEnd", JpegStart + ByteValues({0xFF, 0xE0, 0xFF, 0xFF}) + JpegFrame(0xC0, 1, 1), {}},
        ReaderCase{"FrameMarkerTooNearTheEnd", frameCutAfter(6), {}},
        ReaderCase{"FrameCutBeforeLines", frameCutAfter(7), {3, 0, 0, 24}},
        ReaderCase{"FrameCutInsideLines", frameCutAfter(8), {3, 0, 0x0100, 24}},
        ReaderCase{"FrameCutBeforeSamples", frameCutAfter(9), {3, 0, 0x0102, 24}},
        ReaderCase{"FrameCutInsideSamples", frameCutAfter(10), {3, 0x0300, 0x0102, 24}},
        ReaderCase{"FrameSizeComplete", frameCutAfter(11), {3, 0x0304, 0x0102, 24}}),
    readerCaseName);

} // namespace
