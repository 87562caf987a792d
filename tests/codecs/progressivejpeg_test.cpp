// Progressive pictures that no window stands for, which libjpeg reads whole: scans that stop before every
// coefficient has its last bit (a decoder smooths their blocks from the blocks around them, so a crop must
// see the same neighbours as the whole picture), and samplings whose MCU holds more blocks than one
// interleaved scan may. Each picture is written by libjpeg with a scan script of the test's, and crops
// across its first block columns and rows are checked against Qt's full decode.
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace testpictures;

namespace {

using ScanScript = std::vector<JpegScanStep>;

// Every component's DC, then each AC band sent whole: the last scans below take bits away from it.
ScanScript wholeScript(int components)
{
    ScanScript script;
    for (int component = 0; component < components; ++component)
        script.push_back({{component}, 0, 0, 0, 0});
    for (int component = 0; component < components; ++component)
        script.push_back({{component}, 1, 63, 0, 0});
    return script;
}

// The AC scan of `component` sends all but its lowest `bitsShort` bits, which never follow.
ScanScript withAcShort(ScanScript script, int component, int bitsShort)
{
    for (JpegScanStep& step : script) {
        if (step.spectralStart > 0 && step.components.front() == component)
            step.approximationLow = bitsShort;
    }
    return script;
}

// The AC band of `component` is never sent.
ScanScript withoutAc(ScanScript script, int component)
{
    std::erase_if(script, [component](const JpegScanStep& step) {
        return step.spectralStart > 0 && step.components.front() == component;
    });
    return script;
}

// DC sent without its lowest bit.
ScanScript withDcShort(ScanScript script)
{
    for (JpegScanStep& step : script) {
        if (step.spectralStart == 0)
            step.approximationLow = 1;
    }
    return script;
}

struct ScriptCase
{
    const char* name;
    ScanScript script;
    int lumaH, lumaV;
    bool grey = false;
    bool arithmetic = false;
};

class ReadWhole : public testing::TestWithParam<ScriptCase>
{
};

TEST_P(ReadWhole, CropsMatchTheFullDecodeWhereverTheyLie)
{
    const ScriptCase& scriptCase = GetParam();
    JpegVariant variant;
    variant.lumaH = scriptCase.lumaH;
    variant.lumaV = scriptCase.lumaV;
    variant.grey = scriptCase.grey;
    variant.progressive = true;
    variant.arithmetic = scriptCase.arithmetic;
    const QSize size(203, 141);
    QTemporaryDir folder;
    const QString path = folder.filePath("progressive.jpg");
    ASSERT_TRUE(WriteFileBytes(
        path, LibjpegWritten(PhotoLikePicture(size.width(), size.height()), variant, scriptCase.script)));
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    const QColor background(0, 0, 0);
    QList<QRect> regions = probeRegions(size);
    // Every start column and row across the first three MCUs of the largest sampling.
    for (int at = 0; at < 3 * 32; at += 3) {
        regions.append(QRect(at, 50, 11, 9));
        regions.append(QRect(70, at, 9, 11));
    }
    for (const QRect& region : regions) {
        const std::optional<QImage> crop = source->decodeRegion(region, background, error);
        ASSERT_TRUE(crop) << error.toStdString();
        EXPECT_EQ(differenceBetween(*crop, referenceCrop(path, region, background)), "")
            << "region " << region.x() << "," << region.y() << " " << region.width() << "x"
            << region.height();
    }
}

INSTANTIATE_TEST_SUITE_P(
    ShortOfFullPrecision, ReadWhole,
    testing::Values(
        ScriptCase{"lumaOneBitShort420", withAcShort(wholeScript(3), 0, 1), 2, 2},
        ScriptCase{"chromaTwoBitsShort420", withAcShort(wholeScript(3), 2, 2), 2, 2},
        ScriptCase{"bothShort422", withAcShort(withAcShort(wholeScript(3), 0, 1), 1, 1), 2, 1},
        ScriptCase{"chromaWithoutAc444", withoutAc(wholeScript(3), 1), 1, 1},
        ScriptCase{"lumaWithoutAc411", withoutAc(wholeScript(3), 0), 4, 1},
        ScriptCase{"dcShort420", withDcShort(wholeScript(3)), 2, 2},
        ScriptCase{"greyOneBitShort", withAcShort(wholeScript(1), 0, 1), 1, 1, true},
        ScriptCase{"lumaShortArithmetic420", withAcShort(wholeScript(3), 0, 1), 2, 2, false, true},
        ScriptCase{"chromaShortArithmetic444", withAcShort(wholeScript(3), 1, 3), 1, 1, false, true},
        ScriptCase{"lumaShort4x4", withAcShort(wholeScript(3), 0, 2), 4, 4}),
    [](const auto& info) { return std::string(info.param.name); });

// Luma sampled 4x4 and chroma 1x1 make MCUs of 18 blocks: no scan of this script holds more than 16, and a
// full decode reads it, but a window of one interleaved scan could not.
INSTANTIATE_TEST_SUITE_P(TooManyBlocksForOneScan, ReadWhole,
                         testing::Values(ScriptCase{"luma4x4", wholeScript(3), 4, 4},
                                         ScriptCase{"luma4x3", wholeScript(3), 4, 3},
                                         ScriptCase{"luma4x4Arithmetic", wholeScript(3), 4, 4, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
