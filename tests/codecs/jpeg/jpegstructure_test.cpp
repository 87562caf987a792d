// The marker walk over hand-built files: what it reads, and the files it refuses.
#include "codecs/jpeg/stream/jpegstructure.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/jpegfiles.h"

#include <gtest/gtest.h>
#include <vector>

using namespace testpictures;

namespace {

// One table of class `tableClass` in slot `slot`: two codes of length 2.
QByteArray huffmanTable(std::uint8_t tableClass, std::uint8_t slot, std::uint8_t firstSymbol)
{
    return JpegHuffmanTable(tableClass, slot, {0, 2}, ByteValues({firstSymbol, quint8(firstSymbol + 1)}));
}

// A frame whose components, numbered from 1, have these sampling factors and quantisation table 0.
QByteArray frame(std::uint8_t marker, int width, int height, std::initializer_list<std::uint8_t> sampling)
{
    QList<JpegFrameComponent> components;
    for (const std::uint8_t factors : sampling)
        components.append({quint8(components.size() + 1), factors});
    return JpegFrame(marker, quint16(width), quint16(height), components);
}

const QByteArray startOfImage = JpegStartOfImage();
const QByteArray endOfImage = JpegEndOfImage();

QByteArray tables()
{
    return JpegMarkerSegment(0xC4, huffmanTable(0, 0, 0) + huffmanTable(1, 0, 1));
}

// A baseline 3-component file with stuffed bytes and restart markers in its data.
QByteArray baselineFile()
{
    return startOfImage + frame(0xC0, 33, 17, {0x22, 0x11, 0x11}) + tables() + JpegScanHeader({1, 2, 3}) +
           ByteValues({0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56}) + endOfImage;
}

TEST(JpegStructure, ReadsFrameTablesAndScan)
{
    const QByteArray file = baselineFile();
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::All);
    ASSERT_TRUE(structure);
    EXPECT_EQ(structure->frameMarker, 0xC0);
    EXPECT_EQ(structure->precision, 8);
    EXPECT_EQ(structure->width, 33);
    EXPECT_EQ(structure->height, 17);
    EXPECT_EQ(structure->frameOffset, 2U);
    ASSERT_EQ(structure->components.size(), 3U);
    EXPECT_EQ(structure->components[0].horizontalSampling, 2);
    EXPECT_EQ(structure->components[0].verticalSampling, 2);
    EXPECT_EQ(structure->maxHorizontalSampling(), 2);
    EXPECT_EQ(structure->components[2].id, 3);
    ASSERT_EQ(structure->tables.size(), 2U);
    EXPECT_EQ(structure->tables[1].countsByLength[2], 2);
    EXPECT_EQ(structure->tables[1].symbols, (std::vector<std::uint8_t>{1, 2}));
    ASSERT_EQ(structure->scans.size(), 1U);
    const JpegScan& scan = structure->scans[0];
    EXPECT_EQ(scan.components, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(scan.dcTables, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(scan.acTables, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(quint8(file[qsizetype(scan.headerOffset) + 1]), 0xDA);
    EXPECT_EQ(quint8(file[qsizetype(scan.dataOffset)]), 0x12);
    // Stuffed bytes and restart markers belong to the data; the end-of-image marker ends it.
    EXPECT_EQ(scan.dataEnd, std::size_t(file.size()) - 2);
    ASSERT_EQ(structure->segments.size(), 3U);
    EXPECT_EQ(structure->segments[0].marker, 0xC0);
    EXPECT_EQ(structure->segments[0].offset, 2U);
    EXPECT_EQ(structure->segments[0].size, 2U + 2 + 6 + 9);
    EXPECT_EQ(structure->segments[1].marker, 0xC4);
    EXPECT_EQ(structure->segments[1].offset, structure->segments[0].offset + structure->segments[0].size);
    EXPECT_EQ(structure->segments[2].marker, 0xDA);
    EXPECT_EQ(structure->segments[2].offset + structure->segments[2].size, scan.dataOffset);
}

TEST(JpegStructure, FirstScanOnlyStopsAtItsData)
{
    const QByteArray file = baselineFile();
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::First);
    ASSERT_TRUE(structure);
    ASSERT_EQ(structure->scans.size(), 1U);
    EXPECT_EQ(quint8(file[qsizetype(structure->scans[0].dataOffset)]), 0x12);
}

TEST(JpegStructure, TablesRedefinedBetweenScansAndRestartIntervals)
{
    const QByteArray restart = JpegMarkerSegment(0xDD, ByteValues({0x01, 0x2C}));
    const QByteArray laterTables = JpegMarkerSegment(0xC4, huffmanTable(1, 0, 7));
    // Fill bytes before a marker are skipped.
    const QByteArray file = startOfImage + frame(0xC2, 8, 8, {0x11}) + tables() + JpegScanHeader({1}, 0, 0) +
                            ByteValues({0x01}) + laterTables + restart + ByteValues({0xFF, 0xFF}) +
                            JpegScanHeader({1}, 1, 63, 0x01) + ByteValues({0x02}) + endOfImage;
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::All);
    ASSERT_TRUE(structure);
    ASSERT_EQ(structure->scans.size(), 2U);
    EXPECT_EQ(structure->scans[0].acTables[0], 1);
    EXPECT_EQ(structure->scans[0].restartInterval, 0);
    EXPECT_EQ(structure->scans[0].spectralEnd, 0);
    EXPECT_EQ(structure->scans[1].acTables[0], 2);
    EXPECT_EQ(structure->tables[2].symbols[0], 7);
    EXPECT_EQ(structure->scans[1].restartInterval, 300);
    EXPECT_EQ(structure->scans[1].spectralStart, 1);
    EXPECT_EQ(structure->scans[1].approximationLow, 1);
}

// Two scans with a table redefined and a restart interval set between them.
QByteArray twoScanFile()
{
    const QByteArray restart = JpegMarkerSegment(0xDD, ByteValues({0x01, 0x2C}));
    const QByteArray laterTables = JpegMarkerSegment(0xC4, huffmanTable(1, 0, 7));
    return startOfImage + frame(0xC2, 8, 8, {0x11}) + tables() + JpegScanHeader({1}, 0, 0) +
           ByteValues({0x01}) + laterTables + restart + JpegScanHeader({1}, 1, 63, 0x01) +
           ByteValues({0x02, 0xFF, 0x00}) + endOfImage;
}

TEST(JpegStructureReader, ReadsTheLaterScansOnFromTheFirstAsOneWalkReadsThem)
{
    const QByteArray file = twoScanFile();
    JpegStructureReader reader(ByteSpan(file));
    ASSERT_TRUE(reader.readToFirstScan());
    ASSERT_EQ(reader.structure().scans.size(), 1U);
    EXPECT_EQ(reader.structure().scans[0].dataEnd, std::size_t(file.size()));
    EXPECT_FALSE(reader.structure().reachedEndOfImage);
    ASSERT_TRUE(reader.readLaterScans());
    const JpegStructure& stepped = reader.structure();
    const std::optional<JpegStructure> whole = ReadJpegStructure(ByteSpan(file), ScansToRead::All);
    ASSERT_TRUE(whole);
    ASSERT_EQ(stepped.scans.size(), 2U);
    ASSERT_EQ(whole->scans.size(), 2U);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(stepped.scans[i].dataOffset, whole->scans[i].dataOffset);
        EXPECT_EQ(stepped.scans[i].dataEnd, whole->scans[i].dataEnd);
        EXPECT_EQ(stepped.scans[i].acTables, whole->scans[i].acTables);
        EXPECT_EQ(stepped.scans[i].restartInterval, whole->scans[i].restartInterval);
    }
    EXPECT_EQ(stepped.scans[0].dataEnd, stepped.scans[0].dataOffset + 1);
    EXPECT_EQ(stepped.scans[1].dataEnd, std::size_t(file.size()) - 2);
    EXPECT_EQ(stepped.scans[1].acTables[0], 2);
    EXPECT_EQ(stepped.scans[1].restartInterval, 300);
    EXPECT_EQ(stepped.tables.size(), whole->tables.size());
    EXPECT_EQ(stepped.segments.size(), whole->segments.size());
    EXPECT_TRUE(stepped.reachedEndOfImage);
}

TEST(JpegStructure, TellsWhetherTheEndOfImageFollowsTheScans)
{
    const QByteArray whole = twoScanFile();
    struct Case
    {
        const char* name;
        QByteArray bytes;
        bool reached;
    };
    for (const Case& c :
         {Case{"whole", whole, true}, Case{"bytesAfterTheEnd", whole + ByteValues({0x00, 0xFF, 0x12}), true},
          Case{"endMarkerMissing", whole.chopped(2), false}, Case{"endMarkerHalved", whole.chopped(1), false},
          Case{"bytesWhereAMarkerShouldStand",
               startOfImage + frame(0xC0, 8, 8, {0x11}) + tables() + JpegScanHeader({1}) +
                   ByteValues({0x12}) + tables() + ByteValues({0x34, 0x56}) + endOfImage,
               false}}) {
        const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(c.bytes), ScansToRead::All);
        ASSERT_TRUE(structure) << c.name;
        EXPECT_EQ(structure->reachedEndOfImage, c.reached) << c.name;
    }
}

TEST(JpegStructure, FramesOfMoreComponentsThanAScanHoldsAreRead)
{
    const QByteArray file = startOfImage + frame(0xC0, 8, 8, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11}) +
                            tables() + JpegScanHeader({1, 2, 3, 4}) + JpegScanHeader({5, 6}) + endOfImage;
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::All);
    ASSERT_TRUE(structure);
    EXPECT_EQ(structure->components.size(), 6U);
    EXPECT_EQ(structure->scans.size(), 2U);
}

TEST(JpegStructure, UndefinedTableSlotReadsAsMinusOne)
{
    const QByteArray file =
        startOfImage + frame(0xC0, 8, 8, {0x11}) + JpegScanHeader({1}) + ByteValues({0x00}) + endOfImage;
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::All);
    ASSERT_TRUE(structure);
    EXPECT_EQ(structure->scans[0].dcTables[0], -1);
}

struct RefusedFile
{
    const char* name;
    QByteArray bytes;
};

class JpegStructureRefuses : public testing::TestWithParam<RefusedFile>
{
};

TEST_P(JpegStructureRefuses, File)
{
    EXPECT_FALSE(ReadJpegStructure(ByteSpan(GetParam().bytes), ScansToRead::All));
    EXPECT_FALSE(ReadJpegStructure(ByteSpan(GetParam().bytes), ScansToRead::First));
}

QByteArray withBadDht(const QByteArray& body)
{
    return startOfImage + frame(0xC0, 8, 8, {0x11}) + JpegMarkerSegment(0xC4, body) + JpegScanHeader({1}) +
           endOfImage;
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, JpegStructureRefuses,
    testing::Values(
        RefusedFile{"empty", {}}, RefusedFile{"noStartOfImage", ByteValues({0xFF, 0xD9})},
        RefusedFile{"noFrameNoScan", startOfImage + endOfImage},
        RefusedFile{"scanBeforeFrame",
                    startOfImage + JpegScanHeader({1}) + frame(0xC0, 8, 8, {0x11}) + endOfImage},
        RefusedFile{"secondFrame", startOfImage + frame(0xC0, 8, 8, {0x11}) + frame(0xC0, 8, 8, {0x11}) +
                                       JpegScanHeader({1})},
        RefusedFile{"samplingZero", startOfImage + frame(0xC0, 8, 8, {0x01}) + JpegScanHeader({1})},
        RefusedFile{"samplingFive", startOfImage + frame(0xC0, 8, 8, {0x51}) + JpegScanHeader({1})},
        RefusedFile{"scanOfFiveComponents", startOfImage + frame(0xC0, 8, 8, {0x11, 0x11, 0x11, 0x11, 0x11}) +
                                                tables() + JpegScanHeader({1, 2, 3, 4, 5})},
        RefusedFile{"scanNamesUnknownComponent",
                    startOfImage + frame(0xC0, 8, 8, {0x11}) + JpegScanHeader({9})},
        RefusedFile{"segmentRunsPastTheEnd", startOfImage + ByteValues({0xFF, 0xE0, 0x00, 0x40, 0x00})},
        RefusedFile{"segmentLengthBelowTwo", startOfImage + ByteValues({0xFF, 0xE0, 0x00, 0x01})},
        RefusedFile{"tableSlotFour", withBadDht(huffmanTable(0, 4, 0))},
        RefusedFile{"tableClassTwo", withBadDht(huffmanTable(2, 0, 0))},
        RefusedFile{"tableSymbolsBeyondSegment",
                    withBadDht(ByteValues({0x00, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}))}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
