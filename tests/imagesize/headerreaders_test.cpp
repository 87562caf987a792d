#include "imagesize/formats.h"
#include "readercase.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/giffiles.h"
#include "tests/support/pictures/jpegfiles.h"
#include "tests/support/pictures/pngfiles.h"

using namespace testpictures;

namespace {

using FileReader = ImageSizeInfo (*)(const std::filesystem::path&);

// Bytes handed over without the zero-filled head of a file read give what the file reader gives: whole,
// and cut after every length up to the size fields.
TEST(HeaderReaders, BytesWithoutPaddingAgreeWithTheFile)
{
    const std::vector<std::tuple<QByteArray, FileReader, std::int32_t>> samples{
        {BmpHeaders({.width = 640, .height = quint32(-480)}), ReadBmpSize, imagesize::BmpKind},
        {GifScreen("89a", 320, 200, 0xF7), ReadGifSize, imagesize::GifKind},
        {JpegStartOfImage() + JpegFrame(0xC2, 0x0304, 0x0102), ReadJpegSize, imagesize::JpegKind},
        {PngStart(800, 600, 8, 2), ReadPngSize, imagesize::PngKind},
    };
    ScratchFolder folder;
    for (const auto& [whole, readFile, kind] : samples) {
        for (qsizetype length = 2; length <= whole.size(); ++length) {
            const QByteArray bytes = whole.left(length);
            EXPECT_EQ(imagesize::sizeFromBytes(kind, ByteSpan(bytes)),
                      readFile(folder.write("sample", bytes)))
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
