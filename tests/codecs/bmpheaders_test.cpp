// Bitmap header rules, each picture built byte by byte and checked against Qt's full decode: the smallest
// files the 40-byte header allows, and the alpha channel that headers of version 4 and 5 name.
#include "codecs/bmp/bmpmessages.h"
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/filebytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace testpictures;

namespace {

const QColor background(90, 160, 30);

QByteArray noiseRows(int width, int height, int bitsPerPixel, unsigned seed)
{
    std::mt19937 noise(seed);
    QByteArray rows(qsizetype(BmpRowBytes(width, bitsPerPixel)) * height, '\0');
    for (char& byte : rows)
        byte = char(noise() & 0xff);
    return rows;
}

// Opens the file as a drop does and expects the whole picture to be Qt's full decode.
void expectWholePictureMatchesQt(const QString& path, const QByteArray& bytes, QSize size)
{
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    ASSERT_EQ(source->size(), size);
    const QRect whole(QPoint(0, 0), size);
    const std::optional<QImage> pixels = source->decodeRegion(whole, background, error);
    ASSERT_TRUE(pixels) << error.toStdString();
    EXPECT_EQ(differenceBetween(*pixels, referenceCrop(path, whole, background)), "");
}

struct TinyCase
{
    int width;
    int height;
    int bitsPerPixel;
};

class TinyBitmap : public testing::TestWithParam<TinyCase>
{
};

// A 40-byte header is followed by bit masks only under bit-field compression: a file that ends after a
// pixel row or two is whole.
TEST_P(TinyBitmap, WithA40ByteHeaderIsWhole)
{
    const TinyCase& tiny = GetParam();
    BmpLayout layout;
    layout.width = quint32(tiny.width);
    layout.height = quint32(tiny.height);
    layout.bitsPerPixel = quint16(tiny.bitsPerPixel);
    if (tiny.bitsPerPixel == 1)
        layout.colourTable = {qRgb(20, 40, 60), qRgb(250, 200, 150)};
    const QByteArray bytes =
        BmpFile(layout, noiseRows(tiny.width, tiny.height, tiny.bitsPerPixel, unsigned(tiny.bitsPerPixel)));
    QTemporaryDir folder;
    expectWholePictureMatchesQt(folder.filePath("tiny.bmp"), bytes, QSize(tiny.width, tiny.height));
}

INSTANTIATE_TEST_SUITE_P(Sizes, TinyBitmap, testing::ValuesIn([] {
                             std::vector<TinyCase> cases;
                             for (const int bits : {1, 16, 24, 32}) {
                                 for (const QSize size : {QSize(1, 1), QSize(2, 1), QSize(1, 2), QSize(2, 2)})
                                     cases.push_back({size.width(), size.height(), bits});
                             }
                             return cases;
                         }()),
                         [](const auto& info) {
                             return "bits" + std::to_string(info.param.bitsPerPixel) + "_" +
                                    std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

TEST(TinyBitmap, IsSmallerThanAHeaderWithMasks)
{
    EXPECT_LT(BmpFile({}, noiseRows(1, 1, 24, 1)).size(), 14 + 40 + 12);
}

struct AlphaCase
{
    const char* name;
    quint32 headerBytes;
    quint16 bitsPerPixel;
    quint32 alphaMask;
};

class UncompressedWithAlphaMask : public testing::TestWithParam<AlphaCase>
{
};

// Qt's reader keeps the top byte of an uncompressed 32-bit pixel as alpha when the header names exactly
// that byte; other masks, and other depths, stay opaque.
TEST_P(UncompressedWithAlphaMask, KeepsTheAlphaQtKeeps)
{
    const AlphaCase& alpha = GetParam();
    BmpLayout layout;
    layout.width = 13;
    layout.height = 7;
    layout.bitsPerPixel = alpha.bitsPerPixel;
    layout.infoHeaderBytes = alpha.headerBytes;
    layout.masks = {0x00ff0000, 0x0000ff00, 0x000000ff, alpha.alphaMask};
    const QByteArray bytes = BmpFile(layout, noiseRows(13, 7, alpha.bitsPerPixel, alpha.alphaMask));
    QTemporaryDir folder;
    expectWholePictureMatchesQt(folder.filePath("alpha.bmp"), bytes, QSize(13, 7));
}

INSTANTIATE_TEST_SUITE_P(Headers, UncompressedWithAlphaMask,
                         testing::Values(AlphaCase{"version4TopByte", 108, 32, 0xff000000},
                                         AlphaCase{"version5TopByte", 124, 32, 0xff000000},
                                         AlphaCase{"version4PartOfTopByte", 108, 32, 0x0f000000},
                                         AlphaCase{"version5LowByte", 124, 32, 0x000000ff},
                                         AlphaCase{"version4NoMask", 108, 32, 0},
                                         AlphaCase{"version4TwentyFourBits", 108, 24, 0xff000000}),
                         [](const auto& info) { return std::string(info.param.name); });

// OS/2's 64-byte header holds the 40-byte header's fields first; its bitmaps are stored as those are,
// top-down ones included. A top-down bitmap left to Qt's reader, whose size Qt gives with the height as
// stored, opens too.
TEST(Os2AndTopDownBitmaps, MatchQtsFullDecode)
{
    QTemporaryDir folder;
    for (const bool topDown : {false, true}) {
        for (const quint16 bits : {quint16(8), quint16(24)}) {
            BmpLayout layout;
            layout.width = 11;
            layout.height = quint32(topDown ? -6 : 6);
            layout.bitsPerPixel = bits;
            layout.infoHeaderBytes = 64;
            if (bits == 8) {
                for (int i = 0; i < 256; ++i)
                    layout.colourTable.append(qRgb(i, 255 - i, i * 3 % 256));
            }
            expectWholePictureMatchesQt(folder.filePath("os2.bmp"),
                                        BmpFile(layout, noiseRows(11, 6, bits, bits)), QSize(11, 6));
        }
    }
    // A version 5 header whose reserved field is not 0 is left to Qt.
    BmpLayout leftToQt;
    leftToQt.width = 9;
    leftToQt.height = quint32(-4);
    leftToQt.infoHeaderBytes = 124;
    QByteArray bytes = BmpFile(leftToQt, noiseRows(9, 4, 24, 7));
    bytes[14 + 120] = 1;
    expectWholePictureMatchesQt(folder.filePath("reserved.bmp"), bytes, QSize(9, 4));
}

// Run-length rows are stored bottom-up only: a top-down run-length bitmap is refused, as Windows refuses it.
TEST(RunLengthBitmap, StoredTopDownIsRefused)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("topdown-rle.bmp");
    BmpLayout layout;
    layout.width = 4;
    layout.height = quint32(-2);
    layout.bitsPerPixel = 8;
    layout.compression = BmpRle8;
    layout.colourTable = {qRgb(255, 0, 0), qRgb(0, 0, 255)};
    layout.coloursUsed = 2;
    ASSERT_TRUE(WriteFileBytes(path, BmpFile(layout, BmpRuns(8, 4, 2, 4, [](int, int row) { return row; }))));
    QString error;
    EXPECT_FALSE(openProbed(path, error));
    EXPECT_EQ(error.toStdString(), BmpMessages::RunLengthTopDown().toStdString());
}

} // namespace
