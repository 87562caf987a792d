// Found by fuzz_trim, whose small pictures decoded whole must match Qt's reader: a 53 × 205 bitmap of 16-bit
// pixels with an information header claiming 5 bytes, in a file of 218 bytes. The bitmap reader leaves an
// unknown header to Qt's reader, which decodes the few pixel bytes there are and leaves the rest of the
// picture as whatever memory it got: two decodes of the same file differ, and the crop is saved with stray
// memory in it. The same holds for the header kinds Qt's reader knows but ours leaves to it, such as the
// 64-byte OS/2 2.x header, whose size the probe reads alike, so a cut-short one is saved with stray memory.
// A bitmap whose pixel data is cut short must be refused.
// Fails until trim/picture checks the pixel data's length of the bitmaps it leaves to Qt's reader.
#include "trim/picture/picturesource.h"
#include "trim/trimandsave.h"

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

constexpr std::array<std::uint8_t, 218> FiveByteHeader{
    0x42, 0x4d, 0xd2, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4a, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00,
    0x00, 0x35, 0x00, 0xcd, 0x00, 0x01, 0x00, 0x10, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x29, 0x00,
    0x00, 0x00, 0x00, 0x15, 0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xfb, 0xff, 0xff, 0x38, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4a, 0xcb, 0xcb, 0xcb, 0x4d,
    0xcb, 0xff, 0x00, 0x01, 0x00, 0x10, 0x00, 0x02, 0xff, 0xff, 0xff, 0xf9, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xca, 0xca, 0xca, 0xca, 0xf8, 0xf9};

void AppendU16LE(QByteArray& bytes, quint32 value)
{
    bytes += char(value & 0xFF);
    bytes += char((value >> 8) & 0xFF);
}

void AppendU32LE(QByteArray& bytes, quint32 value)
{
    AppendU16LE(bytes, value & 0xFFFF);
    AppendU16LE(bytes, value >> 16);
}

// A 40 × 30 bitmap of 24-bit pixels with a 64-byte OS/2 2.x header, holding only its bottom 3 rows.
QByteArray CutShortOs2Bitmap()
{
    constexpr quint32 Width = 40;
    constexpr quint32 Height = 30;
    constexpr quint32 HeaderBytes = 64;
    constexpr quint32 RowBytes = (Width * 3 + 3) / 4 * 4;
    constexpr quint32 PixelOffset = 14 + HeaderBytes;
    QByteArray bytes("BM");
    for (const quint32 field : {PixelOffset + RowBytes * Height, 0u, PixelOffset, HeaderBytes, Width, Height})
        AppendU32LE(bytes, field);
    AppendU16LE(bytes, 1);
    AppendU16LE(bytes, 24);
    for (const quint32 field : {0u, RowBytes * Height, 2835u, 2835u, 0u, 0u})
        AppendU32LE(bytes, field);
    bytes += QByteArray(HeaderBytes - 40, '\0');
    for (quint32 index = 0; index < RowBytes * 3; ++index)
        bytes += char(index * 7);
    return bytes;
}

struct CutShortCase
{
    const char* name;
    QByteArray bytes;

    friend void PrintTo(const CutShortCase& c, std::ostream* os) { *os << c.name; }
};

const CutShortCase CutShortCases[] = {
    {"five_byte_header_found_by_fuzzer",
     QByteArray(reinterpret_cast<const char*>(FiveByteHeader.data()), qsizetype(FiveByteHeader.size()))},
    {"os2_header_three_rows_of_thirty", CutShortOs2Bitmap()},
};

class CutShortBitmap : public testing::TestWithParam<CutShortCase>
{
  protected:
    void SetUp() override
    {
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(GetParam().bytes), GetParam().bytes.size());
    }

    QTemporaryDir folder_;
    const QString path_ = folder_.filePath(QStringLiteral("picture.bmp"));
};

TEST_P(CutShortBitmap, IsRefusedByThePictureSource)
{
    QString error;
    const std::unique_ptr<PictureSource> picture = PictureSource::open(path_, error);
    if (!picture)
        return;
    const std::optional<QImage> pixels =
        picture->decodeRegion(QRect(QPoint(0, 0), picture->size()), QColor(240, 240, 240), error);
    EXPECT_FALSE(pixels.has_value()) << "decoded " << picture->size().width() << "x"
                                     << picture->size().height();
}

TEST_P(CutShortBitmap, IsNotSaved)
{
    const QString output = folder_.filePath(QStringLiteral("crop[00000].bmp"));
    const TrimResult result = TrimAndSaveFile(path_, TrimSettings{16, 12, 64, 48}, output);
    EXPECT_FALSE(result.saved) << result.message.toStdString();
    EXPECT_FALSE(QFile::exists(output));
}

INSTANTIATE_TEST_SUITE_P(FuzzFinding, CutShortBitmap, testing::ValuesIn(CutShortCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
