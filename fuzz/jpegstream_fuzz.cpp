// Any bytes read as a JPEG's structure and entropy-coded data: nothing is read outside the bytes, the
// structure's segments and scans lie in order inside the file, reading the later scans on from the first
// finds what one walk finds, and a walk of a sequential scan reaches the same place however it is cut up:
// at once, noting its MCU starts, or resumed from any of them.
#include "codecs/jpeg/stream/blockgeometry.h"
#include "codecs/jpeg/stream/coefficientrows.h"
#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/stream/progressivescan.h"
#include "codecs/jpeg/stream/progressivescript.h"
#include "codecs/jpeg/stream/scanwalker.h"
#include "fuzz/fuzzsupport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace {

// Bounds that keep each input quick: the MCUs walked, and the MCUs of a progressive frame decoded.
constexpr std::int64_t mostMcusWalked = 1 << 14;
constexpr std::int64_t mostProgressiveMcus = 1 << 12;

void CheckLayout(const JpegStructure& structure, std::size_t fileSize)
{
    std::size_t end = 2;
    for (const JpegSegment& segment : structure.segments) {
        FUZZ_REQUIRE(segment.offset >= end && segment.size >= 4 && segment.size <= fileSize - segment.offset);
        end = segment.offset + segment.size;
    }
    std::size_t scanEnd = 0;
    for (const JpegScan& scan : structure.scans) {
        FUZZ_REQUIRE(scan.headerOffset >= scanEnd && scan.headerOffset < scan.dataOffset);
        FUZZ_REQUIRE(scan.dataOffset <= scan.dataEnd && scan.dataEnd <= fileSize);
        FUZZ_REQUIRE(!scan.components.empty() && scan.components.size() <= maxScanComponents);
        for (std::size_t i = 0; i < scan.components.size(); ++i) {
            FUZZ_REQUIRE(std::size_t(scan.components[i]) < structure.components.size());
            FUZZ_REQUIRE(scan.dcTables[i] < int(structure.tables.size()));
            FUZZ_REQUIRE(scan.acTables[i] < int(structure.tables.size()));
        }
        scanEnd = scan.dataEnd;
    }
}

bool SameMark(const ScanWalker::Mark& a, const ScanWalker::Mark& b)
{
    return a.byteOffset == b.byteOffset && a.bitsReadOfByte == b.bitsReadOfByte && a.dcValues == b.dcValues;
}

// Walks `count` MCUs at once, noting every MCU start, and resumed from a noted start picked by `pick`.
void CheckWalk(const ScanWalker& start, std::int64_t count, std::size_t pick)
{
    ScanWalker atOnce = start;
    const bool walked = atOnce.skip(count);
    ScanWalker noting = start;
    std::vector<ScanWalker::Mark> starts(std::size_t(count) + 1);
    const std::int64_t skipped = noting.skipNoting(count, starts.data());
    FUZZ_REQUIRE(walked == (skipped == count));
    if (!walked)
        return;
    FUZZ_REQUIRE(SameMark(atOnce.mark(), noting.mark()) && atOnce.mark().bitsRead == noting.mark().bitsRead);
    const std::size_t from = pick % std::size_t(count);
    ScanWalker resumed = start;
    resumed.resume(starts[from]);
    FUZZ_REQUIRE(resumed.skip(count - std::int64_t(from)));
    FUZZ_REQUIRE(SameMark(resumed.mark(), atOnce.mark()));
    // A walk that hands on what it reads counts one DC value for every block it passes.
    std::int64_t dcValues = 0;
    std::uint64_t acBits = 0;
    ScanWalker handing = start;
    FUZZ_REQUIRE(handing.walk(
        count, [&dcValues](int, std::int64_t) { return ++dcValues > 0; },
        [&acBits](std::uint32_t, int bitCount) { acBits += std::uint64_t(bitCount); }));
    FUZZ_REQUIRE(SameMark(handing.mark(), atOnce.mark()) && dcValues % count == 0);
    FUZZ_REQUIRE(acBits <= atOnce.mark().bitsRead);
}

// Decodes every scan of a progression a window could be cut from, row of MCUs by row, as far as each goes.
void DecodeProgressive(std::span<const std::uint8_t> bytes, const JpegStructure& structure)
{
    const BlockGeometry geometry = BlockGeometry::of(structure);
    if (!FollowsCompleteProgression(structure) ||
        std::int64_t(geometry.mcusPerRow) * geometry.mcuRows > mostProgressiveMcus)
        return;
    std::vector<ProgressiveScan> scans;
    for (const JpegScan& scan : structure.scans) {
        std::optional<ProgressiveScan> started = ProgressiveScan::start(bytes, scan, structure, geometry);
        if (started)
            scans.push_back(std::move(*started));
    }
    CoefficientRows rows(geometry);
    std::vector<bool> decoding(scans.size(), true);
    for (int row = 0; row < geometry.mcuRows; ++row) {
        rows.clear();
        for (std::size_t i = 0; i < scans.size(); ++i)
            decoding[i] = decoding[i] && scans[i].decodeRow(row, rows);
    }
}

// The structure up to the first scan, and a walk of that scan where it is sequential.
void CheckFirstScan(std::span<const std::uint8_t> bytes, const JpegStructure& firstScan)
{
    CheckLayout(firstScan, bytes.size());
    FUZZ_REQUIRE(firstScan.scans.size() == 1 && !firstScan.reachedEndOfImage);
    const std::optional<ScanWalker> walker = ScanWalker::start(bytes, firstScan);
    if (!walker)
        return;
    const BlockGeometry geometry = BlockGeometry::of(firstScan);
    const std::int64_t mcus = std::int64_t(geometry.mcusPerRow) * geometry.mcuRows;
    CheckWalk(*walker, std::clamp<std::int64_t>(mcus, 1, mostMcusWalked), bytes.empty() ? 0 : bytes.back());
}

// The later scans read on from the first, against one walk through them all.
void CheckLaterScans(std::span<const std::uint8_t> bytes, JpegStructureReader& reader)
{
    const std::size_t firstDataOffset = reader.structure().scans.front().dataOffset;
    const bool laterRead = reader.readLaterScans();
    const std::optional<JpegStructure> whole = ReadJpegStructure(bytes, ScansToRead::All);
    FUZZ_REQUIRE(laterRead == whole.has_value());
    if (!whole)
        return;
    const JpegStructure& stepped = reader.structure();
    CheckLayout(stepped, bytes.size());
    FUZZ_REQUIRE(stepped.scans.size() == whole->scans.size() &&
                 stepped.tables.size() == whole->tables.size());
    FUZZ_REQUIRE(stepped.segments.size() == whole->segments.size());
    FUZZ_REQUIRE(stepped.reachedEndOfImage == whole->reachedEndOfImage);
    for (std::size_t i = 0; i < stepped.scans.size(); ++i)
        FUZZ_REQUIRE(stepped.scans[i].dataEnd == whole->scans[i].dataEnd);
    FUZZ_REQUIRE(stepped.scans.front().dataOffset == firstDataOffset);
    DecodeProgressive(bytes, *whole);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    JpegStructureReader reader(bytes);
    if (reader.readToFirstScan()) {
        CheckFirstScan(bytes, reader.structure());
        CheckLaterScans(bytes, reader);
    }
    return 0;
}
