// GIF pictures built byte by byte, their image data written by an LZW encoder of the test library: the first
// image drawn on a transparent logical screen, checked pixel by pixel against the pictures the test builds
// from the same indexes, and against Qt's full decode wherever Qt's reader defines the pixels.
#include "codecs/gif/gifmessages.h"
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/giffiles.h"
#include "trim/trimandsave.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

const QColor background(40, 200, 120);

QList<QRgb> colourRamp(int count)
{
    QList<QRgb> colours;
    for (int i = 0; i < count; ++i)
        colours.append(qRgb((i * 37) & 255, 255 - ((i * 11) & 255), (i * 101) & 255));
    return colours;
}

// What the picture shows, worked out from the indexes the file was built from: the image's colours on a
// transparent screen, drawn over the background.
QImage expectedPicture(const GifPicture& picture)
{
    const QList<QRgb>& table = picture.localColours.isEmpty() ? picture.globalColours : picture.localColours;
    QImage pixels(picture.screenWidth, picture.screenHeight, QImage::Format_ARGB32);
    pixels.fill(Qt::transparent);
    for (int y = 0; y < picture.frame.height(); ++y) {
        for (int x = 0; x < picture.frame.width(); ++x) {
            const QPoint at = picture.frame.topLeft() + QPoint(x, y);
            const int index = picture.indexAt(x, y);
            if (pixels.rect().contains(at) && index < table.size() && index != picture.transparentIndex)
                pixels.setPixel(at, table[index]);
        }
    }
    QImage flat(pixels.size(), QImage::Format_RGB888);
    flat.fill(background);
    QPainter(&flat).drawImage(0, 0, pixels);
    return flat;
}

std::unique_ptr<PictureSource> openGif(const QString& path, const GifPicture& picture)
{
    EXPECT_TRUE(WriteFileBytes(path, GifFile(picture)));
    QString error;
    std::unique_ptr<PictureSource> source = openProbed(path, error);
    EXPECT_TRUE(source) << error.toStdString();
    return source;
}

// Where Qt's reader gives the pixels the picture shows: everywhere, in the first image only (it fills the
// screen around it with a background colour), or nowhere (it places the rows of an interlaced image 3 or
// 4 rows high, or reaching past the screen's bottom, wrongly).
enum class QtAgrees { Everywhere, InTheImage, Nowhere };

struct CanvasCase
{
    const char* name;
    GifPicture picture;
    QtAgrees qtAgrees;
};

int noiseIndex(int x, int y, int colours)
{
    return int((quint32(x) * 2654435761u ^ quint32(y) * 40503u) % quint32(colours));
}

class GifCanvas : public testing::TestWithParam<CanvasCase>
{
};

TEST_P(GifCanvas, DrawsTheFirstImageOnATransparentScreen)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.gif");
    const GifPicture& picture = GetParam().picture;
    const std::unique_ptr<PictureSource> source = openGif(path, picture);
    ASSERT_TRUE(source);
    const QSize size(picture.screenWidth, picture.screenHeight);
    ASSERT_EQ(source->size(), size);
    const QImage expected = expectedPicture(picture);
    const QRect image = picture.frame.intersected(QRect(QPoint(0, 0), size));
    QList<QRect> regions = probeRegions(size);
    regions.append(image);
    for (const QRect& region : regions) {
        QString error;
        const std::optional<QImage> crop = source->decodeRegion(region, background, error);
        ASSERT_TRUE(crop) << error.toStdString();
        EXPECT_EQ(differenceBetween(*crop, expected.copy(region)), "")
            << "region " << region.x() << "," << region.y() << " " << region.width() << "x"
            << region.height();
    }
    if (GetParam().qtAgrees == QtAgrees::Nowhere)
        return;
    const QRect comparedWithQt =
        GetParam().qtAgrees == QtAgrees::Everywhere ? QRect(QPoint(0, 0), size) : image;
    QString error;
    const std::optional<QImage> crop = source->decodeRegion(comparedWithQt, background, error);
    ASSERT_TRUE(crop) << error.toStdString();
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(path, comparedWithQt, background)), "");
}

GifPicture withFrame(QRect frame, int colours, bool local, int transparentIndex = -1, bool interlaced = false)
{
    GifPicture picture;
    picture.screenWidth = 90;
    picture.screenHeight = 70;
    picture.backgroundIndex = 3;
    picture.frame = frame;
    picture.globalColours = colourRamp(64);
    if (local)
        picture.localColours = colourRamp(colours);
    picture.transparentIndex = transparentIndex;
    picture.interlaced = interlaced;
    picture.minimumCodeSize = colours > 4 ? 8 : 2;
    picture.indexAt = [colours](int x, int y) { return noiseIndex(x, y, colours); };
    return picture;
}

INSTANTIATE_TEST_SUITE_P(
    Images, GifCanvas,
    testing::Values(
        CanvasCase{"wholeScreen", withFrame({0, 0, 90, 70}, 64, false), QtAgrees::Everywhere},
        CanvasCase{"wholeScreenTransparent", withFrame({0, 0, 90, 70}, 64, false, 5), QtAgrees::Everywhere},
        CanvasCase{"wholeScreenInterlaced", withFrame({0, 0, 90, 70}, 64, false, -1, true),
                   QtAgrees::Everywhere},
        CanvasCase{"wholeScreenLocalTable", withFrame({0, 0, 90, 70}, 200, true), QtAgrees::Everywhere},
        CanvasCase{"offsetWithLocalTable", withFrame({17, 9, 40, 33}, 16, true), QtAgrees::InTheImage},
        CanvasCase{"offsetWithGlobalTable", withFrame({3, 30, 60, 40}, 64, false), QtAgrees::InTheImage},
        CanvasCase{"offsetTransparent", withFrame({20, 20, 30, 30}, 4, true, 1), QtAgrees::Everywhere},
        CanvasCase{"offsetInterlacedLocal", withFrame({11, 5, 70, 61}, 32, true, -1, true),
                   QtAgrees::InTheImage},
        CanvasCase{"reachingPastTheScreen", withFrame({60, 50, 50, 40}, 64, false), QtAgrees::InTheImage},
        CanvasCase{"interlacedTwoRows", withFrame({0, 0, 90, 2}, 64, false, -1, true), QtAgrees::InTheImage},
        CanvasCase{"interlacedThreeRows", withFrame({0, 9, 90, 3}, 64, false, -1, true), QtAgrees::Nowhere},
        CanvasCase{"interlacedFourRows", withFrame({4, 0, 80, 4}, 64, false, -1, true), QtAgrees::Nowhere},
        CanvasCase{"interlacedReachingPastTheScreen", withFrame({30, 40, 50, 45}, 64, false, -1, true),
                   QtAgrees::Nowhere},
        CanvasCase{"interlacedFiveRows", withFrame({5, 7, 33, 5}, 64, false, -1, true),
                   QtAgrees::InTheImage}),
    [](const auto& info) { return std::string(info.param.name); });

// Indexes beyond the colour table, and an image without any table, have no colour: transparent.
TEST(GifCanvas, IndexesWithoutAColourAreTransparent)
{
    QTemporaryDir folder;
    GifPicture shortTable = withFrame({0, 0, 90, 70}, 64, true);
    shortTable.localColours = colourRamp(8);
    GifPicture noTable = withFrame({10, 10, 40, 40}, 64, false);
    noTable.globalColours.clear();
    for (const GifPicture& picture : {shortTable, noTable}) {
        const std::unique_ptr<PictureSource> source = openGif(folder.filePath("nocolour.gif"), picture);
        ASSERT_TRUE(source);
        QString error;
        const std::optional<QImage> whole = source->decodeRegion(QRect(0, 0, 90, 70), background, error);
        ASSERT_TRUE(whole) << error.toStdString();
        EXPECT_EQ(differenceBetween(*whole, expectedPicture(picture)), "");
    }
}

// Qt's reader fills the screen around a smaller first image with a colour from a local table it has not
// read yet. Opened afresh and saved through the whole trim each time, the same file gives the same bitmap.
TEST(GifCanvas, TheSameFileGivesTheSameBitmapAtEveryRun)
{
    QTemporaryDir folder;
    GifPicture picture = withFrame({100, 150, 200, 300}, 16, true);
    picture.screenWidth = 400;
    picture.screenHeight = 600;
    const QString path = folder.filePath("offset.gif");
    ASSERT_TRUE(WriteFileBytes(path, GifFile(picture)));
    QList<QByteArray> saved;
    for (int run = 0; run < 3; ++run) {
        const QString output = folder.filePath(QStringLiteral("out%1.bmp").arg(run));
        const TrimResult result = TrimAndSaveFile(path, {240, 320, 480, 800}, output);
        ASSERT_TRUE(result.saved) << result.message.toStdString();
        saved.append(ReadFileBytes(output));
    }
    EXPECT_EQ(saved[1], saved[0]);
    EXPECT_EQ(saved[2], saved[0]);
    const QImage bitmap = QImage::fromData(saved[0], "BMP").convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(bitmap.size(), QSize(384, 512));
}

struct LzwCase
{
    const char* name;
    int minimumCodeSize;
    QSize size;
    std::function<int(int x, int y)> indexAt;
};

class GifLzw : public testing::TestWithParam<LzwCase>
{
};

// Long runs (codes used as soon as they are made), noise that fills the code table again and again, and
// every minimum code size: decoded as Qt decodes them.
TEST_P(GifLzw, DecodesAsQtDecodes)
{
    const LzwCase& lzw = GetParam();
    GifPicture picture;
    picture.screenWidth = quint16(lzw.size.width());
    picture.screenHeight = quint16(lzw.size.height());
    picture.frame = QRect(QPoint(0, 0), lzw.size);
    picture.globalColours = colourRamp(1 << lzw.minimumCodeSize);
    picture.minimumCodeSize = lzw.minimumCodeSize;
    picture.indexAt = lzw.indexAt;
    QTemporaryDir folder;
    const QString path = folder.filePath("lzw.gif");
    const std::unique_ptr<PictureSource> source = openGif(path, picture);
    ASSERT_TRUE(source);
    for (const QRect& region : probeRegions(lzw.size)) {
        QString error;
        const std::optional<QImage> crop = source->decodeRegion(region, background, error);
        ASSERT_TRUE(crop) << error.toStdString();
        EXPECT_EQ(differenceBetween(*crop, referenceCrop(path, region, background)), "")
            << "region " << region.x() << "," << region.y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, GifLzw,
    testing::Values(
        LzwCase{"oneColour", 2, {300, 200}, [](int, int) { return 0; }},
        LzwCase{"longRuns", 3, {301, 97}, [](int x, int y) { return (x / 37 + y / 5) % 8; }},
        LzwCase{"noiseFillsTheTable", 8, {257, 211}, [](int x, int y) { return noiseIndex(x, y, 256); }},
        LzwCase{"fewColoursNoise", 2, {199, 150}, [](int x, int y) { return noiseIndex(x, y, 4); }},
        LzwCase{"sixteenColours", 4, {128, 128}, [](int x, int y) { return (x * y) % 16; }},
        LzwCase{"sixtyFourColours", 6, {173, 61}, [](int x, int y) { return (x + 3 * y) % 64; }}),
    [](const auto& info) { return std::string(info.param.name); });

// Where the image data (its minimum code size byte) of a non-interlaced picture's file starts.
qsizetype imageDataStart(const GifPicture& picture)
{
    QByteArray indexes;
    for (int y = 0; y < picture.frame.height(); ++y) {
        for (int x = 0; x < picture.frame.width(); ++x)
            indexes += char(picture.indexAt(x, y));
    }
    return GifFile(picture).size() - 1 - GifLzwData(picture.minimumCodeSize, indexes).size();
}

TEST(GifData, CodesPastTheTableAreDamage)
{
    QTemporaryDir folder;
    GifPicture picture = withFrame({0, 0, 90, 70}, 64, false);
    QByteArray file = GifFile(picture);
    // The data's first 9-bit codes are a clear code and a literal; the third becomes 0x1ff, far past the
    // table's next entry. The codes start after the minimum code size and the sub-block's length.
    const qsizetype codes = imageDataStart(picture) + 2;
    file[codes + 2] = char(uchar(file[codes + 2]) | 0xfc);
    file[codes + 3] = char(uchar(file[codes + 3]) | 0x07);
    const QString path = folder.filePath("damaged.gif");
    ASSERT_TRUE(WriteFileBytes(path, file));
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    EXPECT_FALSE(source->decodeRegion(QRect(0, 0, 90, 70), background, error));
    EXPECT_EQ(error, GifMessages::ImageDataDamaged());
}

TEST(GifData, DataThatEndsEarlyRefusesTheRowsItDoesNotReach)
{
    QTemporaryDir folder;
    GifPicture picture = withFrame({0, 0, 90, 70}, 64, false);
    const auto indexAt = picture.indexAt;
    QByteArray indexes;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 90; ++x)
            indexes += char(indexAt(x, y));
    }
    const QByteArray shortFile =
        GifFile(picture).left(imageDataStart(picture)) + GifLzwData(8, indexes) + GifTrailer;
    const QString path = folder.filePath("short.gif");
    ASSERT_TRUE(WriteFileBytes(path, shortFile));
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    const std::optional<QImage> top = source->decodeRegion(QRect(0, 0, 90, 30), background, error);
    ASSERT_TRUE(top) << error.toStdString();
    EXPECT_EQ(differenceBetween(*top, expectedPicture(picture).copy(0, 0, 90, 30)), "");
    EXPECT_FALSE(source->decodeRegion(QRect(0, 25, 90, 10), background, error));
    EXPECT_EQ(error, GifMessages::ImageDataEndsEarly());
}

} // namespace
