// Found by a differential run of fuzz_trim: a run-length encoded 8-bit bitmap (decoded by Qt's reader) whose
// runs name colours beyond its 16-colour table. Qt's reader keeps those indexes; painting the picture onto
// the background then reads the colour table past its end (a heap over-read inside Qt, unseen by our
// sanitizers because Qt is not instrumented), so the crop holds whatever memory followed the table.
// Qt's own conversion and our uncompressed bitmap reader paint such pixels opaque black.
// Fails until the region decode of trim/picture pads or converts a colour-table picture before painting it.
#include "trim/picture/picturesource.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

const QColor Background(240, 240, 240);

// The fuzzer's input: 40 × 30 pixels, 16 colours, each row one run; row 22's run names colour 16.
constexpr std::array<std::uint8_t, 240> FoundByFuzzer{
    0x42, 0x4d, 0xf0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x76, 0x00, 0x00, 0x00, 0x28, 0x00,
    0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x1e, 0x00, 0x00, 0x00, 0x01, 0x00, 0x08, 0x00, 0x01, 0x00,
    0x00, 0x00, 0x7a, 0x00, 0x00, 0x00, 0x13, 0x0b, 0x00, 0x00, 0x13, 0x0b, 0x00, 0x00, 0x10, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x50, 0x30, 0x10, 0x00, 0xa0, 0x60,
    0x20, 0x00, 0xf0, 0x90, 0x30, 0x00, 0x40, 0xc1, 0x40, 0x00, 0x90, 0xf1, 0x50, 0x00, 0xe0, 0x21,
    0x61, 0x00, 0x30, 0x52, 0x71, 0x00, 0x80, 0x82, 0x81, 0x00, 0xd0, 0xb2, 0x91, 0x00, 0x20, 0xe3,
    0xa1, 0x00, 0x70, 0x13, 0xb2, 0x00, 0xc0, 0x43, 0xc2, 0x00, 0x10, 0x74, 0xd2, 0x00, 0x60, 0xa4,
    0xe2, 0x00, 0xb0, 0xd4, 0xf2, 0x00, 0x28, 0x00, 0x00, 0x00, 0x28, 0x01, 0x00, 0x00, 0x28, 0x02,
    0x00, 0x00, 0x28, 0x03, 0x00, 0x00, 0x28, 0x04, 0x00, 0x00, 0x28, 0x05, 0x00, 0x00, 0x28, 0x06,
    0x00, 0x00, 0x28, 0x07, 0x00, 0x00, 0x28, 0x08, 0x00, 0x00, 0x28, 0x09, 0x00, 0x00, 0x28, 0x0a,
    0x00, 0x00, 0x28, 0x0b, 0x00, 0x00, 0x28, 0x0c, 0x00, 0x00, 0x28, 0x0d, 0x00, 0x00, 0x28, 0x0e,
    0x00, 0x00, 0x28, 0x0f, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x28, 0x01, 0x00, 0x00, 0x28, 0x02,
    0x00, 0x00, 0x28, 0x03, 0x00, 0x00, 0x28, 0x04, 0x00, 0x00, 0x28, 0x05, 0x00, 0x00, 0x28, 0x10,
    0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x28, 0x08, 0x00, 0x00, 0x28, 0x09, 0x00, 0x00, 0x28, 0x0a,
    0x00, 0x00, 0x28, 0x0b, 0x00, 0x00, 0x28, 0x0c, 0x00, 0x00, 0x28, 0x0d, 0x00, 0x00, 0x00, 0x01};

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

// A 40 × 30 run-length encoded bitmap with a 16-colour table whose row y is one run of colour 16 + 8y:
// every row names a colour beyond the table.
QByteArray RunsBeyondColourTable()
{
    constexpr int Width = 40;
    constexpr int Height = 30;
    constexpr quint32 Colours = 16;
    QByteArray runs;
    for (int y = 0; y < Height; ++y) {
        runs += char(Width);
        runs += char(Colours + 8 * y);
        runs += QByteArray("\0\0", 2);
    }
    runs += QByteArray("\0\1", 2);
    const quint32 pixelOffset = 14 + 40 + 4 * Colours;
    QByteArray bytes("BM");
    AppendU32LE(bytes, pixelOffset + quint32(runs.size()));
    AppendU32LE(bytes, 0);
    AppendU32LE(bytes, pixelOffset);
    for (const quint32 field : {40u, quint32(Width), quint32(Height)})
        AppendU32LE(bytes, field);
    AppendU16LE(bytes, 1);
    AppendU16LE(bytes, 8);
    for (const quint32 field : {1u, quint32(runs.size()), 2835u, 2835u, Colours, 0u})
        AppendU32LE(bytes, field);
    for (quint32 colour = 0; colour < Colours; ++colour)
        AppendU32LE(bytes, 0x00405060u + colour * 0x00080402u);
    return bytes + runs;
}

class RunsBeyondPalette : public testing::Test
{
  protected:
    QString write(const QByteArray& bytes)
    {
        const QString path = folder_.filePath(QStringLiteral("picture.bmp"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    // The whole picture through PictureSource.
    static QImage decodeWhole(const QString& path)
    {
        QString error;
        const std::unique_ptr<PictureSource> picture = PictureSource::open(path, error);
        EXPECT_TRUE(picture) << error.toStdString();
        if (!picture)
            return {};
        const std::optional<QImage> pixels =
            picture->decodeRegion(QRect(QPoint(0, 0), picture->size()), Background, error);
        EXPECT_TRUE(pixels) << error.toStdString();
        return pixels.value_or(QImage());
    }

  private:
    QTemporaryDir folder_;
};

TEST_F(RunsBeyondPalette, FuzzerInputDecodesAsQtConvertsIt)
{
    const QString path = write(
        QByteArray(reinterpret_cast<const char*>(FoundByFuzzer.data()), qsizetype(FoundByFuzzer.size())));
    QImageReader reader(path);
    const QImage expected = reader.read().convertToFormat(QImage::Format_RGB888);
    ASSERT_FALSE(expected.isNull());
    const QImage decoded = decodeWhole(path);
    ASSERT_EQ(decoded.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(decoded.pixel(x, y), expected.pixel(x, y)) << "pixel " << x << "," << y;
    }
}

TEST_F(RunsBeyondPalette, ColoursBeyondTheTableAreOpaqueBlack)
{
    const QImage decoded = decodeWhole(write(RunsBeyondColourTable()));
    ASSERT_EQ(decoded.size(), QSize(40, 30));
    for (int y = 0; y < decoded.height(); ++y) {
        for (int x = 0; x < decoded.width(); ++x)
            ASSERT_EQ(decoded.pixel(x, y), qRgb(0, 0, 0)) << "pixel " << x << "," << y;
    }
}

} // namespace
