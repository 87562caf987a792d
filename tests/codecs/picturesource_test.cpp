// What PictureSource promises beyond matching Qt's pixels: sizes, region checks, Qt's formats, huge pictures.
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/giffiles.h"
#include "tests/support/pictures/jpegfiles.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/libpngwritten.h"
#include "tests/support/pictures/patterns.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>

using namespace testpictures;

namespace {

const QColor background(10, 20, 30);

std::unique_ptr<PictureSource> openOrFail(const QString& path)
{
    QString error;
    std::unique_ptr<PictureSource> source = openProbed(path, error);
    EXPECT_TRUE(source) << error.toStdString();
    return source;
}

TEST(PictureSource, MissingFileFailsAtOpenWithAMessage)
{
    QTemporaryDir folder;
    QString error;
    EXPECT_FALSE(openProbed(folder.filePath("absent.jpg"), error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PictureSource, RegionOutsideThePictureOrEmptyIsRefused)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("small.png");
    ASSERT_TRUE(WriteFileBytes(path, LibpngWritten(20, 10, {PNG_COLOR_TYPE_RGB, 8})));
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    for (const QRect& region :
         {QRect(15, 0, 6, 5), QRect(0, 0, 0, 0), QRect(-1, 0, 5, 5), QRect(0, 9, 5, 2)}) {
        QString error;
        EXPECT_FALSE(source->decodeRegion(region, background, error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(PictureSource, ExifOrientationNeverTurnsTheSize)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("turned.jpg");
    ASSERT_TRUE(
        WriteFileBytes(path, LibjpegWritten(PhotoLikePicture(64, 24), {2, 2, false, false, 0, false, 6})));
    // The file does carry the orientation: Qt's reader would turn the picture.
    ASSERT_EQ(QImageReader(path).transformation(), QImageIOHandler::TransformationRotate90);
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->size(), QSize(64, 24));
}

// Every alpha value over a coloured background: the compositing rounds exactly as QPainter does.
TEST(PictureSource, TransparentPixelsAreDrawnOverTheBackgroundAsQPainterDraws)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("alpha.png");
    QImage picture(256, 64, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgba(y * 4, 255 - y * 4, (x * 7 + y) & 0xff, x));
    }
    ASSERT_TRUE(picture.save(path));
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    QString error;
    const auto crop = source->decodeRegion(picture.rect(), QColor(200, 100, 37), error);
    ASSERT_TRUE(crop) << error.toStdString();
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(path, picture.rect(), QColor(200, 100, 37))), "");
}

// Qt reads 16-bit RGB with a transparent colour misaligned; the transparent colour becomes alpha here.
TEST(PictureSource, Rgb16WithTransparentColourDrawsThatColourAsBackground)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("rgb16.png");
    ASSERT_TRUE(WriteFileBytes(path, LibpngWritten(30, 20, {PNG_COLOR_TYPE_RGB, 16, false, true})));
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    QString error;
    const auto crop = source->decodeRegion(QRect(0, 0, 30, 20), background, error);
    ASSERT_TRUE(crop) << error.toStdString();
    const QString opaquePath = folder.filePath("rgb16-opaque.png");
    ASSERT_TRUE(WriteFileBytes(opaquePath, LibpngWritten(30, 20, {PNG_COLOR_TYPE_RGB, 16})));
    const QImage opaque = referenceCrop(opaquePath, QRect(0, 0, 30, 20), background);
    // Every fifth pixel carries the transparent colour (see LibpngWritten).
    for (int i = 0; i < 30 * 20; ++i) {
        const int x = i % 30;
        const int y = i / 30;
        EXPECT_EQ(crop->pixel(x, y), i % 5 == 0 ? background.rgb() : opaque.pixel(x, y)) << x << "," << y;
    }
}

struct LessCommonCase
{
    const char* name;
    const char* fileName;
    QByteArray (*bytes)();
};

// A 50x40 GIF with a 256-colour table and a transparent index, its LZW data all literal 9-bit codes.
QByteArray gifBytes()
{
    constexpr int width = 50;
    constexpr int height = 40;
    constexpr quint8 GlobalTableOf256 = 0xF7;
    const auto indexAt = [](int x, int y) { return ((x + width * y) * 37 + y) % 256; };
    return GifScreen("89a", width, height, GlobalTableOf256) + GifColourTable(GifRampColours()) +
           GifTransparency(3) + GifImageDescriptor(0, 0, width, height) +
           GifLiteralCodes(8, width, height, indexAt).bytes + GifTrailer;
}

QByteArray cmykJpegBytes()
{
    return LibjpegWritten(PhotoLikePicture(50, 40), {1, 1, false, false, 0, true});
}

// A 4x2 8-bit RLE bitmap: runs, an absolute run and the end-of-line and end-of-bitmap codes.
QByteArray rleBmpBytes()
{
    const QList<QRgb> colours{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    const QByteArray runs = QByteArray::fromHex("0201020200000004000102030000"
                                                "0001");
    return BmpFile({.width = 4,
                    .height = 2,
                    .bitsPerPixel = 8,
                    .compression = BmpRle8,
                    .colourTable = colours,
                    .coloursUsed = 4},
                   runs);
}

class LessCommonPicture : public testing::TestWithParam<LessCommonCase>
{
};

TEST_P(LessCommonPicture, MatchesQtsFullDecode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(GetParam().fileName);
    ASSERT_TRUE(WriteFileBytes(path, GetParam().bytes()));
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    const QRect region(1, 1, source->size().width() - 2, source->size().height() - 1);
    QString error;
    const auto crop = source->decodeRegion(region, background, error);
    ASSERT_TRUE(crop) << error.toStdString();
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(path, region, background)), "");
}

INSTANTIATE_TEST_SUITE_P(Formats, LessCommonPicture,
                         testing::Values(LessCommonCase{"indexedWithTransparency", "a.gif", gifBytes},
                                         LessCommonCase{"cmykJpeg", "a.jpg", cmykJpegBytes},
                                         LessCommonCase{"rleBmp", "a.bmp", rleBmpBytes}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureSource, HugeJpegRegionDecodesWithoutAWholePictureBuffer)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("huge.jpg");
    // A full decode needs 400 MB; the region decode needs a few rows.
    ASSERT_TRUE(WriteFileBytes(path, FlatGreyJpeg(20000)));
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->size(), QSize(20000, 20000));
    QString error;
    const auto crop = source->decodeRegion(QRect(9760, 9680, 480, 640), background, error);
    ASSERT_TRUE(crop) << error.toStdString();
    QImage grey(480, 640, QImage::Format_RGB888);
    grey.fill(QColor(128, 128, 128));
    EXPECT_EQ(differenceBetween(*crop, grey), "");
}

} // namespace
