// The marker walk over hand-built files: what it reads, and the files it refuses.
#include "codecs/jpeg/stream/jpegstructure.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void append(Bytes& bytes, std::initializer_list<std::uint8_t> more)
{
    bytes.insert(bytes.end(), more);
}

// A marker segment with its length field.
void appendSegment(Bytes& bytes, std::uint8_t marker, const Bytes& body)
{
    const std::size_t length = body.size() + 2;
    append(bytes, {0xFF, marker, std::uint8_t(length >> 8), std::uint8_t(length & 0xFF)});
    bytes.insert(bytes.end(), body.begin(), body.end());
}

// One table of class `tableClass` in slot `slot`: two codes of length 2.
Bytes huffmanTable(std::uint8_t tableClass, std::uint8_t slot, std::uint8_t firstSymbol)
{
    Bytes body = {std::uint8_t(tableClass << 4 | slot), 0, 2};
    body.resize(body.size() + 14, 0);
    append(body, {firstSymbol, std::uint8_t(firstSymbol + 1)});
    return body;
}

Bytes frame(std::uint8_t marker, int width, int height, std::initializer_list<std::uint8_t> sampling)
{
    Bytes body = {8,
                  std::uint8_t(height >> 8),
                  std::uint8_t(height),
                  std::uint8_t(width >> 8),
                  std::uint8_t(width),
                  std::uint8_t(sampling.size())};
    std::uint8_t id = 1;
    for (const std::uint8_t factors : sampling)
        append(body, {id++, factors, 0});
    Bytes bytes;
    appendSegment(bytes, marker, body);
    return bytes;
}

// A scan of the given component ids, all with tables 0, spectral selection 0..63.
Bytes scanHeader(std::initializer_list<std::uint8_t> ids, std::uint8_t spectralStart = 0,
                 std::uint8_t spectralEnd = 63, std::uint8_t approximation = 0)
{
    Bytes body = {std::uint8_t(ids.size())};
    for (const std::uint8_t id : ids)
        append(body, {id, 0x00});
    append(body, {spectralStart, spectralEnd, approximation});
    Bytes bytes;
    appendSegment(bytes, 0xDA, body);
    return bytes;
}

Bytes operator+(Bytes left, const Bytes& right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

const Bytes startOfImage = {0xFF, 0xD8};
const Bytes endOfImage = {0xFF, 0xD9};

Bytes tables()
{
    Bytes bytes;
    appendSegment(bytes, 0xC4, huffmanTable(0, 0, 0) + huffmanTable(1, 0, 1));
    return bytes;
}

// A baseline 3-component file with stuffed bytes and restart markers in its data.
Bytes baselineFile()
{
    return startOfImage + frame(0xC0, 33, 17, {0x22, 0x11, 0x11}) + tables() + scanHeader({1, 2, 3}) +
           Bytes{0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56} + endOfImage;
}

TEST(JpegStructure, ReadsFrameTablesAndScan)
{
    const Bytes file = baselineFile();
    const std::optional<JpegStructure> structure = ReadJpegStructure(file, ScansToRead::All);
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
    EXPECT_EQ(structure->tables[1].symbols, (Bytes{1, 2}));
    ASSERT_EQ(structure->scans.size(), 1U);
    const JpegScan& scan = structure->scans[0];
    EXPECT_EQ(scan.components, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(scan.dcTables, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(scan.acTables, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(file[scan.headerOffset + 1], 0xDA);
    EXPECT_EQ(file[scan.dataOffset], 0x12);
    // Stuffed bytes and restart markers belong to the data; the end-of-image marker ends it.
    EXPECT_EQ(scan.dataEnd, file.size() - 2);
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
    const Bytes file = baselineFile();
    const std::optional<JpegStructure> structure = ReadJpegStructure(file, ScansToRead::First);
    ASSERT_TRUE(structure);
    ASSERT_EQ(structure->scans.size(), 1U);
    EXPECT_EQ(file[structure->scans[0].dataOffset], 0x12);
}

TEST(JpegStructure, TablesRedefinedBetweenScansAndRestartIntervals)
{
    Bytes restart;
    appendSegment(restart, 0xDD, {0x01, 0x2C});
    Bytes laterTables;
    appendSegment(laterTables, 0xC4, huffmanTable(1, 0, 7));
    // Fill bytes before a marker are skipped.
    const Bytes file = startOfImage + frame(0xC2, 8, 8, {0x11}) + tables() + scanHeader({1}, 0, 0) +
                       Bytes{0x01} + laterTables + restart + Bytes{0xFF, 0xFF} +
                       scanHeader({1}, 1, 63, 0x01) + Bytes{0x02} + endOfImage;
    const std::optional<JpegStructure> structure = ReadJpegStructure(file, ScansToRead::All);
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
Bytes twoScanFile()
{
    Bytes restart;
    appendSegment(restart, 0xDD, {0x01, 0x2C});
    Bytes laterTables;
    appendSegment(laterTables, 0xC4, huffmanTable(1, 0, 7));
    return startOfImage + frame(0xC2, 8, 8, {0x11}) + tables() + scanHeader({1}, 0, 0) + Bytes{0x01} +
           laterTables + restart + scanHeader({1}, 1, 63, 0x01) + Bytes{0x02, 0xFF, 0x00} + endOfImage;
}

TEST(JpegStructureReader, ReadsTheLaterScansOnFromTheFirstAsOneWalkReadsThem)
{
    const Bytes file = twoScanFile();
    JpegStructureReader reader(file);
    ASSERT_TRUE(reader.readToFirstScan());
    ASSERT_EQ(reader.structure().scans.size(), 1U);
    EXPECT_EQ(reader.structure().scans[0].dataEnd, file.size());
    EXPECT_FALSE(reader.structure().reachedEndOfImage);
    ASSERT_TRUE(reader.readLaterScans());
    const JpegStructure& stepped = reader.structure();
    const std::optional<JpegStructure> whole = ReadJpegStructure(file, ScansToRead::All);
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
    EXPECT_EQ(stepped.scans[1].dataEnd, file.size() - 2);
    EXPECT_EQ(stepped.scans[1].acTables[0], 2);
    EXPECT_EQ(stepped.scans[1].restartInterval, 300);
    EXPECT_EQ(stepped.tables.size(), whole->tables.size());
    EXPECT_EQ(stepped.segments.size(), whole->segments.size());
    EXPECT_TRUE(stepped.reachedEndOfImage);
}

TEST(JpegStructure, TellsWhetherTheEndOfImageFollowsTheScans)
{
    const Bytes whole = twoScanFile();
    struct Case
    {
        const char* name;
        Bytes bytes;
        bool reached;
    };
    for (const Case& c :
         {Case{"whole", whole, true}, Case{"bytesAfterTheEnd", whole + Bytes{0x00, 0xFF, 0x12}, true},
          Case{"endMarkerMissing", Bytes(whole.begin(), whole.end() - 2), false},
          Case{"endMarkerHalved", Bytes(whole.begin(), whole.end() - 1), false},
          Case{"bytesWhereAMarkerShouldStand",
               startOfImage + frame(0xC0, 8, 8, {0x11}) + tables() + scanHeader({1}) + Bytes{0x12} +
                   tables() + Bytes{0x34, 0x56} + endOfImage,
               false}}) {
        const std::optional<JpegStructure> structure = ReadJpegStructure(c.bytes, ScansToRead::All);
        ASSERT_TRUE(structure) << c.name;
        EXPECT_EQ(structure->reachedEndOfImage, c.reached) << c.name;
    }
}

TEST(JpegStructure, FramesOfMoreComponentsThanAScanHoldsAreRead)
{
    const Bytes file = startOfImage + frame(0xC0, 8, 8, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11}) + tables() +
                       scanHeader({1, 2, 3, 4}) + scanHeader({5, 6}) + endOfImage;
    const std::optional<JpegStructure> structure = ReadJpegStructure(file, ScansToRead::All);
    ASSERT_TRUE(structure);
    EXPECT_EQ(structure->components.size(), 6U);
    EXPECT_EQ(structure->scans.size(), 2U);
}

TEST(JpegStructure, UndefinedTableSlotReadsAsMinusOne)
{
    const Bytes file = startOfImage + frame(0xC0, 8, 8, {0x11}) + scanHeader({1}) + Bytes{0x00} + endOfImage;
    const std::optional<JpegStructure> structure = ReadJpegStructure(file, ScansToRead::All);
    ASSERT_TRUE(structure);
    EXPECT_EQ(structure->scans[0].dcTables[0], -1);
}

struct RefusedFile
{
    const char* name;
    Bytes bytes;
};

class JpegStructureRefuses : public testing::TestWithParam<RefusedFile>
{
};

TEST_P(JpegStructureRefuses, File)
{
    EXPECT_FALSE(ReadJpegStructure(GetParam().bytes, ScansToRead::All));
    EXPECT_FALSE(ReadJpegStructure(GetParam().bytes, ScansToRead::First));
}

Bytes withBadDht(Bytes body)
{
    Bytes bytes;
    appendSegment(bytes, 0xC4, body);
    return startOfImage + frame(0xC0, 8, 8, {0x11}) + bytes + scanHeader({1}) + endOfImage;
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, JpegStructureRefuses,
    testing::Values(
        RefusedFile{"empty", {}}, RefusedFile{"noStartOfImage", Bytes{0xFF, 0xD9}},
        RefusedFile{"noFrameNoScan", startOfImage + endOfImage},
        RefusedFile{"scanBeforeFrame",
                    startOfImage + scanHeader({1}) + frame(0xC0, 8, 8, {0x11}) + endOfImage},
        RefusedFile{"secondFrame",
                    startOfImage + frame(0xC0, 8, 8, {0x11}) + frame(0xC0, 8, 8, {0x11}) + scanHeader({1})},
        RefusedFile{"samplingZero", startOfImage + frame(0xC0, 8, 8, {0x01}) + scanHeader({1})},
        RefusedFile{"samplingFive", startOfImage + frame(0xC0, 8, 8, {0x51}) + scanHeader({1})},
        RefusedFile{"scanOfFiveComponents", startOfImage + frame(0xC0, 8, 8, {0x11, 0x11, 0x11, 0x11, 0x11}) +
                                                tables() + scanHeader({1, 2, 3, 4, 5})},
        RefusedFile{"scanNamesUnknownComponent", startOfImage + frame(0xC0, 8, 8, {0x11}) + scanHeader({9})},
        RefusedFile{"segmentRunsPastTheEnd", startOfImage + Bytes{0xFF, 0xE0, 0x00, 0x40, 0x00}},
        RefusedFile{"segmentLengthBelowTwo", startOfImage + Bytes{0xFF, 0xE0, 0x00, 0x01}},
        RefusedFile{"tableSlotFour", withBadDht(huffmanTable(0, 4, 0))},
        RefusedFile{"tableClassTwo", withBadDht(huffmanTable(2, 0, 0))},
        RefusedFile{"tableSymbolsBeyondSegment",
                    withBadDht(Bytes{0x00, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
