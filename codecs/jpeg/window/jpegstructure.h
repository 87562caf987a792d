#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The parts of a JPEG file an entropy decoder needs, read from the file's bytes: the frame, the Huffman
// tables and, for each scan, where its header and its entropy-coded data lie.

struct JpegComponent
{
    int id = 0;
    int horizontalSampling = 1;
    int verticalSampling = 1;
};

// A Huffman table as a DHT segment defines it: how many codes have each length 1..16, then the symbols.
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
    int spectralStart = 0;
    int spectralEnd = 63;
    int approximationHigh = 0;
    int approximationLow = 0;
    int restartInterval = 0;
    // Offset of the SOS marker's 0xFF, and of the first byte of entropy-coded data after its header.
    std::size_t headerOffset = 0;
    std::size_t dataOffset = 0;
    // Offset of the marker that ends the scan's data (restart markers are part of the data); the file's
    // size when no marker follows.
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

    int maxHorizontalSampling() const;
    int maxVerticalSampling() const;
};

enum class ScansToRead { First, All };

// Reads the markers from the start of `file` up to the first scan's data, or through all scans. Nullopt
// when the file is no JPEG, a segment runs past the end, a marker is out of place (a scan before a frame,
// a second frame) or the frame's figures are out of range (no components, a sampling factor outside 1..4).
std::optional<JpegStructure> ReadJpegStructure(std::span<const std::uint8_t> file, ScansToRead scansToRead);
