// Windows cut out of pictures written by libjpeg: Qt's decode of a window holds the region's pixels of Qt's
// full decode, whichever way the walk is shared between threads.
#include "tests/codecs/jpeg/windowcuts.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

const QColor background(23, 140, 201);

QByteArray writtenJpeg(QTemporaryDir& folder, QSize size, const JpegVariant& variant)
{
    const QByteArray bytes = LibjpegWritten(PhotoLikePicture(size.width(), size.height()), variant);
    EXPECT_TRUE(WriteFileBytes(folder.filePath("picture.jpg"), bytes));
    return bytes;
}

class JpegWindowCut : public testing::TestWithParam<WindowCase>
{
};

TEST_P(JpegWindowCut, HoldsTheRegionsPixelsOfTheFullDecode)
{
    QTemporaryDir folder;
    writtenJpeg(folder, GetParam().size, GetParam().variant);
    expectWindowsHoldTheFullDecodesPixels(
        folder.filePath("picture.jpg"), GetParam().size,
        [](const QByteArray& file, const QRect& region) { return cutBaselineWindow(file, region); });
}

INSTANTIATE_TEST_SUITE_P(Sampling, JpegWindowCut,
                         testing::Values(WindowCase{"sampling420", {301, 203}, {2, 2}},
                                         WindowCase{"sampling422", {301, 203}, {2, 1}},
                                         WindowCase{"sampling444", {301, 203}, {1, 1}},
                                         WindowCase{"sampling440", {130, 77}, {1, 2}},
                                         WindowCase{"sampling411", {301, 203}, {4, 1}},
                                         WindowCase{"grey", {301, 203}, {1, 1, true}},
                                         WindowCase{"smallerThanAnMcu", {5, 3}, {2, 2}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Regions whose edges fall on every pixel from two before to two after an MCU's edge, for the samplings
// whose smoothed upsampling reads neighbouring chroma samples.
TEST(JpegWindowCut, RegionsAtEveryPlaceAroundMcuEdges)
{
    for (const JpegVariant& variant : {JpegVariant{2, 2}, JpegVariant{2, 1}, JpegVariant{1, 2}}) {
        QTemporaryDir folder;
        const QSize size(100, 70);
        const QByteArray file = writtenJpeg(folder, size, variant);
        for (int first = 13; first <= 19; ++first) {
            for (int last = 29; last <= 35; ++last) {
                // Columns and rows take the offsets crosswise, so every pairing of edges turns up.
                const QRect region(QPoint(first, 13 + last - 29), QPoint(last, 29 + first - 13));
                const std::optional<JpegWindow> window = cutBaselineWindow(file, region).window;
                ASSERT_TRUE(window);
                EXPECT_EQ(
                    differenceBetween(regionOfWindow(*window, region),
                                      referenceCrop(folder.filePath("picture.jpg"), region, background)),
                    "")
                    << variant.lumaH << "x" << variant.lumaV << " region " << region.x() << "," << region.y()
                    << " to " << region.right() << "," << region.bottom();
            }
        }
    }
}

// The picture's last MCU column two to four pixels wide, its chroma one or two samples wide: libjpeg
// upsamples so narrow a component without smoothing, so a window of that column alone would not hold the
// full decode's pixels. Baseline and progressive windows alike.
TEST(JpegWindowCut, RegionsInANarrowLastMcuColumn)
{
    for (const int width : {18, 19, 20}) {
        for (const JpegVariant variant :
             {JpegVariant{2, 1}, JpegVariant{2, 2}, JpegVariant{2, 2, false, true}}) {
            QTemporaryDir folder;
            const QSize size(width, 40);
            const QByteArray file = writtenJpeg(folder, size, variant);
            const WindowCutter cut = variant.progressive ? cutProgressiveWindow
                                                         : [](const QByteArray& bytes, const QRect& region) {
                                                               return cutBaselineWindow(bytes, region);
                                                           };
            for (const QRect& region : {QRect(width - 1, 3, 1, 5), QRect(width - 2, 0, 2, 40)}) {
                const std::optional<JpegWindow> window = cut(file, region).window;
                ASSERT_TRUE(window);
                EXPECT_EQ(
                    differenceBetween(regionOfWindow(*window, region),
                                      referenceCrop(folder.filePath("picture.jpg"), region, background)),
                    "")
                    << width << " wide, " << variant.lumaH << "x" << variant.lumaV
                    << (variant.progressive ? " progressive" : "") << ", region at " << region.x();
            }
        }
    }
}

TEST(JpegWindowCut, SharingTheWalkGivesTheSameWindow)
{
    QTemporaryDir folder;
    const QByteArray file = writtenJpeg(folder, {640, 1200}, {2, 2});
    const QRect region(200, 700, 120, 160);
    const WindowCutSharing alone{std::int64_t(1) << 40, 0.5};
    const std::optional<JpegWindow> walkedAlone = cutBaselineWindow(file, region, alone).window;
    ASSERT_TRUE(walkedAlone);
    EXPECT_EQ(differenceBetween(regionOfWindow(*walkedAlone, region),
                                referenceCrop(folder.filePath("picture.jpg"), region, background)),
              "");
    // The second thread starts anywhere from near the data's start to past the picture's end; some of these
    // starts meet bits that start no code before they fall into step, and start again further on.
    std::vector<double> shares = {0.001, 1.1, 5.0};
    for (int percent = 2; percent < 100; percent += 2)
        shares.push_back(percent / 100.0);
    for (const double share : shares) {
        const std::optional<JpegWindow> shared = cutBaselineWindow(file, region, {0, share}).window;
        ASSERT_TRUE(shared) << share;
        EXPECT_EQ(shared->file, walkedAlone->file) << share;
    }
}

TEST(JpegWindowCut, RefusesPicturesItCannotWalk)
{
    QTemporaryDir folder;
    const QSize size(96, 64);
    for (const JpegVariant& variant : {JpegVariant{2, 2, false, true}, JpegVariant{2, 2, false, false, 2}}) {
        const QByteArray file = writtenJpeg(folder, size, variant);
        const WindowCut cut = cutBaselineWindow(file, QRect(40, 40, 8, 8));
        EXPECT_FALSE(cut.window);
        EXPECT_FALSE(cut.damaged);
    }
}

TEST(JpegWindowCut, RefusesRegionsOutsideThePicture)
{
    QTemporaryDir folder;
    const QByteArray file = writtenJpeg(folder, {96, 64}, {2, 2});
    for (const QRect& region : {QRect(-1, 0, 8, 8), QRect(0, -1, 8, 8), QRect(90, 0, 7, 8),
                                QRect(0, 60, 8, 5), QRect(0, 0, 0, 8), QRect(0, 0, 8, 0)}) {
        const WindowCut cut = cutBaselineWindow(file, region);
        EXPECT_FALSE(cut.window);
        EXPECT_FALSE(cut.damaged);
    }
}

TEST(JpegWindowCut, DataCutShortOrBrokenBeforeTheWindowsEndIsDamaged)
{
    QTemporaryDir folder;
    const QByteArray file = writtenJpeg(folder, {640, 1200}, {2, 2});
    const QRect region(200, 500, 120, 160);
    const std::optional<JpegWindow> whole = cutBaselineWindow(file, region).window;
    ASSERT_TRUE(whole);
    const qsizetype middle = file.size() / 2;
    for (const WindowCutSharing& sharing :
         {WindowCutSharing{std::int64_t(1) << 40, 0.5}, WindowCutSharing{0, 0.3}}) {
        const WindowCut cutShort = cutBaselineWindow(file.left(middle), region, sharing);
        EXPECT_FALSE(cutShort.window);
        EXPECT_TRUE(cutShort.damaged);
        // A marker inside the data, where no marker may stand.
        QByteArray withMarker = file;
        withMarker[middle / 2] = char(0xFF);
        withMarker[middle / 2 + 1] = char(0xD3);
        const WindowCut marked = cutBaselineWindow(withMarker, region, sharing);
        EXPECT_FALSE(marked.window);
        EXPECT_TRUE(marked.damaged);
        // Bits that start no code: a run of ones longer than any code of the standard tables.
        QByteArray undefined = file;
        undefined.replace(middle / 2, 8, QByteArray::fromHex("ff00ff00ff00ff00"));
        const WindowCut broken = cutBaselineWindow(undefined, region, sharing);
        EXPECT_FALSE(broken.window);
        EXPECT_TRUE(broken.damaged);
        // What lies past the window's last MCU is never read.
        const QByteArray endCut = file.left(file.size() - file.size() / 5);
        const std::optional<JpegWindow> window = cutBaselineWindow(endCut, region, sharing).window;
        ASSERT_TRUE(window);
        EXPECT_EQ(window->file, whole->file);
    }
}

} // namespace
