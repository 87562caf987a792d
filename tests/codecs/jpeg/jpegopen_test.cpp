// Opening a JPEG. Where our reading of the header stands for libjpeg's, the picture opens as libjpeg's
// reading would have it: every header, damaged ones too, opens or fails as libjpeg says, with its message.
// Four-component pictures are decoded as Qt's reader decodes them, within the budget of whole decodes.
#include "codecs/jpeg/jpegpicturesource.h"
#include "codecs/jpeg/libjpegdecoder.h"
#include "codecs/jpeg/libjpegheader.h"
#include "codecs/jpeg/stream/jpegstructure.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"
#include "tests/support/pictures/qtwritten.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

using namespace testpictures;

namespace {

QByteArray writtenJpeg(const JpegVariant& variant)
{
    return LibjpegWritten(PhotoLikePicture(61, 43), variant);
}

QByteArray qtWrittenJpeg()
{
    return QtWritten(PhotoLikePicture(61, 43), "jpg");
}

struct PlainPicture
{
    const char* name;
    QByteArray (*bytes)();
};

const PlainPicture plainPictures[] = {
    {"baseline420",
     [] {
         return writtenJpeg({2, 2});
     }},
    {"grey",
     [] {
         return writtenJpeg({1, 1, true});
     }},
    {"progressive",
     [] {
         return writtenJpeg({2, 2, false, true});
     }},
    {"restartMarkersAndExif",
     [] {
         return writtenJpeg({2, 1, false, false, 3, false, 6});
     }},
    {"cmyk",
     [] {
         return writtenJpeg({1, 1, false, false, 0, true});
     }},
    {"cmykProgressive",
     [] {
         return writtenJpeg({1, 1, false, true, 0, true});
     }},
    {"writtenByQt", qtWrittenJpeg},
};

// What opening a JPEG's bytes gives.
struct Opened
{
    bool opened = false;
    QString error;
    QSize size;

    bool operator==(const Opened&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Opened& opened)
{
    if (!opened.opened)
        return out << "refused: " << opened.error.toStdString();
    return out << opened.size.width() << "x" << opened.size.height();
}

Opened openedByUs(const QByteArray& bytes)
{
    QString error;
    const FileBytes file(bytes.begin(), bytes.end());
    const std::unique_ptr<PictureSource> source = openJpegPicture(QStringLiteral("unread.jpg"), file, error);
    if (!source)
        return {false, error, {}};
    return {true, {}, source->size()};
}

// What libjpeg's reading of the whole file's header says: how every JPEG was opened before our reading
// could stand for it.
Opened openedByLibjpeg(const QByteArray& bytes)
{
    LibjpegDecoder decoder(ByteSpan(bytes));
    QString error;
    if (!decoder.readHeader(error))
        return {false, error, {}};
    return {true, {}, decoder.pictureSize()};
}

bool readsAlike(const QByteArray& bytes)
{
    JpegStructureReader reader(ByteSpan(bytes));
    return reader.readToFirstScan() && LibjpegReadsHeaderAlike(ByteSpan(bytes), reader.structure());
}

TEST(JpegOpen, HeadersOfUsualPicturesAreReadOnceWithLibjpegsResult)
{
    for (const PlainPicture& picture : plainPictures) {
        const QByteArray bytes = picture.bytes();
        EXPECT_TRUE(readsAlike(bytes)) << picture.name;
        EXPECT_EQ(openedByUs(bytes), openedByLibjpeg(bytes)) << picture.name;
    }
}

// Every byte of each header, up to a little into the first scan's data, set to values that make other
// markers, lengths, counts, table slots and sampling factors; and the header cut short at every byte (an
// empty file is no JPEG the size probe hands on).
TEST(JpegOpen, EveryDamagedHeaderOpensAsLibjpegReadsIt)
{
    const std::uint8_t values[] = {0x00, 0x01, 0x03, 0x05, 0x0C, 0x11, 0x41, 0xC0, 0xC2,
                                   0xC3, 0xC9, 0xD0, 0xD8, 0xDA, 0xDD, 0xF0, 0xFF};
    int readAlike = 0;
    int refused = 0;
    const auto expectAlike = [&](const QByteArray& bytes, const char* name, qsizetype offset) {
        const Opened expected = openedByLibjpeg(bytes);
        EXPECT_EQ(openedByUs(bytes), expected) << name << " at " << offset;
        readAlike += readsAlike(bytes) ? 1 : 0;
        refused += expected.opened ? 0 : 1;
    };
    for (const PlainPicture& picture : plainPictures) {
        const QByteArray whole = picture.bytes();
        const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(whole), ScansToRead::First);
        ASSERT_TRUE(structure) << picture.name;
        const auto headerEnd = qsizetype(structure->scans.front().dataOffset) + 4;
        for (qsizetype offset = 0; offset < headerEnd; ++offset) {
            for (const std::uint8_t value : values) {
                if (std::uint8_t(whole[offset]) == value)
                    continue;
                QByteArray changed = whole;
                changed[offset] = char(value);
                expectAlike(changed, picture.name, offset);
            }
            if (offset > 0)
                expectAlike(whole.left(offset), picture.name, offset);
        }
    }
    // Both ways of opening were taken many times.
    EXPECT_GT(readAlike, 1000);
    EXPECT_GT(refused, 1000);
}

struct FourComponentCase
{
    const char* name;
    JpegVariant variant;
};

class FourComponents : public testing::TestWithParam<FourComponentCase>
{
};

// CMYK and YCCK pictures are ours: crops match Qt's full decode, whether a window is cut or libjpeg reads
// the picture whole.
TEST_P(FourComponents, CropsMatchQtsFullDecode)
{
    const QByteArray bytes = writtenJpeg(GetParam().variant);
    QTemporaryDir folder;
    const QString path = folder.filePath("cmyk.jpg");
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    QString error;
    const std::unique_ptr<PictureSource> source =
        openJpegPicture(path, FileBytes(bytes.begin(), bytes.end()), error);
    ASSERT_TRUE(source) << error.toStdString();
    const QImage whole = QImage(path).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(whole.size(), source->size());
    for (const QRect& region : {QRect(3, 5, 40, 30), QRect(0, 0, 61, 43), QRect(60, 42, 1, 1)}) {
        const std::optional<QImage> crop = source->decodeRegion(region, Qt::black, error);
        ASSERT_TRUE(crop) << error.toStdString();
        EXPECT_EQ(*crop, whole.copy(region)) << region.x() << "," << region.y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, FourComponents,
    testing::Values(FourComponentCase{"cmyk", {1, 1, false, false, 0, true}},
                    FourComponentCase{"cmykLuma2x2", {2, 2, false, false, 0, true}},
                    FourComponentCase{"cmykProgressive", {1, 1, false, true, 0, true}},
                    FourComponentCase{"cmykRestarts", {1, 1, false, false, 2, true}},
                    FourComponentCase{"ycck", {2, 1, false, false, 0, true, 0, false, true}},
                    FourComponentCase{"ycckProgressive", {2, 2, false, true, 0, true, 0, false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FourComponents, ACutShortFileIsRefusedWhereTheRegionNeedsTheMissingData)
{
    for (const bool progressive : {false, true}) {
        const QByteArray whole = writtenJpeg({1, 1, false, progressive, 0, true});
        const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(whole), ScansToRead::First);
        ASSERT_TRUE(structure);
        const QByteArray bytes = whole.left(qsizetype(structure->scans.front().dataOffset) + 40);
        QString error;
        const std::unique_ptr<PictureSource> source =
            openJpegPicture(QStringLiteral("unread.jpg"), FileBytes(bytes.begin(), bytes.end()), error);
        ASSERT_TRUE(source) << error.toStdString();
        EXPECT_FALSE(source->decodeRegion(QRect(30, 30, 31, 13), Qt::black, error)) << progressive;
        EXPECT_FALSE(error.isEmpty());
    }
}

// Two components are no colours libjpeg converts, nor Qt's reader.
TEST(JpegOpen, ComponentsThatShowNoColoursAreRefusedAtOpen)
{
    QByteArray bytes = writtenJpeg({1, 1, true});
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(bytes), ScansToRead::First);
    ASSERT_TRUE(structure);
    const auto frame = qsizetype(structure->frameOffset);
    // The frame and the scan name a second component, sampled and quantized as the first.
    bytes.insert(frame + 2 + 2 + 6 + 3, QByteArray::fromHex("020100"));
    bytes[frame + 3] = char(bytes[frame + 3] + 3);
    bytes[frame + 9] = 2;
    const Opened byUs = openedByUs(bytes);
    EXPECT_FALSE(byUs.opened);
    EXPECT_EQ(byUs, openedByLibjpeg(bytes));
}

} // namespace
