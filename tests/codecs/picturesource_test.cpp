// What PictureSource promises beyond matching Qt's pixels: sizes, region checks, Qt's formats, huge pictures.
#include "probedopen.h"
#include "testpictures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>

namespace {

const QColor background(10, 20, 30);

std::unique_ptr<PictureSource> openOrFail(const QString& path)
{
    QString error;
    std::unique_ptr<PictureSource> source = openProbed(path, error);
    EXPECT_TRUE(source) << error.toStdString();
    return source;
}

TEST(PictureSource, MissingFileFailsAtOpenWithAMessage)
{
    QTemporaryDir folder;
    QString error;
    EXPECT_FALSE(openProbed(folder.filePath("absent.jpg"), error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PictureSource, RegionOutsideThePictureOrEmptyIsRefused)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("small.png");
    writePng(path, 20, 10, {PNG_COLOR_TYPE_RGB, 8});
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    for (const QRect& region :
         {QRect(15, 0, 6, 5), QRect(0, 0, 0, 0), QRect(-1, 0, 5, 5), QRect(0, 9, 5, 2)}) {
        QString error;
        EXPECT_FALSE(source->decodeRegion(region, background, error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(PictureSource, ExifOrientationNeverTurnsTheSize)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("turned.jpg");
    writeJpeg(path, photoContent(64, 24), {2, 2, false, false, 0, false, 6});
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->size(), QSize(64, 24));
}

// Every alpha value over a coloured background: the compositing rounds exactly as QPainter does.
TEST(PictureSource, TransparentPixelsAreDrawnOverTheBackgroundAsQPainterDraws)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("alpha.png");
    QImage picture(256, 64, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgba(y * 4, 255 - y * 4, (x * 7 + y) & 0xff, x));
    }
    ASSERT_TRUE(picture.save(path));
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    QString error;
    const auto crop = source->decodeRegion(picture.rect(), QColor(200, 100, 37), error);
    ASSERT_TRUE(crop) << error.toStdString();
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(path, picture.rect(), QColor(200, 100, 37))), "");
}

// Qt reads 16-bit RGB with a transparent colour misaligned; the transparent colour becomes alpha here.
TEST(PictureSource, Rgb16WithTransparentColourDrawsThatColourAsBackground)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("rgb16.png");
    writePng(path, 30, 20, {PNG_COLOR_TYPE_RGB, 16, false, true});
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    QString error;
    const auto crop = source->decodeRegion(QRect(0, 0, 30, 20), background, error);
    ASSERT_TRUE(crop) << error.toStdString();
    const QString opaquePath = folder.filePath("rgb16-opaque.png");
    writePng(opaquePath, 30, 20, {PNG_COLOR_TYPE_RGB, 16});
    const QImage opaque = referenceCrop(opaquePath, QRect(0, 0, 30, 20), background);
    // Every fifth pixel carries the transparent colour (see writePng).
    for (int i = 0; i < 30 * 20; ++i) {
        const int x = i % 30;
        const int y = i / 30;
        EXPECT_EQ(crop->pixel(x, y), i % 5 == 0 ? background.rgb() : opaque.pixel(x, y)) << x << "," << y;
    }
}

struct QtFormatCase
{
    const char* name;
    const char* fileName;
    QByteArray (*bytes)();
};

// A 50x40 GIF with a 256-colour table and a transparent index. Its LZW data holds only literal 9-bit
// codes, with a clear code before the table would widen the codes.
QByteArray gifBytes()
{
    const int width = 50;
    const int height = 40;
    QByteArray bytes("GIF89a");
    bytes.append(char(width)).append('\0').append(char(height)).append('\0');
    bytes.append(char(0xf7)).append('\0').append('\0');
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i)).append(char(255 - i)).append(char(i * 7));
    bytes.append(QByteArray::fromHex("21f904010000030021"));
    bytes.chop(1);
    bytes.append(QByteArray::fromHex("2c000000003200280000"));
    bytes.append(char(8));
    QByteArray codes;
    quint32 pending = 0;
    int pendingBits = 0;
    auto put = [&](int code) {
        pending |= quint32(code) << pendingBits;
        pendingBits += 9;
        while (pendingBits >= 8) {
            codes.append(char(pending & 0xff));
            pending >>= 8;
            pendingBits -= 8;
        }
    };
    for (int i = 0; i < width * height; ++i) {
        if (i % 250 == 0)
            put(256);
        put((i * 37 + i / width) % 256);
    }
    put(257);
    if (pendingBits > 0)
        codes.append(char(pending & 0xff));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        bytes.append(char(block.size())).append(block);
    }
    bytes.append('\0').append(';');
    return bytes;
}

QByteArray cmykJpegBytes()
{
    QTemporaryDir folder;
    writeJpeg(folder.filePath("cmyk.jpg"), photoContent(50, 40), {1, 1, false, false, 0, true});
    return readBytes(folder.filePath("cmyk.jpg"));
}

// A 4x2 8-bit RLE bitmap: runs, an absolute run and the end-of-line and end-of-bitmap codes.
QByteArray rleBmpBytes()
{
    QByteArray bytes = bmpBytes(4, 2, {8, false, 4});
    bytes[30] = 1;
    bytes.truncate(14 + 40 + 16);
    bytes.append(QByteArray::fromHex("0201020200000004000102030000"
                                     "0001"));
    return bytes;
}

class QtFormat : public testing::TestWithParam<QtFormatCase>
{
};

TEST_P(QtFormat, DecodesThroughQtsReader)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(GetParam().fileName);
    writeBytes(path, GetParam().bytes());
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    const QRect region(1, 1, source->size().width() - 2, source->size().height() - 1);
    QString error;
    const auto crop = source->decodeRegion(region, background, error);
    ASSERT_TRUE(crop) << error.toStdString();
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(path, region, background)), "");
}

INSTANTIATE_TEST_SUITE_P(Formats, QtFormat,
                         testing::Values(QtFormatCase{"indexedWithTransparency", "a.gif", gifBytes},
                                         QtFormatCase{"cmykJpeg", "a.jpg", cmykJpegBytes},
                                         QtFormatCase{"rleBmp", "a.bmp", rleBmpBytes}),
                         [](const auto& info) { return std::string(info.param.name); });

// A 20000x20000 greyscale JPEG built by hand: every 8x8 block is flat mid-grey (DC difference 0, then
// end of block), 6 bits a block with the standard tables. A full decode needs 400 MB; the region decode
// needs a few rows.
QByteArray hugeFlatJpeg()
{
    QByteArray bytes =
        QByteArray::fromHex("ffd8"
                            "ffdb004300" +
                            QByteArray(64, '\x01').toHex() +
                            "ffc0000b08"
                            "4e20"
                            "4e20"
                            "01011100"
                            "ffc4001f00"
                            "00010501010101010100000000000000"
                            "000102030405060708090a0b"
                            "ffc400b510"
                            "0002010303020403050504040000017d"
                            "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282"
                            "090a161718191a25262728292a3435363738393a434445464748494a535455565758595a"
                            "636465666768696a737475767778797a838485868788898a92939495969798999aa2a3a4"
                            "a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3"
                            "e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9fa"
                            "ffda0008010100003f00");
    // Four blocks of "00" (DC 0) and "1010" (end of block) fill three bytes.
    const qsizetype blocks = qsizetype(20000 / 8) * (20000 / 8);
    bytes.append(QByteArray::fromHex("28a28a").repeated(blocks / 4));
    bytes.append(QByteArray::fromHex("ffd9"));
    return bytes;
}

TEST(PictureSource, HugeJpegRegionDecodesWithoutAWholePictureBuffer)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("huge.jpg");
    writeBytes(path, hugeFlatJpeg());
    const auto source = openOrFail(path);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->size(), QSize(20000, 20000));
    QString error;
    const auto crop = source->decodeRegion(QRect(9760, 9680, 480, 640), background, error);
    ASSERT_TRUE(crop) << error.toStdString();
    QImage grey(480, 640, QImage::Format_RGB888);
    grey.fill(QColor(128, 128, 128));
    EXPECT_EQ(differenceBetween(*crop, grey), "");
}

} // namespace
