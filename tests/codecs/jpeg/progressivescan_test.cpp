// Scans of a small grey progressive frame decoded from hand-built bits: each kind of scan, end-of-band
// runs, correction bits, restart markers, and the damaged data each kind refuses.
#include "codecs/jpeg/stream/huffmancode.h"
#include "codecs/jpeg/stream/progressivescan.h"
#include "codecs/jpeg/window/bitwriter.h"
#include "codecs/jpeg/window/progressivewindowfile.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// DC categories 0, 1 and 2 get the two-bit codes 00, 01 and 10.
const std::vector<std::uint8_t> dcSymbols = {0, 1, 2};
// AC symbols get the four-bit codes 0000 to 0111 in this order; codes starting with a 1 are undefined.
const std::vector<std::uint8_t> acSymbols = {0x00, 0x10, 0x20, 0x01, 0x11, 0xF0, 0xF1, 0x02};

// Writes a scan's bits with the test tables.
class ScanBits
{
  public:
    ScanBits& dc(int category, std::uint32_t magnitude)
    {
        writer_.put(std::uint32_t(category), 2);
        writer_.put(magnitude, category);
        return *this;
    }
    ScanBits& ac(std::uint8_t symbol)
    {
        const auto at = std::find(acSymbols.begin(), acSymbols.end(), symbol);
        writer_.put(std::uint32_t(at - acSymbols.begin()), 4);
        return *this;
    }
    ScanBits& bits(std::uint32_t value, int count)
    {
        writer_.put(value, count);
        return *this;
    }
    ScanBits& restartMarker(std::uint8_t number)
    {
        writer_.padToByte();
        data_.insert(data_.end(), {0xFF, std::uint8_t(0xD0 + number)});
        return *this;
    }
    Bytes finished()
    {
        writer_.padToByte();
        return data_;
    }

  private:
    Bytes data_;
    BitWriter writer_{data_};
};

HuffmanTable tableOf(const std::vector<std::uint8_t>& symbols, int length)
{
    HuffmanTable definition;
    definition.countsByLength[std::size_t(length)] = std::uint8_t(symbols.size());
    definition.symbols = symbols;
    return definition;
}

struct ScanSetup
{
    int blocksWide = 2;
    int spectralStart = 0, spectralEnd = 0;
    int approximationHigh = 0, approximationLow = 0;
    int restartInterval = 0;
};

// A grey frame one block high and `blocksWide` blocks wide with one scan over `data`.
JpegStructure greyFrame(const ScanSetup& setup, const Bytes& data)
{
    JpegStructure structure;
    structure.frameMarker = 0xC2;
    structure.precision = 8;
    structure.width = 8 * setup.blocksWide;
    structure.height = 8;
    structure.components = {{1, 1, 1}};
    structure.tables = {tableOf(dcSymbols, 2), tableOf(acSymbols, 4)};
    JpegScan scan;
    scan.components = {0};
    scan.dcTables = {0};
    scan.acTables = {1};
    scan.spectralStart = setup.spectralStart;
    scan.spectralEnd = setup.spectralEnd;
    scan.approximationHigh = setup.approximationHigh;
    scan.approximationLow = setup.approximationLow;
    scan.restartInterval = setup.restartInterval;
    scan.dataEnd = data.size();
    structure.scans.push_back(scan);
    return structure;
}

// Decodes the scan's only row of MCUs into `rows`; false when the scan refuses.
bool decodeInto(const ScanSetup& setup, const Bytes& data, CoefficientRows& rows)
{
    const JpegStructure structure = greyFrame(setup, data);
    std::optional<ProgressiveScan> scan =
        ProgressiveScan::start(data, structure.scans.front(), structure, BlockGeometry::of(structure));
    return scan && scan->decodeRow(0, rows);
}

CoefficientRows rowsFor(int blocksWide)
{
    JpegStructure structure = greyFrame({blocksWide}, {});
    return CoefficientRows(BlockGeometry::of(structure));
}

TEST(ProgressiveScan, DcFirstAddsDifferencesAndScalesByTheApproximation)
{
    CoefficientRows rows = rowsFor(3);
    const Bytes data = ScanBits().dc(2, 0b10).dc(1, 0b0).dc(0, 0).finished();
    ASSERT_TRUE(decodeInto({3, 0, 0, 0, 1}, data, rows));
    EXPECT_EQ(rows.block(0, 0, 0)[0], 4);
    EXPECT_EQ(rows.block(0, 1, 0)[0], 2);
    EXPECT_EQ(rows.block(0, 2, 0)[0], 2);
}

TEST(ProgressiveScan, DcRefinementSetsTheBitOfItsApproximation)
{
    CoefficientRows rows = rowsFor(2);
    rows.block(0, 0, 0)[0] = -4;
    rows.block(0, 1, 0)[0] = 4;
    ASSERT_TRUE(decodeInto({2, 0, 0, 2, 1}, ScanBits().bits(0b10, 2).finished(), rows));
    EXPECT_EQ(rows.block(0, 0, 0)[0], -2);
    EXPECT_EQ(rows.block(0, 1, 0)[0], 4);
}

TEST(ProgressiveScan, AcFirstPlacesCoefficientsAndRunsEndOfBandOverBlocks)
{
    CoefficientRows rows = rowsFor(3);
    // Block 0: a zero then -1, a zero run of sixteen, +2; block 1 opens a run of two ending blocks 1 and 2.
    const Bytes data = ScanBits()
                           .ac(0x11)
                           .bits(0, 1)
                           .ac(0xF0)
                           .ac(0x02)
                           .bits(0b10, 2)
                           .ac(0x00)
                           .ac(0x10)
                           .bits(0, 1)
                           .finished();
    ASSERT_TRUE(decodeInto({3, 1, 30, 0, 1}, data, rows));
    const std::int16_t* block = rows.block(0, 0, 0);
    EXPECT_EQ(block[1], 0);
    EXPECT_EQ(block[2], -2);
    EXPECT_EQ(block[19], 4);
    EXPECT_EQ(std::count(block, block + 64, 0), 62);
    for (const int column : {1, 2}) {
        const std::int16_t* ended = rows.block(0, column, 0);
        EXPECT_EQ(std::count(ended, ended + 64, 0), 64) << column;
    }
}

TEST(ProgressiveScan, AcRefinementAddsCorrectionBitsAndNewCoefficients)
{
    CoefficientRows rows = rowsFor(2);
    std::int16_t* first = rows.block(0, 0, 0);
    first[1] = 2;
    first[3] = -2;
    std::int16_t* second = rows.block(0, 1, 0);
    second[2] = -2;
    // Block 0: a new +1 after one zero, passing coefficients 1 and 3 (corrections 1 and 0), then a run of
    // two ending blocks; block 1's correction for coefficient 2 follows.
    const Bytes data = ScanBits().ac(0x11).bits(1, 1).bits(0b10, 2).ac(0x10).bits(0, 1).bits(1, 1).finished();
    ASSERT_TRUE(decodeInto({2, 1, 63, 1, 0}, data, rows));
    EXPECT_EQ(first[1], 3);
    EXPECT_EQ(first[3], -2);
    EXPECT_EQ(first[4], 1);
    EXPECT_EQ(std::count(first, first + 64, 0), 61);
    EXPECT_EQ(second[2], -3);
    EXPECT_EQ(std::count(second, second + 64, 0), 63);
}

TEST(ProgressiveScan, RestartMarkersResetPredictionsAndMayFollowAPaddedFF)
{
    // The first interval's last bits start a byte the padding fills with ones: a stuffed 0xFF.
    const Bytes data = ScanBits()
                           .dc(0, 0)
                           .dc(0, 0)
                           .dc(0, 0)
                           .dc(2, 0b11)
                           .restartMarker(0)
                           .dc(2, 0b11)
                           .dc(0, 0)
                           .dc(0, 0)
                           .dc(0, 0)
                           .finished();
    ASSERT_EQ(data[1], 0xFF);
    ASSERT_EQ(data[2], 0x00);
    CoefficientRows rows = rowsFor(8);
    ASSERT_TRUE(decodeInto({8, 0, 0, 0, 0, 4}, data, rows));
    EXPECT_EQ(rows.block(0, 3, 0)[0], 3);
    EXPECT_EQ(rows.block(0, 4, 0)[0], 3);
    EXPECT_EQ(rows.block(0, 7, 0)[0], 3);
}

struct DamageCase
{
    const char* name;
    ScanSetup setup;
    Bytes data;
};

class DamagedScan : public testing::TestWithParam<DamageCase>
{
};

TEST_P(DamagedScan, IsRefused)
{
    CoefficientRows rows = rowsFor(GetParam().setup.blocksWide);
    EXPECT_FALSE(decodeInto(GetParam().setup, GetParam().data, rows));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedScan,
    testing::Values(
        DamageCase{"undefinedAcCode", {2, 1, 63, 0, 0}, ScanBits().bits(0xF, 4).finished()},
        DamageCase{"undefinedDcCode", {2, 0, 0, 0, 0}, ScanBits().bits(0b11, 2).finished()},
        DamageCase{"endOfBandRunPastTheScan", {2, 1, 63, 0, 0}, ScanBits().ac(0x20).bits(0, 2).finished()},
        DamageCase{"endOfBandRunAcrossARestart",
                   {2, 1, 63, 0, 0, 1},
                   ScanBits().ac(0x10).bits(0, 1).restartMarker(0).ac(0x00).finished()},
        DamageCase{"coefficientPastTheBand", {2, 1, 5, 0, 0}, ScanBits().ac(0xF1).bits(1, 1).finished()},
        DamageCase{"zeroRunPastTheBand", {2, 1, 5, 0, 0}, ScanBits().ac(0xF0).ac(0x00).ac(0x00).finished()},
        DamageCase{
            "refinementCoefficientOfTwoBits", {2, 1, 63, 1, 0}, ScanBits().ac(0x02).bits(0, 2).finished()},
        DamageCase{"acCoefficientTooLarge", {2, 1, 63, 0, 10}, ScanBits().ac(0x02).bits(0b10, 2).finished()},
        DamageCase{"restartMarkerMissing", {2, 0, 0, 0, 0, 1}, ScanBits().dc(0, 0).dc(0, 0).finished()},
        DamageCase{"restartMarkerOutOfSequence",
                   {2, 0, 0, 0, 0, 1},
                   ScanBits().dc(0, 0).restartMarker(1).dc(0, 0).finished()},
        DamageCase{"dataBreaksOff", {8, 0, 0, 0, 0}, Bytes{0x01}},
        DamageCase{"markerInsideTheData", {8, 0, 0, 0, 0}, Bytes{0x01, 0xFF, 0xD4, 0x00, 0x00}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgressiveScan, RefusesAnUndefinedTable)
{
    const Bytes data = ScanBits().ac(0x00).finished();
    JpegStructure structure = greyFrame({2, 1, 63, 0, 0}, data);
    structure.scans.front().acTables = {-1};
    EXPECT_FALSE(
        ProgressiveScan::start(data, structure.scans.front(), structure, BlockGeometry::of(structure)));
}

TEST(FullAcTable, HoldsEverySymbolOfABaselineScanOnce)
{
    const HuffmanTable definition = FullAcTable();
    ASSERT_TRUE(HuffmanCode::build(definition));
    std::set<std::uint8_t> expected = {0x00, 0xF0};
    for (int run = 0; run < 16; ++run) {
        for (int category = 1; category <= 10; ++category)
            expected.insert(std::uint8_t(run << 4 | category));
    }
    EXPECT_EQ(std::set<std::uint8_t>(definition.symbols.begin(), definition.symbols.end()), expected);
    EXPECT_EQ(definition.symbols.size(), expected.size());
}

} // namespace
