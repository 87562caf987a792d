// Windows cut out of progressive pictures written by libjpeg, with its own scan script and with scripts of
// our own: Qt's decode of a window holds the region's pixels of Qt's full decode. Pictures a window
// cannot stand for, or whose data is damaged, are refused.
#include "codecs/jpeg/stream/jpegstructure.h"
#include "tests/codecs/jpeg/windowcuts.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace testpictures;

namespace {

using ScanScript = std::vector<JpegScanStep>;

// A three-component picture written by libjpeg with `script` for its scans.
void writeScriptedJpeg(const QString& path, QSize size, int lumaH, int lumaV, const ScanScript& script,
                       int restartInterval)
{
    JpegVariant variant;
    variant.lumaH = lumaH;
    variant.lumaV = lumaV;
    variant.progressive = true;
    variant.restartInterval = restartInterval;
    ASSERT_TRUE(
        WriteFileBytes(path, LibjpegWritten(PhotoLikePicture(size.width(), size.height()), variant, script)));
}

// DC and three luma bands brought down from two bits short in steps, chroma from one or two bits short.
const ScanScript severalBandsRefined = {{{0, 1, 2}, 0, 0, 0, 2}, {{0}, 1, 5, 0, 2},  {{0}, 6, 20, 0, 1},
                                        {{0}, 21, 63, 0, 1},     {{1}, 1, 63, 0, 2}, {{2}, 1, 63, 0, 1},
                                        {{0, 1, 2}, 0, 0, 2, 1}, {{0}, 1, 5, 2, 1},  {{1}, 1, 63, 2, 1},
                                        {{0, 1, 2}, 0, 0, 1, 0}, {{0}, 1, 5, 1, 0},  {{0}, 6, 20, 1, 0},
                                        {{0}, 21, 63, 1, 0},     {{1}, 1, 63, 1, 0}, {{2}, 1, 63, 1, 0}};

// Each component's DC alone, bands sent whole at once.
const ScanScript dcAloneBandsWhole = {{{0}, 0, 0, 0, 0}, {{2}, 0, 0, 0, 0},   {{1}, 0, 0, 0, 1},
                                      {{0}, 1, 9, 0, 0}, {{0}, 10, 63, 0, 0}, {{2}, 1, 63, 0, 0},
                                      {{1}, 0, 0, 1, 0}, {{1}, 1, 63, 0, 0}};

class ProgressiveWindowCut : public testing::TestWithParam<WindowCase>
{
};

TEST_P(ProgressiveWindowCut, HoldsTheRegionsPixelsOfTheFullDecode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.jpg");
    const QSize size = GetParam().size;
    ASSERT_TRUE(WriteFileBytes(
        path, LibjpegWritten(PhotoLikePicture(size.width(), size.height()), GetParam().variant)));
    expectWindowsHoldTheFullDecodesPixels(path, GetParam().size, cutProgressiveWindow);
}

INSTANTIATE_TEST_SUITE_P(
    LibjpegScript, ProgressiveWindowCut,
    testing::Values(WindowCase{"sampling420", {301, 203}, {2, 2, false, true}},
                    WindowCase{"sampling422", {301, 203}, {2, 1, false, true}},
                    WindowCase{"sampling444", {301, 203}, {1, 1, false, true}},
                    WindowCase{"sampling440", {130, 77}, {1, 2, false, true}},
                    WindowCase{"grey", {301, 203}, {1, 1, true, true}},
                    WindowCase{"greySampled2x2", {77, 45}, {2, 2, true, true}},
                    WindowCase{"smallerThanAnMcu", {5, 3}, {2, 2, false, true}},
                    WindowCase{"restartEveryThreeMcus", {301, 203}, {2, 2, false, true, 3}},
                    WindowCase{"restartEveryMcu", {130, 77}, {2, 1, false, true, 1}},
                    WindowCase{"greyRestartEveryFiveMcus", {130, 77}, {1, 1, true, true, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ScriptCase
{
    const char* name;
    const ScanScript* script;
    int lumaH;
    int lumaV;
    int restartInterval;
};

class ScriptedWindowCut : public testing::TestWithParam<ScriptCase>
{
};

TEST_P(ScriptedWindowCut, HoldsTheRegionsPixelsOfTheFullDecode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.jpg");
    const QSize size(203, 141);
    writeScriptedJpeg(path, size, GetParam().lumaH, GetParam().lumaV, *GetParam().script,
                      GetParam().restartInterval);
    expectWindowsHoldTheFullDecodesPixels(path, size, cutProgressiveWindow);
}

INSTANTIATE_TEST_SUITE_P(
    OwnScripts, ScriptedWindowCut,
    testing::Values(ScriptCase{"severalBandsRefined420", &severalBandsRefined, 2, 2, 0},
                    ScriptCase{"severalBandsRefined422Restarts", &severalBandsRefined, 2, 1, 2},
                    ScriptCase{"dcAloneBandsWhole420", &dcAloneBandsWhole, 2, 2, 0},
                    ScriptCase{"dcAloneBandsWhole444Restarts", &dcAloneBandsWhole, 1, 1, 7}),
    [](const auto& info) { return std::string(info.param.name); });

QByteArray writtenProgressive(QSize size)
{
    return LibjpegWritten(PhotoLikePicture(size.width(), size.height()), {2, 2, false, true});
}

TEST(ProgressiveWindowCutRefusal, ScansThatLeaveCoefficientsShortOfFullPrecision)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.jpg");
    ScanScript lumaLeftOneBitShort = dcAloneBandsWhole;
    lumaLeftOneBitShort[4].approximationLow = 1;
    writeScriptedJpeg(path, {64, 48}, 2, 2, lumaLeftOneBitShort, 0);
    const WindowCut cut = cutProgressiveWindow(ReadFileBytes(path), QRect(20, 20, 8, 8));
    EXPECT_FALSE(cut.window);
    EXPECT_FALSE(cut.damaged);
}

// Luma sampled 4x4 and chroma 1x1: 18 blocks an MCU, more than the window's one interleaved scan may hold.
TEST(ProgressiveWindowCutRefusal, McusTooLargeForOneScan)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.jpg");
    writeScriptedJpeg(path, {64, 48}, 4, 4, dcAloneBandsWhole, 0);
    const WindowCut cut = cutProgressiveWindow(ReadFileBytes(path), QRect(20, 20, 8, 8));
    EXPECT_FALSE(cut.window);
    EXPECT_FALSE(cut.damaged);
}

TEST(ProgressiveWindowCutRefusal, PicturesThatAreNotProgressive)
{
    EXPECT_FALSE(
        cutProgressiveWindow(LibjpegWritten(PhotoLikePicture(64, 48), {2, 2}), QRect(20, 20, 8, 8)).window);
    EXPECT_FALSE(cutProgressiveWindow({}, QRect(0, 0, 1, 1)).window);
}

TEST(ProgressiveWindowCutRefusal, RegionsOutsideThePicture)
{
    const QByteArray file = writtenProgressive({96, 64});
    for (const QRect& region : {QRect(-1, 0, 8, 8), QRect(0, -1, 8, 8), QRect(90, 0, 7, 8),
                                QRect(0, 60, 8, 5), QRect(0, 0, 0, 8), QRect(0, 0, 8, 0)})
        EXPECT_FALSE(cutProgressiveWindow(file, region).window);
}

TEST(ProgressiveWindowCutRefusal, QuantizationTablesDefinedAgainBetweenScans)
{
    QByteArray file = writtenProgressive({96, 64});
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::All);
    ASSERT_TRUE(structure);
    const qsizetype tablesAt = file.indexOf(QByteArray("\xFF\xDB", 2));
    ASSERT_GT(tablesAt, 0);
    const qsizetype tablesSize = 2 + (uchar(file[tablesAt + 2]) << 8 | uchar(file[tablesAt + 3]));
    file.insert(qsizetype(structure->scans[1].headerOffset), file.mid(tablesAt, tablesSize));
    ASSERT_TRUE(ReadJpegStructure(ByteSpan(file), ScansToRead::All));
    const WindowCut cut = cutProgressiveWindow(file, QRect(40, 40, 8, 8));
    EXPECT_FALSE(cut.window);
    EXPECT_FALSE(cut.damaged);
}

TEST(ProgressiveWindowCutRefusal, DataCutShortOrBrokenBeforeTheWindowsEndIsDamaged)
{
    const QByteArray file = writtenProgressive({640, 480});
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::All);
    ASSERT_TRUE(structure);
    const JpegScan& last = structure->scans.back();
    const QRect bottom(300, 440, 40, 40);
    const QRect top(300, 20, 40, 40);
    ASSERT_TRUE(cutProgressiveWindow(file, top).window);
    const auto expectDamaged = [](const QByteArray& bytes, const QRect& region, const char* what) {
        const WindowCut cut = cutProgressiveWindow(bytes, region);
        EXPECT_FALSE(cut.window) << what;
        EXPECT_TRUE(cut.damaged) << what;
    };

    expectDamaged(file.left(qsizetype(last.headerOffset)), top, "cut before the last scan");
    // The rows above the cut are whole, the file is not.
    expectDamaged(file.left(qsizetype(last.dataOffset + (last.dataEnd - last.dataOffset) / 2)), top,
                  "cut inside the last scan");

    const JpegScan& first = structure->scans.front();
    const qsizetype middle = qsizetype(first.dataOffset + (first.dataEnd - first.dataOffset) / 2);
    QByteArray withMarker = file;
    withMarker[middle] = char(0xFF);
    withMarker[middle + 1] = char(0xD3);
    expectDamaged(withMarker, bottom, "a marker inside the first scan's data");
    // A run of ones longer than any code of the tables.
    QByteArray undefined = file;
    undefined.replace(middle, 8, QByteArray::fromHex("ff00ff00ff00ff00"));
    expectDamaged(undefined, bottom, "bits that start no code");
}

} // namespace
