// Region decodes against full decodes by Qt's readers, pixel for pixel, for every variant of each format.
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/libpngwritten.h"
#include "tests/support/pictures/patterns.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>

using namespace testpictures;

namespace {

const QColor background(23, 140, 201);

void expectRegionsMatchQt(const QString& path, QSize expectedSize, bool blackBeyondPalette = false)
{
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    ASSERT_EQ(source->size(), expectedSize);
    for (const QRect& region : probeRegions(expectedSize)) {
        const std::optional<QImage> crop = source->decodeRegion(region, background, error);
        ASSERT_TRUE(crop) << error.toStdString();
        EXPECT_EQ(differenceBetween(*crop, referenceCrop(path, region, background, blackBeyondPalette)), "")
            << "region " << region.x() << "," << region.y() << " " << region.width() << "x"
            << region.height();
    }
}

struct JpegCase
{
    const char* name;
    QSize size;
    JpegVariant variant;
};

class JpegRegion : public testing::TestWithParam<JpegCase>
{
};

TEST_P(JpegRegion, MatchesFullDecode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.jpg");
    const QSize size = GetParam().size;
    ASSERT_TRUE(WriteFileBytes(
        path, LibjpegWritten(PhotoLikePicture(size.width(), size.height()), GetParam().variant)));
    expectRegionsMatchQt(path, GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, JpegRegion,
    testing::Values(JpegCase{"sampling444", {301, 203}, {1, 1}}, JpegCase{"sampling422", {301, 203}, {2, 1}},
                    JpegCase{"sampling420", {301, 203}, {2, 2}}, JpegCase{"sampling440", {301, 203}, {1, 2}},
                    JpegCase{"sampling411", {301, 203}, {4, 1}}, JpegCase{"grey", {301, 203}, {1, 1, true}},
                    JpegCase{"progressive420", {301, 203}, {2, 2, false, true}},
                    JpegCase{"progressive444", {130, 77}, {1, 1, false, true}},
                    JpegCase{"restartMarkers420", {301, 203}, {2, 2, false, false, 3}},
                    JpegCase{"smallerThanABlock", {5, 3}, {2, 2}}, JpegCase{"onePixel", {1, 1}, {2, 2}},
                    JpegCase{
                        "exifRotatedKeepsStoredOrientation", {96, 40}, {2, 2, false, false, 0, false, 6}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PngCase
{
    const char* name;
    PngVariant variant;
};

class PngRegion : public testing::TestWithParam<std::tuple<PngCase, bool>>
{
};

TEST_P(PngRegion, MatchesFullDecode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.png");
    PngVariant variant = std::get<0>(GetParam()).variant;
    variant.interlaced = std::get<1>(GetParam());
    ASSERT_TRUE(WriteFileBytes(path, LibpngWritten(45, 38, variant)));
    expectRegionsMatchQt(path, QSize(45, 38));
}

constexpr int grey = PNG_COLOR_TYPE_GRAY;
constexpr int palette = PNG_COLOR_TYPE_PALETTE;

INSTANTIATE_TEST_SUITE_P(
    Variants, PngRegion,
    testing::Combine(
        testing::Values(PngCase{"grey1", {grey, 1}}, PngCase{"grey2", {grey, 2}}, PngCase{"grey4", {grey, 4}},
                        PngCase{"grey8", {grey, 8}}, PngCase{"grey16", {grey, 16}},
                        PngCase{"grey1Transparent", {grey, 1, false, true}},
                        PngCase{"grey4Transparent", {grey, 4, false, true}},
                        PngCase{"grey8Transparent", {grey, 8, false, true}},
                        PngCase{"grey16Transparent", {grey, 16, false, true}},
                        PngCase{"rgb8", {PNG_COLOR_TYPE_RGB, 8}}, PngCase{"rgb16", {PNG_COLOR_TYPE_RGB, 16}},
                        PngCase{"rgb8Transparent", {PNG_COLOR_TYPE_RGB, 8, false, true}},
                        PngCase{"palette1", {palette, 1, false, false, 2}},
                        PngCase{"palette1ShortPalette", {palette, 1, false, false, 1}},
                        PngCase{"palette2", {palette, 2, false, false, 3}},
                        PngCase{"palette4", {palette, 4, false, false, 16}},
                        PngCase{"palette8", {palette, 8, false, false, 200}},
                        PngCase{"palette4WithAlphaAndShortPalette", {palette, 4, false, true, 9}},
                        PngCase{"palette8WithAlpha", {palette, 8, false, true, 256}},
                        PngCase{"greyAlpha8", {PNG_COLOR_TYPE_GRAY_ALPHA, 8}},
                        PngCase{"greyAlpha16", {PNG_COLOR_TYPE_GRAY_ALPHA, 16}},
                        PngCase{"rgba8", {PNG_COLOR_TYPE_RGB_ALPHA, 8}},
                        PngCase{"rgba16", {PNG_COLOR_TYPE_RGB_ALPHA, 16}}),
        testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Interlaced" : "");
    });

struct BmpCase
{
    const char* name;
    BmpVariant variant;
};

class BmpRegion : public testing::TestWithParam<std::tuple<BmpCase, bool>>
{
};

TEST_P(BmpRegion, MatchesFullDecode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.bmp");
    BmpVariant variant = std::get<0>(GetParam()).variant;
    variant.topDown = std::get<1>(GetParam());
    ASSERT_TRUE(WriteFileBytes(path, NoiseBmp(43, 35, variant)));
    expectRegionsMatchQt(path, QSize(43, 35), variant.colourCount != 0);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, BmpRegion,
    testing::Combine(testing::Values(BmpCase{"bits1", {1}}, BmpCase{"bits4", {4}}, BmpCase{"bits8", {8}},
                                     BmpCase{"bits16", {16}}, BmpCase{"bits24", {24}},
                                     BmpCase{"bits32", {32}}, BmpCase{"bits1OneColour", {1, false, 1}},
                                     BmpCase{"bits4IndexesBeyondPalette", {4, false, 5}},
                                     BmpCase{"bits8IndexesBeyondPalette", {8, false, 100}},
                                     BmpCase{"bitFields565", {16, false, 0, true}},
                                     BmpCase{"bitFields32WithAlpha", {32, false, 0, true}}),
                     testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "TopDown" : "BottomUp");
    });

} // namespace
