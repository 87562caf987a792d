#include "readercase.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/giffiles.h"
#include "tests/support/pictures/jpegfiles.h"
#include "tests/support/pictures/pngfiles.h"

using namespace testpictures;

namespace {

const QByteArray Bmp = BmpHeaders({.width = 640, .height = 480});
const QByteArray Gif = GifScreen("89a", 320, 200, 0xF7);
const QByteArray Jpeg = SmallJpeg(0xC0, 800, 600);
const QByteArray Png = PngStart(1024, 768, 8, 2);
constexpr ImageSizeInfo BmpFound{1, 640, 480, 24};
constexpr ImageSizeInfo GifFound{2, 320, 200, 8};
constexpr ImageSizeInfo JpegFound{3, 800, 600, 24};
constexpr ImageSizeInfo PngFound{4, 1024, 768, 24};

// A file with the given name and bytes, probed in the given Mode.
struct ProbeCase
{
    std::string name;
    std::string fileName;
    QByteArray bytes;
    std::int32_t mode;
    ImageSizeInfo expected;
};

class Probe : public testing::TestWithParam<ProbeCase>
{
};

TEST_P(Probe, ChoosesTheReader)
{
    ScratchFolder folder;
    const ProbeCase& sample = GetParam();
    const std::filesystem::path path = folder.write(sample.fileName, sample.bytes);
    EXPECT_EQ(GetImageSize(path, sample.mode), sample.expected);
    // ProbeImage finds the same and hands on the whole file exactly when the JPEG reader read it.
    const ProbedImage probed = ProbeImage(path, sample.mode);
    EXPECT_EQ(probed.info, sample.expected);
    if (sample.expected.Kind == 3) {
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(probed.wholeFile.data()),
                             qsizetype(probed.wholeFile.size())),
                  sample.bytes);
    } else if (sample.expected.Kind != 0) {
        EXPECT_TRUE(probed.wholeFile.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(ByContent, Probe,
                         testing::Values(ProbeCase{"Bitmap", "a.dat", Bmp, 0, BmpFound},
                                         ProbeCase{"Gif", "a.dat", Gif, 0, GifFound},
                                         ProbeCase{"Jpeg", "a.dat", Jpeg, 0, JpegFound},
                                         ProbeCase{"Png", "a.dat", Png, 0, PngFound},
                                         ProbeCase{"PngNamedJpg", "a.jpg", Png, 0, PngFound},
                                         ProbeCase{"BitmapNamedPng", "a.png", Bmp, 0, BmpFound},
                                         ProbeCase{"PngSignatureThenAnything",
                                                   "a",
                                                   "\x89PNG" + QByteArray(30, 0x01),
                                                   0,
                                                   {4, 0x01010101, 0x01010101, 0}},
                                         ProbeCase{"ThreeByteGif", "a", "GIF", 0, {2, 0, 0, 1}},
                                         ProbeCase{"TwoByteBitmap", "a", "BM", 0, {1, 0, 0, 0}},
                                         ProbeCase{"TwoByteJpegStart", "a", JpegStartOfImage(), 0, {}},
                                         ProbeCase{"TwoBytesOfGif", "a.gif", "GI", 0, {}},
                                         ProbeCase{"ThreeBytesOfPng", "a.png", "\x89PN", 0, {}},
                                         ProbeCase{"UnknownSignature", "a.png", "RIFF....WEBP", 0, {}},
                                         ProbeCase{
                                             "OneByteWrongGif", "a.gif", "GIG" + QByteArray(10, 0), 0, {}}),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(ByName, Probe,
                         testing::Values(ProbeCase{"Bmp", "a.bmp", Bmp, 5, BmpFound},
                                         ProbeCase{"Gif", "a.gif", Gif, 5, GifFound},
                                         ProbeCase{"Jpg", "a.jpg", Jpeg, 5, JpegFound},
                                         ProbeCase{"Jpeg", "a.jpeg", Jpeg, 5, JpegFound},
                                         ProbeCase{"Png", "a.png", Png, 5, PngFound},
                                         ProbeCase{"UpperCaseJpeg", "A.JPEG", Jpeg, 5, JpegFound},
                                         ProbeCase{"MixedCasePng", "a.PnG", Png, 5, PngFound},
                                         ProbeCase{"OnlyTheEndingCounts", "a.png.bmp", Bmp, 5, BmpFound},
                                         ProbeCase{"BmpTxt", "a.bmp.txt", Bmp, 5, {}},
                                         ProbeCase{"Jpe", "a.jpe", Jpeg, 5, {}},
                                         ProbeCase{"NoEnding", "jpg", Jpeg, 5, {}},
                                         ProbeCase{"GifNamedPngNotRetriedByContent", "a.png", Gif, 5, {}},
                                         ProbeCase{"JpegNamedBmp", "a.bmp", Jpeg, 5, {}}),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(Forced, Probe,
                         testing::Values(ProbeCase{"BitmapAsBitmap", "a.gif", Bmp, 1, BmpFound},
                                         ProbeCase{"GifAsGif", "a.bmp", Gif, 2, GifFound},
                                         ProbeCase{"JpegAsJpeg", "a.png", Jpeg, 3, JpegFound},
                                         ProbeCase{"PngAsPng", "a.txt", Png, 4, PngFound},
                                         ProbeCase{"BitmapAsGif", "a.gif", Bmp, 2, {}},
                                         ProbeCase{"PngAsJpeg", "a.jpg", Png, 3, {}},
                                         ProbeCase{"GifAsPng", "a.png", Gif, 4, {}},
                                         ProbeCase{"JpegAsBitmap", "a.bmp", Jpeg, 1, {}}),
                         [](const auto& info) { return info.param.name; });

TEST(Probe, FolderWithImageNameFindsNothingInAnyMode)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.path() / "a.png");
    for (std::int32_t mode = 0; mode <= 5; ++mode)
        EXPECT_EQ(GetImageSize(folder.path() / "a.png", mode), ImageSizeInfo{}) << "Mode " << mode;
}

} // namespace
