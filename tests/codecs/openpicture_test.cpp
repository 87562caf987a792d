// OpenPicture opens a file by what the size probe found in it: the Kind chooses the decoder, and the bytes
// the probe read a JPEG whole into are the ones decoded.
#include "codecs/bmp/bmpmessages.h"
#include "codecs/gif/gifmessages.h"
#include "codecs/jpeg/jpegmessages.h"
#include "codecs/openpicture.h"
#include "codecs/png/pngmessages.h"
#include "imagesize/formats.h"
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/giffiles.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

ProbedImage probedAs(std::int32_t kind)
{
    return ProbedImage{ImageSizeInfo{kind, 1, 1, 24}, {}};
}

struct KindCase
{
    const char* name;
    std::int32_t kind;
    QString (*refusalStart)();
};

class EachKind : public testing::TestWithParam<KindCase>
{
};

// Three bytes are no picture of any format: each decoder's refusal names its own (libjpeg's own reason
// follows the JPEG decoder's).
TEST_P(EachKind, GoesToTheDecoderOfItsFormat)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("short");
    ASSERT_TRUE(WriteFileBytes(path, "P6\n"));
    QString error;
    EXPECT_FALSE(OpenPicture(path, probedAs(GetParam().kind), error));
    EXPECT_TRUE(error.startsWith(GetParam().refusalStart())) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Formats, EachKind,
                         testing::Values(KindCase{"Bitmap", imagesize::BmpKind, BmpMessages::CutShort},
                                         KindCase{"Gif", imagesize::GifKind, GifMessages::CutShort},
                                         KindCase{"Jpeg", imagesize::JpegKind,
                                                  [] { return JpegMessages::LibjpegFailed(QString()); }},
                                         KindCase{"Png", imagesize::PngKind,
                                                  PngMessages::FileEndsInsidePicture}),
                         [](const auto& info) { return std::string(info.param.name); });

// Qt reads the portable pixmap, which no decoder of ours knows.
TEST(OpenPicture, WhatTheProbeFoundNothingInGoesToQtsReaders)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.ppm");
    ASSERT_TRUE(PhotoLikePicture(6, 4).save(path, "PPM"));
    for (const std::int32_t kind : {0, -1, 5}) {
        QString error;
        const std::unique_ptr<PictureSource> source = OpenPicture(path, probedAs(kind), error);
        ASSERT_TRUE(source) << "Kind " << kind << ": " << error.toStdString();
        EXPECT_EQ(source->size(), QSize(6, 4)) << "Kind " << kind;
    }
}

// Qt's readers take these files for a GIF and a JPEG: they still go to our decoders, which leave the screen
// around a smaller first image transparent, and refuse a JPEG whose data holds a code no table defines.
TEST(OpenPicture, WhatTheProbeFoundNothingInButQtTakesForAGifOrJpegGoesToOurDecoder)
{
    QTemporaryDir folder;
    GifPicture gif;
    gif.screenWidth = 20;
    gif.screenHeight = 10;
    gif.frame = QRect(5, 2, 4, 4);
    gif.localColours = {qRgb(250, 0, 0), qRgb(0, 0, 250)};
    gif.minimumCodeSize = 2;
    const QString gifPath = folder.filePath("offset.gif");
    ASSERT_TRUE(WriteFileBytes(gifPath, GifFile(gif)));
    QString error;
    const std::unique_ptr<PictureSource> gifSource = OpenPicture(gifPath, probedAs(0), error);
    ASSERT_TRUE(gifSource) << error.toStdString();
    const std::optional<QImage> corner = gifSource->decodeRegion(QRect(0, 0, 2, 2), Qt::white, error);
    ASSERT_TRUE(corner) << error.toStdString();
    EXPECT_EQ(corner->pixel(0, 0), qRgb(255, 255, 255));

    QByteArray jpeg = LibjpegWritten(PhotoLikePicture(64, 48), {2, 2});
    jpeg.replace(jpeg.size() / 2, 8, QByteArray::fromHex("ff00ff00ff00ff00"));
    const QString jpegPath = folder.filePath("damaged.jpg");
    ASSERT_TRUE(WriteFileBytes(jpegPath, jpeg));
    const std::unique_ptr<PictureSource> jpegSource = OpenPicture(jpegPath, probedAs(0), error);
    ASSERT_TRUE(jpegSource) << error.toStdString();
    EXPECT_FALSE(jpegSource->decodeRegion(QRect(0, 0, 64, 48), Qt::white, error));
    EXPECT_EQ(error.toStdString(), JpegMessages::DataDamaged().toStdString());
}

TEST(OpenPicture, AFileThatCannotBeOpenedGivesTheSystemsReason)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("absent.png");
    QFile absent(path);
    ASSERT_FALSE(absent.open(QIODevice::ReadOnly));
    QString error;
    EXPECT_FALSE(openProbed(path, error));
    EXPECT_EQ(error, absent.errorString());
}

TEST(OpenPicture, AJpegIsDecodedFromTheBytesTheProbeRead)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("photo.jpg");
    const QByteArray jpeg = LibjpegWritten(PhotoLikePicture(40, 24), {2, 2});
    ASSERT_TRUE(WriteFileBytes(path, jpeg));
    const QString copyPath = folder.filePath("copy.jpg");
    ASSERT_TRUE(WriteFileBytes(copyPath, jpeg));
    ProbedImage probe = ProbeImage(QFileInfo(path).filesystemFilePath(), 0);
    ASSERT_FALSE(probe.wholeFile.empty());
    ASSERT_TRUE(WriteFileBytes(path, "no longer a picture"));

    QString error;
    const std::unique_ptr<PictureSource> source = OpenPicture(path, std::move(probe), error);
    ASSERT_TRUE(source) << error.toStdString();
    ASSERT_EQ(source->size(), QSize(40, 24));
    const QRect whole(0, 0, 40, 24);
    const std::optional<QImage> crop = source->decodeRegion(whole, Qt::white, error);
    ASSERT_TRUE(crop) << error.toStdString();
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(copyPath, whole, Qt::white)), "");
}

} // namespace
