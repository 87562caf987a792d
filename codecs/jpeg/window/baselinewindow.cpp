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
// coded anew, as differences from the window's own blocks.
bool recodeMcus(ScanWalker& walker, std::int64_t count, BitWriter& out, DcRecoder& recoder)
{
    return walker.walk(
        count,
        [&out, &recoder](int component, std::int64_t value) { return recoder.put(out, component, value); },
        [&out](std::uint32_t bits, int bitCount) { out.put(bits, bitCount); });
}

} // namespace

std::optional<JpegWindow> CutJpegWindow(std::span<const std::uint8_t> file, const JpegStructure& structure,
                                        int x, int y, int width, int height, const WindowCutSharing& sharing)
{
    if (!RegionInsidePicture(structure, x, y, width, height))
        return std::nullopt;
    std::optional<ScanWalker> walker = ScanWalker::start(file, structure);
    if (!walker)
        return std::nullopt;
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
    const RowSink recode = [&writer, &recoder, columns = mcus.columns()](ScanWalker& rowWalker,
                                                                         const ScanWalker::Mark& rowStart) {
        rowWalker.resume(rowStart);
        return recodeMcus(rowWalker, columns, writer, recoder);
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
    if (!written)
        return std::nullopt;
    writer.padToByte();
    out.insert(out.end(), {jpegmarker::prefix, jpegmarker::endOfImage});
    return window;
}
