// 8-bit non-interlaced PNGs decoded row by row without libpng: every filter, chunk layout and damage a
// region meets, against Qt's full decode.
#include "codecs/png/pngmessages.h"
#include "tests/codecs/probedopen.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/libpngwritten.h"
#include "tests/support/pictures/pngfiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>
#include <random>
#include <vector>

using namespace testpictures;

namespace {

const QColor background(90, 17, 230);

// A region's crop equals the crop of Qt's full decode of `referencePath`.
void expectRegionMatches(PictureSource& source, const QRect& region, const QString& referencePath)
{
    QString error;
    const std::optional<QImage> crop = source.decodeRegion(region, background, error);
    ASSERT_TRUE(crop) << error.toStdString();
    EXPECT_EQ(differenceBetween(*crop, referenceCrop(referencePath, region, background)), "")
        << "region " << region.x() << "," << region.y() << " " << region.width() << "x" << region.height();
}

void expectAllRegionsMatchQt(const QString& path, QSize size)
{
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    ASSERT_EQ(source->size(), size);
    for (const QRect& region : probeRegions(size))
        expectRegionMatches(*source, region, path);
}

// PNGs written by libpng with a chosen set of row filters.

struct FilterCase
{
    const char* name;
    int colourType;
    bool transparency;
    int paletteSize;
};

const std::pair<const char*, int> filterChoices[] = {
    {"None", PNG_FILTER_NONE},   {"Sub", PNG_FILTER_SUB},     {"Up", PNG_FILTER_UP},
    {"Average", PNG_FILTER_AVG}, {"Paeth", PNG_FILTER_PAETH}, {"AllFilters", PNG_ALL_FILTERS},
};

class LibpngWrittenRows : public testing::TestWithParam<std::tuple<FilterCase, int>>
{
};

TEST_P(LibpngWrittenRows, MatchFullDecode)
{
    const auto& [filterCase, filterChoice] = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.png");
    PngVariant variant{filterCase.colourType, 8, false, filterCase.transparency, filterCase.paletteSize};
    variant.filters = filterChoices[filterChoice].second;
    ASSERT_TRUE(WriteFileBytes(path, LibpngWritten(47, 31, variant)));
    expectAllRegionsMatchQt(path, QSize(47, 31));
}

INSTANTIATE_TEST_SUITE_P(
    Variants, LibpngWrittenRows,
    testing::Combine(testing::Values(FilterCase{"grey", PNG_COLOR_TYPE_GRAY, false, 0},
                                     FilterCase{"greyTransparent", PNG_COLOR_TYPE_GRAY, true, 0},
                                     FilterCase{"greyAlpha", PNG_COLOR_TYPE_GRAY_ALPHA, false, 0},
                                     FilterCase{"rgb", PNG_COLOR_TYPE_RGB, false, 0},
                                     FilterCase{"rgba", PNG_COLOR_TYPE_RGB_ALPHA, false, 0},
                                     FilterCase{"palette", PNG_COLOR_TYPE_PALETTE, false, 200}),
                     testing::Range(0, int(std::size(filterChoices)))),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + filterChoices[std::get<1>(info.param)].first;
    });

// PNGs built chunk by chunk, each row under a filter of its own, so chunk layouts and damage are exact.

struct RawPicture
{
    int width = 0;
    int height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    std::vector<uchar> samples; // unfiltered, row after row
};

int channelsOf(int colourType)
{
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
        return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    default:
        return 4;
    }
}

// Gradients with noise, so every filter's prediction is sometimes near and sometimes far.
RawPicture rawPicture(int width, int height, int colourType)
{
    RawPicture picture{width, height, colourType, {}};
    const int channels = channelsOf(colourType);
    std::mt19937 noise(unsigned(width * 17 + height + colourType));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c)
                picture.samples.push_back(uchar((x * 5 + y * 3 * (c + 1) + int(noise() % 24)) & 0xff));
        }
    }
    return picture;
}

// The rows as stored: row y under filter y % 5, each after its filter type byte; `extraRows` more rows
// of zeros follow the picture's.
QByteArray filteredRows(const RawPicture& picture, int extraRows = 0)
{
    const auto bpp = std::size_t(channelsOf(picture.colourType));
    const std::size_t rowBytes = std::size_t(picture.width) * bpp;
    QByteArray rows;
    std::vector<uchar> zeros(rowBytes, 0);
    for (int y = 0; y < picture.height; ++y) {
        const uchar* row = picture.samples.data() + std::size_t(y) * rowBytes;
        const uchar* previous = y == 0 ? zeros.data() : row - rowBytes;
        const int filterType = y % 5;
        rows.append(char(filterType));
        for (uchar byte : PngFilteredRow(filterType, row, previous, rowBytes, bpp))
            rows.append(char(byte));
    }
    rows.append(QByteArray(qsizetype(extraRows) * qsizetype(1 + rowBytes), '\0'));
    return rows;
}

// The stream cut into IDAT chunks of the given lengths, the last taking the rest.
QByteArrayList idatChunks(const QByteArray& stream, const QList<qsizetype>& lengths)
{
    QByteArrayList chunks;
    qsizetype at = 0;
    for (qsizetype length : lengths) {
        chunks.append(PngChunk("IDAT", stream.mid(at, length)));
        at += length;
    }
    chunks.append(PngChunk("IDAT", stream.mid(at)));
    return chunks;
}

QByteArrayList idatChunksOf(const QByteArray& stream, qsizetype length)
{
    return idatChunks(stream, QList<qsizetype>((stream.size() - 1) / length, length));
}

QByteArray pngFile(const RawPicture& picture, const QByteArrayList& idat)
{
    return PngStart(quint32(picture.width), quint32(picture.height), 8, picture.colourType) + idat.join() +
           PngEnd();
}

struct LayoutCase
{
    const char* name;
    int colourType;
    QSize size;
    QByteArrayList (*chunks)(const QByteArray& stream);
};

class HandBuiltRows : public testing::TestWithParam<LayoutCase>
{
};

TEST_P(HandBuiltRows, MatchFullDecode)
{
    const LayoutCase& layout = GetParam();
    const RawPicture picture = rawPicture(layout.size.width(), layout.size.height(), layout.colourType);
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.png");
    ASSERT_TRUE(WriteFileBytes(path, pngFile(picture, layout.chunks(ZlibStream(filteredRows(picture))))));
    expectAllRegionsMatchQt(path, layout.size);
}

QByteArrayList oneChunk(const QByteArray& stream)
{
    return {PngChunk("IDAT", stream)};
}

// The zlib header split between the first two chunks, then chunks of seven bytes.
QByteArrayList tinyChunks(const QByteArray& stream)
{
    return QByteArrayList{PngChunk("IDAT", stream.left(1))} + idatChunksOf(stream.mid(1), 7);
}

QByteArrayList emptyChunksBetween(const QByteArray& stream)
{
    QByteArrayList chunks{PngChunk("IDAT", {})};
    for (const QByteArray& chunk : idatChunksOf(stream, 100))
        chunks << chunk << PngChunk("IDAT", {});
    return chunks;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, HandBuiltRows,
    testing::Values(LayoutCase{"greyOddWidth", PNG_COLOR_TYPE_GRAY, {45, 38}, oneChunk},
                    LayoutCase{"greyAlphaOddWidth", PNG_COLOR_TYPE_GRAY_ALPHA, {45, 38}, oneChunk},
                    LayoutCase{"rgbOddWidth", PNG_COLOR_TYPE_RGB, {45, 38}, oneChunk},
                    LayoutCase{"rgbaOddWidth", PNG_COLOR_TYPE_RGB_ALPHA, {45, 38}, oneChunk},
                    LayoutCase{"rgbOneColumn", PNG_COLOR_TYPE_RGB, {1, 40}, oneChunk},
                    LayoutCase{"rgbOneRow", PNG_COLOR_TYPE_RGB, {39, 1}, oneChunk},
                    LayoutCase{"rgbTinyChunks", PNG_COLOR_TYPE_RGB, {41, 33}, tinyChunks},
                    LayoutCase{"rgbaTinyChunks", PNG_COLOR_TYPE_RGB_ALPHA, {41, 33}, tinyChunks},
                    LayoutCase{"greyEmptyChunksBetween", PNG_COLOR_TYPE_GRAY, {41, 33}, emptyChunksBetween},
                    LayoutCase{"rgbEmptyChunksBetween", PNG_COLOR_TYPE_RGB, {41, 33}, emptyChunksBetween}),
    [](const auto& info) { return std::string(info.param.name); });

// Damage: what the region needs fails with a message; what lies below it is never read.

// Large enough that the inflater's read-ahead never reaches the end of the stream from the top rows.
const QSize damageSize(300, 200);
const QRect topRows(3, 0, 30, 6);
const QRect bottomRows(3, 180, 30, 20);

// Why a region that meets the damage is refused; MatchesIntact when the region decodes as the intact picture.
using Refusal = QString (*)();
constexpr Refusal MatchesIntact = nullptr;

struct DamageCase
{
    const char* name;
    QRect region;
    // The file built from the intact picture's rows.
    QByteArray (*build)(const RawPicture& picture);
    Refusal refusal;
};

QByteArray withRowFilter(const RawPicture& picture, int row, char filterType)
{
    QByteArray rows = filteredRows(picture);
    rows[qsizetype(row) * (1 + picture.width * channelsOf(picture.colourType))] = filterType;
    return pngFile(picture, idatChunksOf(ZlibStream(rows), 200));
}

QByteArray withCrcDamagedIn(const RawPicture& picture, bool firstChunk)
{
    return WithBadChunkCrc(pngFile(picture, idatChunksOf(ZlibStream(filteredRows(picture)), 200)), "IDAT",
                           firstChunk ? 0 : -1);
}

// The region's rows end early in the stream's only chunk, whose CRC is wrong.
QByteArray withCrcDamagedInTheOnlyChunk(const RawPicture& picture)
{
    return WithBadChunkCrc(pngFile(picture, oneChunk(ZlibStream(filteredRows(picture)))), "IDAT");
}

// A complete zlib stream holding only the rows of the picture's top half.
QByteArray withStreamOfHalfTheRows(const RawPicture& picture)
{
    const QByteArray rows = filteredRows(picture);
    return pngFile(picture, idatChunksOf(ZlibStream(rows.left(rows.size() / 2)), 200));
}

// The IDAT chunks stop halfway through the stream, and the file goes on with IEND.
QByteArray withChunksOfHalfTheStream(const RawPicture& picture)
{
    const QByteArray stream = ZlibStream(filteredRows(picture));
    return pngFile(picture, idatChunksOf(stream.left(stream.size() / 2), 200));
}

// The first deflate block claims the reserved block type.
QByteArray withReservedBlockType(const RawPicture& picture)
{
    QByteArray stream = ZlibStream(filteredRows(picture));
    stream[2] = char(stream[2] | 0x06);
    return pngFile(picture, idatChunksOf(stream, 200));
}

QByteArray withBadZlibHeaderCheck(const RawPicture& picture)
{
    QByteArray stream = ZlibStream(filteredRows(picture));
    stream[1] = char(stream[1] ^ 0x01);
    return pngFile(picture, idatChunksOf(stream, 200));
}

// Claims a 64 KiB window, beyond deflate's 32 KiB.
QByteArray withWindowTooLarge(const RawPicture& picture)
{
    QByteArray stream = ZlibStream(filteredRows(picture));
    stream[0] = char(0x88);
    stream[1] = char(31 - (0x88 * 256) % 31);
    return pngFile(picture, idatChunksOf(stream, 200));
}

QByteArray withPresetDictionaryFlag(const RawPicture& picture)
{
    QByteArray stream = ZlibStream(filteredRows(picture));
    stream[1] = char(stream[1] | 0x20);
    // Keeps the header's check sum right, so only the flag is wrong.
    stream[1] = char(stream[1] - ((quint8(stream[0]) * 256 + quint8(stream[1])) % 31));
    return pngFile(picture, idatChunksOf(stream, 200));
}

QByteArray withHugeChunkLength(const RawPicture& picture)
{
    QByteArray file = pngFile(picture, idatChunksOf(ZlibStream(filteredRows(picture)), 200));
    // The second chunk's: libpng reads the first chunk's length with the header.
    const qsizetype lengthAt = file.indexOf("IDAT", file.indexOf("IDAT") + 4) - 4;
    file[lengthAt] = char(0x80);
    return file;
}

QByteArray cutInsideTheFirstChunk(const RawPicture& picture)
{
    const QByteArray file = pngFile(picture, idatChunksOf(ZlibStream(filteredRows(picture)), 200));
    return file.left(file.indexOf("IDAT") + 50);
}

// Qt decodes a picture whose stream holds more rows than the picture, leaving the rest unread.
QByteArray withExtraRowsAfterTheLast(const RawPicture& picture)
{
    return pngFile(picture, idatChunksOf(ZlibStream(filteredRows(picture, 3)), 200));
}

class DamagedRows : public testing::TestWithParam<DamageCase>
{
};

TEST_P(DamagedRows, FailOrMatchTheIntactPicture)
{
    const DamageCase& damage = GetParam();
    const RawPicture picture = rawPicture(damageSize.width(), damageSize.height(), PNG_COLOR_TYPE_RGB);
    QTemporaryDir folder;
    const QString intactPath = folder.filePath("intact.png");
    ASSERT_TRUE(
        WriteFileBytes(intactPath, pngFile(picture, idatChunksOf(ZlibStream(filteredRows(picture)), 200))));
    const QString path = folder.filePath("damaged.png");
    ASSERT_TRUE(WriteFileBytes(path, damage.build(picture)));

    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();
    if (damage.refusal == MatchesIntact) {
        expectRegionMatches(*source, damage.region, intactPath);
        return;
    }
    EXPECT_FALSE(source->decodeRegion(damage.region, background, error));
    EXPECT_EQ(error.toStdString(), damage.refusal().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedRows,
    testing::Values(
        DamageCase{"badCrcInTheRegionsChunk", topRows,
                   [](const RawPicture& p) { return withCrcDamagedIn(p, true); }, PngMessages::ChunkDamaged},
        DamageCase{"badCrcInTheChunkTheRegionEndsIn", topRows, withCrcDamagedInTheOnlyChunk,
                   PngMessages::ChunkDamaged},
        DamageCase{"badCrcInAChunkBelowTheRegion", topRows,
                   [](const RawPicture& p) { return withCrcDamagedIn(p, false); }, MatchesIntact},
        DamageCase{"unknownFilterTypeInTheRegion", bottomRows,
                   [](const RawPicture& p) { return withRowFilter(p, 190, 5); },
                   PngMessages::UnknownFilterType},
        DamageCase{"unknownFilterTypeAboveTheRegion", bottomRows,
                   [](const RawPicture& p) { return withRowFilter(p, 100, char(200)); },
                   PngMessages::UnknownFilterType},
        DamageCase{"unknownFilterTypeBelowTheRegion", topRows,
                   [](const RawPicture& p) { return withRowFilter(p, 150, 5); }, MatchesIntact},
        DamageCase{"streamEndsBeforeTheRegion", bottomRows, withStreamOfHalfTheRows,
                   PngMessages::PixelDataEndsEarly},
        DamageCase{"streamEndsBelowTheRegion", topRows, withStreamOfHalfTheRows, MatchesIntact},
        DamageCase{"chunksEndBeforeTheRegion", bottomRows, withChunksOfHalfTheStream,
                   PngMessages::PixelDataEndsEarly},
        DamageCase{"reservedDeflateBlockType", topRows, withReservedBlockType,
                   PngMessages::CompressedDataDamaged},
        DamageCase{"badZlibHeaderCheck", topRows, withBadZlibHeaderCheck, PngMessages::CompressedHeaderBad},
        DamageCase{"zlibWindowTooLarge", topRows, withWindowTooLarge, PngMessages::CompressedHeaderBad},
        DamageCase{"zlibPresetDictionary", topRows, withPresetDictionaryFlag,
                   PngMessages::CompressedHeaderBad},
        DamageCase{"chunkLengthBeyondTheLimit", topRows, withHugeChunkLength, PngMessages::ChunkDamaged},
        DamageCase{"fileCutInsideTheRegionsChunk", topRows, cutInsideTheFirstChunk,
                   PngMessages::ChunkDamaged},
        DamageCase{"extraRowsAfterTheLast", QRect(QPoint(0, 0), damageSize), withExtraRowsAfterTheLast,
                   MatchesIntact}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
