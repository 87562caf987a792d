#include "imagesize/headerreaders.h"
#include "readercase.h"
#include "samplebytes.h"

using namespace samplebytes;

namespace {

using FileReader = ImageSizeInfo (*)(const std::filesystem::path&);
using ByteReader = ImageSizeInfo (*)(std::span<const std::uint8_t>);

// Bytes handed over without the zero-filled head of a file read give what the file reader gives: whole,
// and cut after every length up to the size fields.
TEST(HeaderReaders, BytesWithoutPaddingAgreeWithTheFile)
{
    const std::vector<std::tuple<Bytes, FileReader, ByteReader>> samples{
        {bmpHeader(640, static_cast<std::uint32_t>(-480), 24), ReadBmpSize, imagesize::bmpSizeFromBytes},
        {gifHeader("89a", 320, 200, 0xF7), ReadGifSize, imagesize::gifSizeFromBytes},
        {join({JpegStart, jpegFrame(0xC2, 0x0304, 0x0102)}), ReadJpegSize, imagesize::jpegSizeFromBytes},
        {pngHeader(800, 600, 8, 2), ReadPngSize, imagesize::pngSizeFromBytes},
    };
    ScratchFolder folder;
    for (const auto& [whole, readFile, readBytes] : samples) {
        for (std::size_t length = 2; length <= whole.size(); ++length) {
            const Bytes bytes = firstBytes(whole, length);
            EXPECT_EQ(readBytes(bytes), readFile(folder.write("sample", bytes))) << length << " bytes";
        }
    }
}

TEST(HeaderReaders, EmptyBytesFindNothing)
{
    for (const ByteReader read : {imagesize::bmpSizeFromBytes, imagesize::gifSizeFromBytes,
                                  imagesize::jpegSizeFromBytes, imagesize::pngSizeFromBytes})
        EXPECT_EQ(read({}), ImageSizeInfo{});
}

} // namespace
