// Damaged files fail with a message, at open when the header is damaged, at the decode when the data the
// region needs is; damage beyond that data is never read.
#include "probedopen.h"
#include "testpictures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>

namespace {

const QColor background(255, 255, 255);

enum class Outcome { FailsAtOpen, FailsAtDecode, DecodesAsIntact };

struct DamageCase
{
    const char* name;
    const char* fileName;
    // Damages the intact file's bytes.
    QByteArray (*damage)(QByteArray);
    QRect region;
    Outcome outcome;
};

QByteArray intactFile(const QString& folder, const char* fileName)
{
    const QString path = folder + "/intact-" + fileName;
    const QString name(fileName);
    if (name.endsWith("progressive.jpg"))
        writeJpeg(path, photoContent(200, 160), {2, 2, false, true});
    else if (name.endsWith(".jpg"))
        writeJpeg(path, photoContent(200, 160), {2, 2});
    else if (name.endsWith(".png"))
        writePng(path, 200, 160, {PNG_COLOR_TYPE_RGB, 8, false, false, 0, true});
    else
        writeBytes(path, bmpBytes(200, 160, {24}));
    return readBytes(path);
}

QByteArray cutAt(QByteArray bytes, double share)
{
    return bytes.left(qsizetype(double(bytes.size()) * share));
}

// Sets the JPEG frame's claimed size to 60000x60000.
QByteArray hugeJpegSize(QByteArray bytes)
{
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    for (int i : {5, 7}) {
        bytes[frame + i] = char(0xea);
        bytes[frame + i + 1] = char(0x60);
    }
    return bytes.left(bytes.indexOf("\xff\xda") + 200);
}

QByteArray markerInsideScan(QByteArray bytes)
{
    const qsizetype scan = bytes.indexOf("\xff\xda");
    bytes[scan + 300] = char(0xff);
    bytes[scan + 301] = char(0xd9);
    return bytes;
}

// Flips a byte of the first IDAT chunk's CRC.
QByteArray badIdatCrc(QByteArray bytes)
{
    const qsizetype chunk = bytes.indexOf("IDAT") - 4;
    const auto length = qsizetype(quint8(bytes[chunk]) << 24 | quint8(bytes[chunk + 1]) << 16 |
                                  quint8(bytes[chunk + 2]) << 8 | quint8(bytes[chunk + 3]));
    bytes[chunk + 8 + length] = char(bytes[chunk + 8 + length] ^ 0x5a);
    return bytes;
}

QByteArray badHeaderCrc(QByteArray bytes)
{
    bytes[29] = char(bytes[29] ^ 0x01);
    return bytes;
}

// Claims 2^31-1 pixels a row: the row size must not wrap.
QByteArray hugeBmpWidth(QByteArray bytes)
{
    for (int i = 18; i < 22; ++i)
        bytes[i] = char(i == 21 ? 0x7f : 0xff);
    return bytes;
}

QByteArray oversizedColourTable(QByteArray bytes)
{
    bytes[28] = 8;
    bytes[46] = 0x01;
    bytes[47] = 0x01;
    return bytes;
}

const QRect top(40, 0, 30, 20);
const QRect bottom(40, 140, 30, 20);

class DamagedFile : public testing::TestWithParam<DamageCase>
{
};

TEST_P(DamagedFile, FailsCleanlyWithAMessage)
{
    QTemporaryDir folder;
    const DamageCase& damageCase = GetParam();
    const QString path = folder.filePath(damageCase.fileName);
    const QByteArray intact = intactFile(folder.path(), damageCase.fileName);
    writeBytes(path, damageCase.damage(intact));

    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    if (damageCase.outcome == Outcome::FailsAtOpen) {
        EXPECT_FALSE(source);
        EXPECT_FALSE(error.isEmpty());
        return;
    }
    ASSERT_TRUE(source) << error.toStdString();
    const std::optional<QImage> crop = source->decodeRegion(damageCase.region, background, error);
    if (damageCase.outcome == Outcome::FailsAtDecode) {
        EXPECT_FALSE(crop);
        EXPECT_FALSE(error.isEmpty());
        return;
    }
    ASSERT_TRUE(crop) << error.toStdString();
    const QString intactPath = folder.path() + "/intact-" + damageCase.fileName;
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(intactPath, damageCase.region, background)), "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    testing::Values(
        DamageCase{"jpegCutInHeader", "a.jpg", [](QByteArray b) { return b.left(100); }, top,
                   Outcome::FailsAtOpen},
        DamageCase{"jpegCutInPixelData", "a.jpg", [](QByteArray b) { return cutAt(b, 0.6); }, bottom,
                   Outcome::FailsAtDecode},
        DamageCase{"jpegCutAfterTheRegionsRows", "a.jpg", [](QByteArray b) { return cutAt(b, 0.6); }, top,
                   Outcome::DecodesAsIntact},
        DamageCase{"jpegProgressiveCutShort", "a-progressive.jpg", [](QByteArray b) { return cutAt(b, 0.9); },
                   top, Outcome::FailsAtDecode},
        DamageCase{"jpegHugeSizeInTinyFile", "a.jpg", hugeJpegSize, QRect(30000, 30000, 480, 640),
                   Outcome::FailsAtDecode},
        DamageCase{"jpegMarkerInsideScan", "a.jpg", markerInsideScan, bottom, Outcome::FailsAtDecode},
        DamageCase{"pngCutInHeader", "a.png", [](QByteArray b) { return b.left(30); }, top,
                   Outcome::FailsAtOpen},
        DamageCase{"pngBadHeaderCrc", "a.png", badHeaderCrc, top, Outcome::FailsAtOpen},
        DamageCase{"pngBadCrcInTheRegionsChunk", "a.png", badIdatCrc, top, Outcome::FailsAtDecode},
        DamageCase{"pngCutInPixelData", "a.png", [](QByteArray b) { return cutAt(b, 0.5); }, bottom,
                   Outcome::FailsAtDecode},
        DamageCase{"pngCutAfterTheRegionsChunk", "a.png", [](QByteArray b) { return cutAt(b, 0.5); }, top,
                   Outcome::DecodesAsIntact},
        DamageCase{"bmpCutInHeader", "a.bmp", [](QByteArray b) { return b.left(20); }, top,
                   Outcome::FailsAtOpen},
        DamageCase{"bmpCutInPixelData", "a.bmp", [](QByteArray b) { return cutAt(b, 0.9); }, top,
                   Outcome::FailsAtOpen},
        DamageCase{"bmpHugeWidthInTinyFile", "a.bmp", hugeBmpWidth, top, Outcome::FailsAtOpen},
        DamageCase{"bmpColourTableBeyond256", "a.bmp", oversizedColourTable, top, Outcome::FailsAtOpen},
        DamageCase{"emptyFile", "a.png", [](QByteArray) { return QByteArray(); }, top, Outcome::FailsAtOpen},
        DamageCase{"textFile", "a.png", [](QByteArray) { return QByteArray("not a picture at all\n"); }, top,
                   Outcome::FailsAtOpen}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
