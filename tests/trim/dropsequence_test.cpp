#include "outputname/serialname.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/patterns.h"
#include "trim/dropsequence.h"
#include "trim/trimmessages.h"

#include <QDir>
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

namespace {

QImage Crop()
{
    QImage crop(24, 32, QImage::Format_RGB888);
    crop.fill(qRgb(1, 2, 3));
    return crop;
}

void WriteMarker(const QString& path)
{
    ASSERT_TRUE(WriteFileBytes(path, "taken"));
}

struct SkipRow
{
    const char* name;
    const char* outputName;
    QStringList taken;
    const char* nameWritten;
    const char* nameAfter;
};

void PrintTo(const SkipRow& row, std::ostream* out)
{
    *out << row.name;
}

class SkippingSaves : public testing::TestWithParam<SkipRow>
{
};

TEST_P(SkippingSaves, GoToTheFirstFreeSerialAndLeaveTakenNamesAlone)
{
    const SkipRow& row = GetParam();
    QTemporaryDir folder;
    for (const QString& name : row.taken)
        WriteMarker(folder.filePath(name));

    const DropResult result =
        SaveDroppedPicture(TrimmedPicture{Crop(), {}}, folder.filePath(row.outputName), ExistingOutput::Skip);

    EXPECT_TRUE(result.trim.saved);
    EXPECT_EQ(result.trim.message, TrimMessages::Saved(folder.filePath(row.nameWritten), QSize(24, 32)));
    EXPECT_EQ(result.outputPath, folder.filePath(row.nameAfter));
    EXPECT_EQ(QImage(folder.filePath(row.nameWritten)).size(), QSize(24, 32));
    for (const QString& name : row.taken)
        EXPECT_EQ(ReadFileBytes(folder.filePath(name)), "taken") << name.toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), row.taken.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SkippingSaves,
    testing::Values(
        SkipRow{"freeNameTaken", "w.bmp", {}, "w[00000].bmp", "w[00001].bmp"},
        SkipRow{"takenNamesPassedOver",
                "w.bmp",
                {"w[00000].bmp", "w[00001].bmp"},
                "w[00002].bmp",
                "w[00003].bmp"},
        SkipRow{"onlyTheNamesTakenArePassedOver",
                "w[00005].bmp",
                {"w[00005].bmp", "w[00007].bmp"},
                "w[00006].bmp",
                "w[00007].bmp"},
        SkipRow{
            "pastTheLastSerialToTheFirst", "w[20000].bmp", {"w[20000].bmp"}, "w[00000].bmp", "w[00001].bmp"},
        SkipRow{"restartedSerialPassesOverToo",
                "w[20001].x.bmp",
                {"w[00000].x.bmp"},
                "w[00001].x.bmp",
                "w[00002].x.bmp"}),
    [](const testing::TestParamInfo<SkipRow>& info) { return info.param.name; });

TEST(SkippingSaves, WhenEveryNameIsTakenNothingIsWrittenAndTheSerialStays)
{
    QTemporaryDir folder;
    for (int serial = 0; serial <= LastSerial; ++serial)
        WriteMarker(folder.filePath(QStringLiteral("w[%1].bmp").arg(serial, 5, 10, QChar(u'0'))));
    const QString start = folder.filePath("w[00123].bmp");

    const DropResult result = SaveDroppedPicture(TrimmedPicture{Crop(), {}}, start, ExistingOutput::Skip);

    EXPECT_FALSE(result.trim.saved);
    EXPECT_EQ(result.trim.message, TrimMessages::NoFreeSerial(start));
    EXPECT_EQ(result.outputPath, start);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), LastSerial + 1);
    EXPECT_EQ(ReadFileBytes(start), "taken");
}

TEST(SkippingSaves, AFailedTrimUsesNoSerial)
{
    QTemporaryDir folder;
    const DropResult result = SaveDroppedPicture(TrimmedPicture{std::nullopt, QStringLiteral("unreadable")},
                                                 folder.filePath("w.bmp"), ExistingOutput::Skip);
    EXPECT_FALSE(result.trim.saved);
    EXPECT_EQ(result.trim.message, "unreadable");
    EXPECT_EQ(result.outputPath, folder.filePath("w[00000].bmp"));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

} // namespace
