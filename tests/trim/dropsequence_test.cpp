#include "tests/support/pictures/patterns.h"
#include "trim/dropsequence.h"
#include "trim/trimmessages.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

const TrimSettings Phone{240, 320, 480, 800};

struct SerialRow
{
    const char* name;
    const char* outputName; // in the scratch folder
    bool pictureReadable;
    const char* nameAfter;
    const char* nameWritten; // nullptr when nothing may be written
};

void PrintTo(const SerialRow& row, std::ostream* out)
{
    *out << row.name;
}

class DropSerials : public testing::TestWithParam<SerialRow>
{
};

TEST_P(DropSerials, SaveUnderTheSerialAndMoveItOnOnlyAfterASave)
{
    const SerialRow& row = GetParam();
    QTemporaryDir folder;
    const QString picture = folder.filePath("picture.png");
    if (row.pictureReadable) {
        ASSERT_TRUE(SaveCoordinatePng(picture, 600, 700));
    }

    const DropResult result = DropPicture(picture, Phone, folder.filePath(row.outputName));
    EXPECT_EQ(result.outputPath, folder.filePath(row.nameAfter));
    EXPECT_EQ(result.trim.saved, row.nameWritten != nullptr);
    if (row.nameWritten) {
        EXPECT_TRUE(QFileInfo::exists(folder.filePath(row.nameWritten)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DropSerials,
    testing::Values(
        SerialRow{"savedSerialAdvances", "wall[00012].bmp", true, "wall[00013].bmp", "wall[00012].bmp"},
        SerialRow{"missingSerialInserted", "wall.bmp", true, "wall[00001].bmp", "wall[00000].bmp"},
        SerialRow{"serialAboveLastRestarts", "wall[20001].bmp", true, "wall[00001].bmp", "wall[00000].bmp"},
        SerialRow{"failedPictureKeepsTheGivenSerial", "wall.bmp", false, "wall[00000].bmp", nullptr}),
    [](const testing::TestParamInfo<SerialRow>& info) { return info.param.name; });

TEST(DropPicture, APathTooLongForASerialIsLeftAsItIsAndNothingIsWritten)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath("picture.png");
    ASSERT_TRUE(SaveCoordinatePng(picture, 600, 700));
    const QString longPath = folder.filePath(QString(40000, u'a') + QStringLiteral(".bmp"));

    const DropResult result = DropPicture(picture, Phone, longPath);
    EXPECT_EQ(result.outputPath, longPath);
    EXPECT_FALSE(result.trim.saved);
    EXPECT_FALSE(result.trim.preview);
    EXPECT_EQ(result.trim.message, TrimMessages::OutputPathTooLong(longPath));
}

TEST(DropPicture, AnEmptyOutputPathIsRefusedBeforeThePictureIsRead)
{
    const DropResult result = DropPicture(QStringLiteral("/no/such/picture.png"), Phone, QString());
    EXPECT_EQ(result.outputPath, QString());
    EXPECT_FALSE(result.trim.saved);
    EXPECT_FALSE(result.trim.preview);
    EXPECT_EQ(result.trim.message, TrimMessages::NoOutputPath());
}

} // namespace
