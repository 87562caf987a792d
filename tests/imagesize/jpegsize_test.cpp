#include "readercase.h"
#include "samplebytes.h"

using namespace samplebytes;

namespace {

class JpegSize : public testing::TestWithParam<ReaderCase>
{
};

TEST_P(JpegSize, WalksToTheFirstFrameHeader)
{
    EXPECT_EQ(readCase(ReadJpegSize, GetParam()), GetParam().expected);
}

// A frame header of 0x0102 lines and 0x0304 samples per line at offset 2, the file cut after `count` bytes.
Bytes frameCutAfter(std::size_t count)
{
    return firstBytes(join({JpegStart, jpegFrame(0xC0, 0x0304, 0x0102)}), count);
}

// A segment of some other kind, then the real frame header: shows that the first one is skipped by its
// length.
Bytes skippedBeforeFrame(std::uint8_t code)
{
    return join({JpegStart, jpegSegment(code, join({{8}, u16BE(11), u16BE(22), Bytes(12, 0)})),
                 jpegFrame(0xC0, 640, 480), JpegEnd});
}

const Bytes HuffmanTable = jpegSegment(0xC4, join({{0x00}, Bytes(16, 0), {0xC0, 0xFF}}));
const Bytes Thumbnail = join({JpegStart, jpegFrame(0xC0, 160, 120), JpegEnd});
const Bytes LargeSegment = jpegSegment(0xE2, Bytes(65533, 0xFF));

INSTANTIATE_TEST_SUITE_P(
    Frames, JpegSize,
    testing::Values(
        ReaderCase{"Baseline640x480", jpegFile(0xC0, 640, 480), {3, 640, 480, 24}},
        ReaderCase{"ExtendedSequential", jpegFile(0xC1, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"Progressive", jpegFile(0xC2, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"Lossless", jpegFile(0xC3, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"ArithmeticSequential", jpegFile(0xC9, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"ArithmeticProgressive", jpegFile(0xCA, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"ArithmeticLossless", jpegFile(0xCB, 17, 9), {3, 17, 9, 24}},
        ReaderCase{"LargestSize", jpegFile(0xC0, 65535, 65535), {3, 65535, 65535, 24}},
        ReaderCase{"ZeroLinesGiveZeroHeight", jpegFile(0xC0, 640, 0), {3, 640, 0, 24}},
        ReaderCase{"HierarchicalFrameSkipped", skippedBeforeFrame(0xC5), {3, 640, 480, 24}},
        ReaderCase{"C6Skipped", skippedBeforeFrame(0xC6), {3, 640, 480, 24}},
        ReaderCase{"C7Skipped", skippedBeforeFrame(0xC7), {3, 640, 480, 24}},
        ReaderCase{"ArithmeticConditioningSkipped", skippedBeforeFrame(0xCC), {3, 640, 480, 24}},
        ReaderCase{"CDSkipped", skippedBeforeFrame(0xCD), {3, 640, 480, 24}},
        ReaderCase{"CESkipped", skippedBeforeFrame(0xCE), {3, 640, 480, 24}},
        ReaderCase{"CFSkipped", skippedBeforeFrame(0xCF), {3, 640, 480, 24}},
        ReaderCase{"JpegExtensionSkipped", skippedBeforeFrame(0xC8), {3, 640, 480, 24}},
        ReaderCase{"HierarchicalFrameAloneGivesNothing",
                   join({JpegStart, jpegFrame(0xC5, 640, 480), Bytes(8, 0)}),
                   {}},
        ReaderCase{"HuffmanTableSkipped",
                   join({JpegStart, HuffmanTable, jpegFrame(0xC2, 33, 44), JpegEnd}),
                   {3, 33, 44, 24}},
        ReaderCase{"ThumbnailInsideApplicationSegmentUnseen",
                   join({JpegStart, jpegSegment(0xE1, join({ascii("Exif"), {0, 0}, Thumbnail})),
                         jpegFrame(0xC0, 1600, 1200), JpegEnd}),
                   {3, 1600, 1200, 24}},
        ReaderCase{
            "FrameBehindLargeSegments",
            join({JpegStart, LargeSegment, LargeSegment, LargeSegment, jpegFrame(0xC0, 5, 6), JpegEnd}),
            {3, 5, 6, 24}},
        ReaderCase{"OnlyStartAndEnd", join({JpegStart, JpegEnd}), {}}, ReaderCase{"OnlyStart", JpegStart, {}},
        ReaderCase{"NoMarkerAfterStart", join({JpegStart, {0x00, 0xFF, 0xC0}, Bytes(16, 0)}), {}},
        ReaderCase{"WrongStart", join({{0xFF, 0xD9}, jpegFrame(0xC0, 1, 1)}), {}},
        ReaderCase{"ZeroLengthLandsOnItsOwnLengthBytes",
                   join({JpegStart, {0xFF, 0xE0, 0x00, 0x00}, jpegFrame(0xC0, 1, 1), JpegEnd}),
                   {}},
        ReaderCase{"FillByteReadAsMarkerCode", join({JpegStart, {0xFF}, jpegFrame(0xC0, 1, 1), JpegEnd}), {}},
        ReaderCase{"RestartMarkerReadWithLength",
                   join({JpegStart, {0xFF, 0xD0, 0x00, 0x02}, jpegFrame(0xC0, 7, 8), JpegEnd}),
                   {3, 7, 8, 24}},
        ReaderCase{"ScanBeforeFrameStopsAtData",
                   join({JpegStart, jpegSegment(0xDA, {1, 1, 0, 0, 0x3F, 0}), {0x12}, jpegFrame(0xC0, 1, 1)}),
                   {}},
        ReaderCase{
            "LengthPastTheEnd", join({JpegStart, {0xFF, 0xE0, 0xFF, 0xFF}, jpegFrame(0xC0, 1, 1)}), {}},
        ReaderCase{"FrameMarkerTooNearTheEnd", frameCutAfter(6), {}},
        ReaderCase{"FrameCutBeforeLines", frameCutAfter(7), {3, 0, 0, 24}},
        ReaderCase{"FrameCutInsideLines", frameCutAfter(8), {3, 0, 0x0100, 24}},
        ReaderCase{"FrameCutBeforeSamples", frameCutAfter(9), {3, 0, 0x0102, 24}},
        ReaderCase{"FrameCutInsideSamples", frameCutAfter(10), {3, 0x0300, 0x0102, 24}},
        ReaderCase{"FrameSizeComplete", frameCutAfter(11), {3, 0x0304, 0x0102, 24}}),
    readerCaseName);

} // namespace
