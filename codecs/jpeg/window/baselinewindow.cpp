#include "codecs/jpeg/window/baselinewindow.h"

#include "codecs/jpeg/stream/blockgeometry.h"
#include "codecs/jpeg/stream/markers.h"
#include "codecs/jpeg/stream/scanwalker.h"
#include "codecs/jpeg/window/bitwriter.h"
#include "codecs/jpeg/window/dcrecoder.h"
#include "codecs/jpeg/window/huffmanwriting.h"
#include "codecs/jpeg/window/sharedwalk.h"

#include <algorithm>

namespace {

// Offsets inside the frame header from its marker: the height, then the width, two bytes each.
constexpr std::size_t frameHeightOffset = 5;
constexpr std::size_t frameWidthOffset = 7;
// Offset of the first component's table selectors from the scan header's marker.
constexpr std::size_t scanSelectorsOffset = 6;

void putU16BE(std::vector<std::uint8_t>& bytes, std::size_t offset, int value)
{
    bytes[offset] = std::uint8_t(value >> 8);
    bytes[offset + 1] = std::uint8_t(value & 0xFF);
}

// Every DC table slot the scan uses, set to the recoder's table.
std::vector<SlottedTable> recodedDcTables(std::span<const std::uint8_t> file, const JpegScan& scan)
{
    std::vector<SlottedTable> tables;
    for (std::size_t i = 0; i < scan.components.size(); ++i) {
        const std::uint8_t slot = file[scan.headerOffset + scanSelectorsOffset + 2 * i] >> 4;
        if (std::none_of(tables.begin(), tables.end(),
                         [slot](const SlottedTable& table) { return table.classAndSlot == slot; }))
            tables.push_back({slot, DcRecoder::table()});
    }
    return tables;
}

// Writes `count` MCUs again as the walker reads them: the AC codes copied as they stand, the DC values
// coded anew, as differences from the window's own blocks. A DC difference too large for the recoder's
// table sets `unrecodable`.
bool recodeMcus(ScanWalker& walker, std::int64_t count, BitWriter& out, DcRecoder& recoder, bool& unrecodable)
{
    return walker.walk(
        count,
        [&out, &recoder, &unrecodable](int component, std::int64_t value) {
            unrecodable = !recoder.put(out, component, value);
            return !unrecodable;
        },
        [&out](std::uint32_t bits, int bitCount) { out.put(bits, bitCount); });
}

// A full decode of the whole picture reads on from the last MCU to the end-of-image marker, and warns of
// the data bytes it meets on the way: beyond the few its bit reader had already taken in (up to seven),
// they mean codes that fell out of step with the MCUs. True when the data after `end` holds that many.
bool leavesDataOver(std::span<const std::uint8_t> file, const ScanWalker::Mark& end)
{
    constexpr int bytesTakenInAtMost = 7;
    std::size_t at = end.byteOffset;
    if (end.bitsReadOfByte != 0)
        at += file[at] == jpegmarker::prefix ? 2 : 1;
    for (int dataBytes = 0; at < file.size(); ++dataBytes) {
        if (dataBytes > bytesTakenInAtMost)
            return true;
        if (file[at] != jpegmarker::prefix)
            ++at;
        else if (at + 1 < file.size() && file[at + 1] == jpegmarker::stuffedZero)
            at += 2;
        else
            return false;
    }
    return false;
}

} // namespace

WindowCut CutJpegWindow(std::span<const std::uint8_t> file, const JpegStructure& structure, int x, int y,
                        int width, int height, const WindowCutSharing& sharing)
{
    if (!RegionInsidePicture(structure, x, y, width, height))
        return {};
    std::optional<ScanWalker> walker = ScanWalker::start(file, structure);
    if (!walker)
        return {};
    const JpegScan& scan = structure.scans.front();
    const BlockGeometry geometry = BlockGeometry::of(structure);
    const WindowMcus mcus = WindowMcus::around(geometry, x, y, width, height);
    JpegWindow window;
    window.place = WindowPlace::of(structure, geometry, mcus);

    // The file's own segments up to the scan, with the window's size in the frame and the recoder's DC
    // table after them.
    std::vector<std::uint8_t>& out = window.file;
    out.assign(file.begin(), file.begin() + std::ptrdiff_t(scan.headerOffset));
    putU16BE(out, structure.frameOffset + frameHeightOffset, window.place.height);
    putU16BE(out, structure.frameOffset + frameWidthOffset, window.place.width);
    appendHuffmanTables(out, recodedDcTables(file, scan));
    out.insert(out.end(), file.begin() + std::ptrdiff_t(scan.headerOffset),
               file.begin() + std::ptrdiff_t(scan.dataOffset));

    const WindowRows rows{std::int64_t(mcus.firstRow) * geometry.mcusPerRow + mcus.firstColumn,
                          geometry.mcusPerRow, mcus.lastRow - mcus.firstRow + 1};
    // The window takes about its share of the data.
    const double windowShare =
        double(rows.count) * mcus.columns() / (double(geometry.mcusPerRow) * geometry.mcuRows);
    out.reserve(out.size() + std::size_t(double(file.size() - scan.dataOffset) * windowShare * 1.25) + 1024);
    BitWriter writer(out);
    DcRecoder recoder;
    bool unrecodable = false;
    ScanWalker::Mark windowEnd;
    const RowSink recode = [&writer, &recoder, &unrecodable, &windowEnd, columns = mcus.columns()](
                               ScanWalker& rowWalker, const ScanWalker::Mark& rowStart) {
        rowWalker.resume(rowStart);
        const bool recoded = recodeMcus(rowWalker, columns, writer, recoder, unrecodable);
        windowEnd = rowWalker.mark();
        return recoded;
    };
    bool written = false;
    if (rows.startOf(rows.count - 1) >= sharing.leastMcusToShare) {
        // The data is taken to spread evenly over the rows.
        const double dataShare =
            std::clamp(double(mcus.lastRow) / double(geometry.mcuRows) * sharing.secondStartShare, 0.0, 1.0);
        const auto secondStart =
            scan.dataOffset + std::size_t(double(file.size() - scan.dataOffset) * dataShare);
        written = WalkToRowsShared(*walker, file, scan.dataOffset, rows, secondStart, recode);
    } else {
        written = WalkToRowsAlone(*walker, rows, recode);
    }
    // Every other way the walk stops is a code it cannot decode, or data that breaks off.
    if (!written)
        return {std::nullopt, !unrecodable};
    const bool endsTheScan =
        mcus.lastRow == geometry.mcuRows - 1 && mcus.lastColumn == geometry.mcusPerRow - 1;
    if (endsTheScan && leavesDataOver(file, windowEnd))
        return {std::nullopt, true};
    writer.padToByte();
    out.insert(out.end(), {jpegmarker::prefix, jpegmarker::endOfImage});
    return {std::move(window), false};
}
