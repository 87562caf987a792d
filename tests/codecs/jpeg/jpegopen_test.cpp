// Opening a JPEG. Where our reading of the header stands for libjpeg's, the picture opens as libjpeg's
// reading would have it: every header, damaged ones too, opens or fails as libjpeg says, with its message.
// Pictures left to Qt's reader are refused when their scans do not end whole.
#include "codecs/jpeg/jpegpicturesource.h"
#include "codecs/jpeg/libjpegdecoder.h"
#include "codecs/jpeg/libjpegheader.h"
#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/picture/qtpicturesource.h"
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
    bool leftToQt = false;

    bool operator==(const Opened&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Opened& opened)
{
    if (!opened.opened)
        return out << "refused: " << opened.error.toStdString();
    return out << opened.size.width() << "x" << opened.size.height()
               << (opened.leftToQt ? " by Qt" : " by us");
}

Opened openedByUs(const QByteArray& bytes)
{
    QString error;
    const FileBytes file(bytes.begin(), bytes.end());
    const std::unique_ptr<PictureSource> source = openJpegPicture(QStringLiteral("unread.jpg"), file, error);
    if (!source)
        return {false, error, {}, false};
    return {true, {}, source->size(), dynamic_cast<const QtPictureSource*>(source.get()) != nullptr};
}

// What libjpeg's reading of the whole file's header says: how every JPEG was opened before our reading
// could stand for it.
Opened openedByLibjpeg(const QByteArray& bytes)
{
    LibjpegDecoder decoder(ByteSpan(bytes));
    QString error;
    if (!decoder.readHeader(error))
        return {false, error, {}, false};
    return {true, {}, decoder.pictureSize(), !decoder.decodesItself()};
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

struct EndCase
{
    const char* name;
    bool progressive;
    QByteArray (*damage)(QByteArray bytes);
    bool decodes;
};

class QtReadJpegEnd : public testing::TestWithParam<EndCase>
{
};

TEST_P(QtReadJpegEnd, IsCheckedBeforeQtDecodes)
{
    const QByteArray bytes = GetParam().damage(writtenJpeg({1, 1, false, GetParam().progressive, 0, true}));
    QTemporaryDir folder;
    const QString path = folder.filePath("cmyk.jpg");
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    QString error;
    const std::unique_ptr<PictureSource> source =
        openJpegPicture(path, FileBytes(bytes.begin(), bytes.end()), error);
    ASSERT_TRUE(source) << error.toStdString();
    const std::optional<QImage> crop = source->decodeRegion(QRect(3, 5, 40, 30), Qt::black, error);
    EXPECT_EQ(crop.has_value(), GetParam().decodes) << error.toStdString();
    if (!GetParam().decodes) {
        EXPECT_EQ(error, QStringLiteral("The JPEG file is cut short."));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cmyk, QtReadJpegEnd,
    testing::Values(
        EndCase{"whole", false, [](QByteArray b) { return b; }, true},
        EndCase{"bytesAfterTheEnd", false, [](QByteArray b) { return b.append("trailing"); }, true},
        EndCase{"cutInsideTheData", false, [](QByteArray b) { return b.left(b.size() * 3 / 5); }, false},
        EndCase{"endMarkerMissing", false, [](QByteArray b) { return b.left(b.size() - 2); }, false},
        EndCase{"progressiveWhole", true, [](QByteArray b) { return b; }, true},
        EndCase{"progressiveCutInALaterScan", true, [](QByteArray b) { return b.left(b.size() * 3 / 5); },
                false},
        EndCase{"progressiveEndMarkerMissing", true, [](QByteArray b) { return b.left(b.size() - 2); },
                false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
