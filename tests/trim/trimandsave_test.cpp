#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/patterns.h"
#include "trim/previewbackground.h"
#include "trim/trimandsave.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

const TrimSettings Phone{240, 320, 480, 800};

struct DropRow
{
    const char* name;
    int pictureWidth;
    int pictureHeight;
    TrimSettings settings;
    int cropWidth;
    int cropHeight;
    int horizontalOffset;
    int verticalOffset;
};

void PrintTo(const DropRow& row, std::ostream* out)
{
    *out << row.name;
}

class TrimAndSaveRows : public testing::TestWithParam<DropRow>
{
};

TEST_P(TrimAndSaveRows, SavesTheCentreCropPixelForPixel)
{
    const DropRow& row = GetParam();
    QTemporaryDir folder;
    const QString input = folder.filePath("picture.png");
    const QString output = folder.filePath("out[00000].bmp");
    ASSERT_TRUE(SaveCoordinatePng(input, row.pictureWidth, row.pictureHeight));

    const TrimResult result = TrimAndSaveFile(input, row.settings, output);
    ASSERT_TRUE(result.saved) << result.message.toStdString();
    EXPECT_EQ(result.message,
              QStringLiteral("保存しました: %1 (%2×%3)").arg(output).arg(row.cropWidth).arg(row.cropHeight));

    QImageReader reader(output);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage saved = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(saved.size(), QSize(row.cropWidth, row.cropHeight));
    ASSERT_TRUE(result.preview);
    EXPECT_EQ(result.preview->convertToFormat(QImage::Format_RGB32), saved);
    for (int y = 0; y < saved.height(); ++y)
        for (int x = 0; x < saved.width(); ++x)
            ASSERT_EQ(saved.pixel(x, y), CoordinatePixel(x + row.horizontalOffset, y + row.verticalOffset))
                << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrimAndSaveRows,
    testing::Values(
        DropRow{"tall_picture_capped", 1000, 1500, Phone, 480, 640, 260, 430},
        DropRow{"wide_picture", 600, 700, Phone, 480, 640, 60, 30},
        DropRow{"small_picture", 300, 500, Phone, 288, 384, 6, 58},
        DropRow{"odd_leftover", 301, 501, Phone, 288, 384, 6, 58},
        DropRow{"square_picture", 200, 200, Phone, 144, 192, 28, 4},
        DropRow{"small_preview_area", 640, 480, TrimSettings{240, 320, 312, 520}, 312, 416, 164, 32},
        DropRow{"middle_preview_area", 1024, 768, TrimSettings{240, 320, 408, 680}, 480, 640, 272, 64},
        DropRow{"target_240x400", 1000, 1500, TrimSettings{240, 400, 480, 800}, 480, 800, 260, 350},
        DropRow{"wide_target", 2000, 2000, TrimSettings{400, 240, 480, 800}, 800, 480, 600, 760}),
    [](const testing::TestParamInfo<DropRow>& info) { return std::string(info.param.name); });

TEST(TrimAndSaveFile, JpgOutputPathGetsABitmap)
{
    QTemporaryDir folder;
    const QString input = folder.filePath("picture.png");
    const QString output = folder.filePath("out[00000].jpg");
    ASSERT_TRUE(SaveCoordinatePng(input, 300, 500));
    ASSERT_TRUE(TrimAndSaveFile(input, Phone, output).saved);
    EXPECT_EQ(ReadFileBytes(output).left(2), "BM");
    EXPECT_EQ(QImage(output).size(), QSize(288, 384));
}

TEST(TrimAndSaveFile, CompositesTransparentPixelsOverThePreviewBackground)
{
    QTemporaryDir folder;
    const QString input = folder.filePath("clear.png");
    const QString output = folder.filePath("out.bmp");
    QImage picture(240, 320, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int x = 0; x < 240; ++x)
        picture.setPixel(x, 0, qRgba(10, 20, 30, 255));
    ASSERT_TRUE(picture.save(input));

    const TrimResult result = TrimAndSaveFile(input, Phone, output);
    ASSERT_TRUE(result.saved) << result.message.toStdString();
    const QImage saved(output);
    ASSERT_EQ(saved.size(), QSize(240, 320));
    EXPECT_EQ(saved.pixel(5, 0), qRgb(10, 20, 30));
    EXPECT_EQ(saved.pixel(5, 100), PreviewBackground.rgb());
}

// Every failing drop says why, shows no new crop and keeps the file already at the output path.
class FailedTrim : public testing::Test
{
  protected:
    void SetUp() override
    {
        output_ = folder_.filePath("out[00000].bmp");
        ASSERT_TRUE(WriteFileBytes(output_, old_));
    }

    void ExpectNothingWritten(const TrimResult& result, const QString& messageStart)
    {
        EXPECT_FALSE(result.saved);
        EXPECT_FALSE(result.preview);
        EXPECT_TRUE(result.message.startsWith(messageStart)) << result.message.toStdString();
        EXPECT_EQ(ReadFileBytes(output_), old_);
    }

    QTemporaryDir folder_;
    QString output_;
    const QByteArray old_ = QByteArray("old output file");
};

TEST_F(FailedTrim, MissingPicture)
{
    const QString input = folder_.filePath("missing.png");
    ExpectNothingWritten(TrimAndSaveFile(input, Phone, output_), "画像を読み込めません: " + input + " (");
}

TEST_F(FailedTrim, FileThatIsNoPicture)
{
    const QString input = folder_.filePath("notes.png");
    ASSERT_TRUE(WriteFileBytes(input, "just some text, not a picture"));
    ExpectNothingWritten(TrimAndSaveFile(input, Phone, output_), "画像を読み込めません: " + input);
}

TEST_F(FailedTrim, ZeroTarget)
{
    const QString input = folder_.filePath("picture.png");
    ASSERT_TRUE(SaveCoordinatePng(input, 300, 500));
    ExpectNothingWritten(TrimAndSaveFile(input, TrimSettings{0, 320, 480, 800}, output_),
                         "目標サイズが正しくありません (0×320)");
}

TEST_F(FailedTrim, PictureUnderATenthOfTheTarget)
{
    const QString input = folder_.filePath("narrow.png");
    ASSERT_TRUE(SaveCoordinatePng(input, 20, 500));
    ExpectNothingWritten(TrimAndSaveFile(input, Phone, output_),
                         "画像が小さすぎて切り出せません: " + input + " (20×500)");
}

// Qt reads the portable pixmap, whose header the size probe does not know.
TEST_F(FailedTrim, PictureWhoseSizeTheProbeCannotRead)
{
    const QString input = folder_.filePath("picture.ppm");
    ASSERT_TRUE(CoordinatePicture(300, 500).save(input, "PPM"));
    ExpectNothingWritten(TrimAndSaveFile(input, Phone, output_), "画像サイズを読み取れません: " + input);
}

// A bitmap with the 12-byte core header: the probe reads the 40-byte header's fields and finds another size
// than the pixels have.
TEST_F(FailedTrim, HeaderSizeDifferentFromThePixels)
{
    const QByteArray bitmap = BmpFile({.width = 300, .height = 400, .infoHeaderBytes = 12},
                                      QByteArray(BmpRowBytes(300, 24) * 400, '\x40'));
    const QString input = folder_.filePath("core.bmp");
    ASSERT_TRUE(WriteFileBytes(input, bitmap));
    ASSERT_EQ(QImageReader(input).size(), QSize(300, 400));

    ExpectNothingWritten(TrimAndSaveFile(input, Phone, output_),
                         "画像のヘッダーと画素データの大きさが一致しません: " + input);
}

TEST_F(FailedTrim, OutputIntoAMissingFolderKeepsTheNewCropOnShow)
{
    const QString input = folder_.filePath("picture.png");
    ASSERT_TRUE(SaveCoordinatePng(input, 300, 500));
    const QString output = folder_.filePath("missing/out.bmp");
    const TrimResult result = TrimAndSaveFile(input, Phone, output);
    EXPECT_FALSE(result.saved);
    ASSERT_TRUE(result.preview);
    EXPECT_EQ(result.preview->size(), QSize(288, 384));
    EXPECT_TRUE(result.message.startsWith("保存できません: " + output + " ("))
        << result.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder_.filePath("missing")));
}

TEST_F(FailedTrim, OutputOntoAFolder)
{
    const QString input = folder_.filePath("picture.png");
    ASSERT_TRUE(SaveCoordinatePng(input, 300, 500));
    const QString output = folder_.filePath("folder.bmp");
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.bmp"));
    const TrimResult result = TrimAndSaveFile(input, Phone, output);
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(result.message.startsWith("保存できません: ")) << result.message.toStdString();
    EXPECT_TRUE(QFileInfo(output).isDir());
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
              3);
}

} // namespace
