// JPEG pictures whose entropy-coded data is damaged: a crop that needs the damaged data is refused with a
// message, however the picture is decoded (a window cut by our walk, or libjpeg reading the file whole);
// a crop above the damage decodes as the intact picture does.
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/jpegfiles.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

const QColor background(255, 255, 255);
const QSize pictureSize(320, 240);
const QRect above(100, 8, 60, 40);
const QRect below(100, 180, 60, 40);
const QRect whole(QPoint(0, 0), pictureSize);

// Stuffed 0xFF bytes: a run of ones longer than any code of a table, so the first code that starts in it
// is one no table defines.
const QByteArray runOfOnes = QByteArray::fromHex("ff00ff00ff00ff00ff00ff00");

qsizetype firstScanData(const QByteArray& jpeg)
{
    const qsizetype scan = jpeg.indexOf("\xff\xda");
    return scan + 2 + (uchar(jpeg[scan + 2]) << 8 | uchar(jpeg[scan + 3]));
}

// The bytes at the middle of the data after the first scan header replaced by `bytes`.
QByteArray damagedInTheMiddle(QByteArray jpeg, const QByteArray& bytes)
{
    const qsizetype start = firstScanData(jpeg);
    jpeg.replace(start + (jpeg.size() - start) / 2, bytes.size(), bytes);
    return jpeg;
}

struct DamageCase
{
    const char* name;
    JpegVariant variant;
    QByteArray damage;
    std::vector<JpegScanStep> scanScript = {};
    // Every scan holds rows of the whole picture, and libjpeg reads every scan before the first row.
    bool everyCropReadsEveryScan = false;
};

// A sequential picture of one scan per component: no window is cut from it, libjpeg reads it whole.
const std::vector<JpegScanStep> scanPerComponent = {
    {{0}, 0, 63, 0, 0}, {{1}, 0, 63, 0, 0}, {{2}, 0, 63, 0, 0}};

class DamagedEntropyData : public testing::TestWithParam<DamageCase>
{
  protected:
    void SetUp() override
    {
        const QByteArray intact =
            LibjpegWritten(PhotoLikePicture(320, 240), GetParam().variant, GetParam().scanScript);
        intactPath_ = folder_.filePath("intact.jpg");
        damagedPath_ = folder_.filePath("damaged.jpg");
        ASSERT_TRUE(WriteFileBytes(intactPath_, intact));
        ASSERT_TRUE(WriteFileBytes(damagedPath_, damagedInTheMiddle(intact, GetParam().damage)));
    }

    std::optional<QImage> decodeDamaged(const QRect& region, QString& error) const
    {
        const std::unique_ptr<PictureSource> source = openProbed(damagedPath_, error);
        EXPECT_TRUE(source) << error.toStdString();
        if (!source)
            return std::nullopt;
        return source->decodeRegion(region, background, error);
    }

    QTemporaryDir folder_;
    QString intactPath_;
    QString damagedPath_;
};

// Crops below the damage and of the whole picture are refused; a crop above it decodes as the intact
// picture does, unless the picture is one whose every crop reads every scan.
TEST_P(DamagedEntropyData, RefusesTheCropsThatNeedTheDamagedData)
{
    for (const QRect& region : {below, whole}) {
        QString error;
        EXPECT_FALSE(decodeDamaged(region, error)) << region.y();
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    const std::optional<QImage> crop = decodeDamaged(above, error);
    if (GetParam().everyCropReadsEveryScan) {
        EXPECT_FALSE(crop);
        EXPECT_FALSE(error.isEmpty());
        return;
    }
    ASSERT_TRUE(crop) << error.toStdString();
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(intactPath_, above, background)), "");
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, DamagedEntropyData,
    testing::Values(DamageCase{"baselineWindow", {2, 2}, runOfOnes},
                    DamageCase{"baselineWindowGrey", {1, 1, true}, runOfOnes},
                    DamageCase{"restartMarkersReadWhole", {2, 1, false, false, 4}, runOfOnes},
                    DamageCase{"scanPerComponentReadWhole", {2, 2}, runOfOnes, scanPerComponent, true},
                    DamageCase{"progressiveWindow", {2, 2, false, true}, runOfOnes},
                    DamageCase{"cmykWindow", {1, 1, false, false, 0, true}, runOfOnes}),
    [](const auto& info) { return std::string(info.param.name); });

struct LeftOverCase
{
    const char* name;
    JpegVariant variant;
};

class DataLeftOver : public testing::TestWithParam<LeftOverCase>
{
};

// Codes that fall out of step with the MCUs can decode as valid codes all the way and leave data over
// after the last MCU, as the bytes put there do. A full decode warns of them: a crop of the whole picture
// reads on to the end of the data and is refused; a crop of the top rows never reads that far.
TEST_P(DataLeftOver, AfterTheLastMcuRefusesCropsDownToTheLastRow)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("long.jpg");
    const QByteArray intact = LibjpegWritten(PhotoLikePicture(96, 64), GetParam().variant);
    const qsizetype end = intact.lastIndexOf("\xff\xd9");
    ASSERT_TRUE(WriteFileBytes(path, intact.left(end) + QByteArray(32, '\x5a') + intact.mid(end)));
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    EXPECT_FALSE(source->decodeRegion(QRect(0, 0, 96, 64), background, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(source->decodeRegion(QRect(90, 60, 6, 4), background, error));
    const std::optional<QImage> top = source->decodeRegion(QRect(0, 0, 96, 16), background, error);
    ASSERT_TRUE(top) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pictures, DataLeftOver,
                         testing::Values(LeftOverCase{"baselineWindow", {2, 2}},
                                         LeftOverCase{"restartMarkersReadWhole", {2, 2, false, false, 3}},
                                         LeftOverCase{"arithmeticReadWhole",
                                                      {2, 2, false, false, 0, false, 0, true}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A luma AC table without a single code: no block can be decoded, wherever the crop lies.
TEST(DamagedEntropyData, AnAcTableWithoutCodesRefusesEveryCrop)
{
    const QByteArray dcSymbols = QByteArray::fromHex("000102030405060708090a0b");
    const QByteArray jpeg =
        JpegStartOfImage() + JpegMarkerSegment(0xDB, '\0' + QByteArray(64, '\x01')) +
        JpegFrame(0xC0, 64, 64, {{1, 0x11, 0}}) +
        JpegMarkerSegment(0xC4, JpegHuffmanTable(0, 0, {0, 1, 5, 1, 1, 1, 1, 1, 1}, dcSymbols) +
                                    JpegHuffmanTable(1, 0, {}, {})) +
        JpegScanHeader({1}) + QByteArray::fromHex("28a28a").repeated(100) + JpegEndOfImage();
    QTemporaryDir folder;
    const QString path = folder.filePath("noac.jpg");
    ASSERT_TRUE(WriteFileBytes(path, jpeg));
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    for (const QRect& region : {QRect(0, 0, 8, 8), QRect(40, 40, 24, 24), QRect(0, 0, 64, 64)}) {
        EXPECT_FALSE(source->decodeRegion(region, background, error)) << region.x();
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
