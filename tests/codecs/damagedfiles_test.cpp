// Damaged files fail with a message, at open when the header is damaged, at the decode when the data the
// region needs is; damage beyond that data is never read.
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/jpegfiles.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/libpngwritten.h"
#include "tests/support/pictures/patterns.h"
#include "tests/support/pictures/pngfiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>

using namespace testpictures;

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
    const QString name(fileName);
    const QByteArray bytes =
        name.endsWith("progressive.jpg") ? LibjpegWritten(PhotoLikePicture(200, 160), {2, 2, false, true})
        : name.endsWith(".jpg")          ? LibjpegWritten(PhotoLikePicture(200, 160), {2, 2})
        : name.endsWith(".png") ? LibpngWritten(200, 160, {PNG_COLOR_TYPE_RGB, 8, false, false, 0, true})
                                : NoiseBmp(200, 160, {24});
    EXPECT_TRUE(WriteFileBytes(folder + "/intact-" + fileName, bytes));
    return bytes;
}

QByteArray cutAt(QByteArray bytes, double share)
{
    return bytes.left(qsizetype(double(bytes.size()) * share));
}

// Claims 60000x60000 pixels in a file cut soon after its scan header.
QByteArray hugeJpegSize(QByteArray bytes)
{
    bytes = WithJpegFrameSize(bytes, 60000, 60000);
    return bytes.left(bytes.indexOf("\xff\xda") + 200);
}

QByteArray markerInsideScan(QByteArray bytes)
{
    const qsizetype scan = bytes.indexOf("\xff\xda");
    bytes[scan + 300] = char(0xff);
    bytes[scan + 301] = char(0xd9);
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
    ASSERT_TRUE(WriteFileBytes(path, damageCase.damage(intact)));

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
        DamageCase{"pngBadCrcInTheRegionsChunk", "a.png",
                   [](QByteArray b) { return WithBadChunkCrc(b, "IDAT"); }, top, Outcome::FailsAtDecode},
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
