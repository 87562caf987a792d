#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The parts of a JPEG file an entropy decoder needs, read from the file's bytes: the frame, the Huffman
// tables and, for each scan, where its header and its entropy-coded data lie.

// A scan holds at most four components (T.81, B.2.3).
inline constexpr std::size_t maxScanComponents = 4;

struct JpegComponent
{
    int id = 0;
    int horizontalSampling = 1;
    int verticalSampling = 1;
};

// A Huffman table as a DHT segment defines it (T.81, B.2.4.2): how many codes have each length 1..16, then
// the symbols.
struct HuffmanTable
{
    std::array<std::uint8_t, 17> countsByLength{};
    std::vector<std::uint8_t> symbols;
};

// A marker segment with a length field: its marker code, and where it lies (from its 0xFF, length included).
struct JpegSegment
{
    std::uint8_t marker = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
};

struct JpegScan
{
    // Indexes into JpegStructure::components, in the scan's order.
    std::vector<int> components;
    // Per scan component: indexes into JpegStructure::tables, or -1 when the scan names an undefined table.
    std::vector<int> dcTables;
    std::vector<int> acTables;
    int spectralStart = 0, spectralEnd = 63;
    int approximationHigh = 0, approximationLow = 0;
    int restartInterval = 0;
    // Offset of the SOS marker's 0xFF, and of the first byte of entropy-coded data after its header.
    std::size_t headerOffset = 0;
    std::size_t dataOffset = 0;
    // Offset of the marker that ends the scan's data (restart markers are part of the data); the file's
    // size when no marker follows, or when the walk stopped at the scan's data.
    std::size_t dataEnd = 0;
};

struct JpegStructure
{
    std::uint8_t frameMarker = 0; // 0xC0 baseline, 0xC1 extended, 0xC2 progressive, ...
    int precision = 0;
    int width = 0;
    int height = 0;
    std::size_t frameOffset = 0; // offset of the SOF marker's 0xFF
    std::vector<JpegComponent> components;
    // Every table definition in file order; a table redefined between scans gets a new entry.
    std::vector<HuffmanTable> tables;
    std::vector<JpegScan> scans;
    // Every segment with a length field the walk read, scan headers included, in file order.
    std::vector<JpegSegment> segments;
    // True when the walk went on through the scans and met the end-of-image marker after the last one.
    bool reachedEndOfImage = false;

    int maxHorizontalSampling() const;
    int maxVerticalSampling() const;
};

// Reads a JPEG's markers from its bytes in two steps: up to the first scan's data, which is all a walk of
// a sequential scan needs, then, where wanted, on through the later scans without reading the first part
// again.
class JpegStructureReader
{
  public:
    explicit JpegStructureReader(std::span<const std::uint8_t> file);

    // Reads from the start of the file up to the first scan's data. False when the file is no JPEG, a
    // segment runs past the end, a marker is out of place (a scan before a frame, a second frame), the
    // frame's or a scan's figures are out of range (no components, a sampling factor outside 1..4, a scan
    // of more than four components) or the file holds no scan.
    bool readToFirstScan();

    // After readToFirstScan() succeeded: reads on through every later scan, up to the end-of-image marker
    // or the first place where no marker stands. False on the faults readToFirstScan() refuses.
    bool readLaterScans();

    const JpegStructure& structure() const { return structure_; }
    JpegStructure takeStructure() { return std::move(structure_); }

  private:
    bool walk(bool stopsAtScan);
    void endScan();
    bool readFrame(std::uint8_t code, std::span<const std::uint8_t> body, std::size_t markerOffset);
    bool readTables(std::span<const std::uint8_t> body);
    bool readRestartInterval(std::span<const std::uint8_t> body);
    bool readScan(std::span<const std::uint8_t> body, std::size_t markerOffset, std::size_t dataOffset);

    std::span<const std::uint8_t> file_;
    std::size_t at_ = 0;
    JpegStructure structure_;
    // The table each of the four DC slots, then the four AC slots, holds now.
    std::array<int, 8> slots_{};
    int restartInterval_ = 0;
};

enum class ScansToRead { First, All };

// JpegStructureReader's steps at once: the markers up to the first scan's data, or through all scans.
std::optional<JpegStructure> ReadJpegStructure(std::span<const std::uint8_t> file, ScansToRead scansToRead);
