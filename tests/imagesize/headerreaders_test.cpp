#include "imagesize/formats.h"
#include "readercase.h"
#include "samplebytes.h"

using namespace samplebytes;

namespace {

using FileReader = ImageSizeInfo (*)(const std::filesystem::path&);

// Bytes handed over without the zero-filled head of a file read give what the file reader gives: whole,
// and cut after every length up to the size fields.
TEST(HeaderReaders, BytesWithoutPaddingAgreeWithTheFile)
{
    const std::vector<std::tuple<Bytes, FileReader, std::int32_t>> samples{
        {bmpHeader(640, static_cast<std::uint32_t>(-480), 24), ReadBmpSize, imagesize::BmpKind},
        {gifHeader("89a", 320, 200, 0xF7), ReadGifSize, imagesize::GifKind},
        {join({JpegStart, jpegFrame(0xC2, 0x0304, 0x0102)}), ReadJpegSize, imagesize::JpegKind},
        {pngHeader(800, 600, 8, 2), ReadPngSize, imagesize::PngKind},
    };
    ScratchFolder folder;
    for (const auto& [whole, readFile, kind] : samples) {
        for (std::size_t length = 2; length <= whole.size(); ++length) {
            const Bytes bytes = firstBytes(whole, length);
            EXPECT_EQ(imagesize::sizeFromBytes(kind, bytes), readFile(folder.write("sample", bytes)))
                << length << " bytes";
        }
    }
}

TEST(HeaderReaders, EmptyBytesFindNothing)
{
    for (const imagesize::ImageFormat& format : imagesize::ImageFormats)
        EXPECT_EQ(imagesize::sizeFromBytes(format.kind, {}), ImageSizeInfo{});
}

} // namespace
