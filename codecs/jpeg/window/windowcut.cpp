#include "codecs/jpeg/window/windowcut.h"

#include "codecs/jpeg/window/bitwriter.h"
#include "codecs/jpeg/window/blockgeometry.h"
#include "codecs/jpeg/window/jpegstructure.h"
#include "codecs/jpeg/window/rowmarks.h"
#include "codecs/jpeg/window/scanwalker.h"

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

// A DHT segment that sets every DC table slot the scan uses to the recoder's table.
std::vector<std::uint8_t> recodedDcTables(std::span<const std::uint8_t> file, const JpegScan& scan)
{
    const HuffmanTable definition = DcRecoder::table();
    std::vector<std::uint8_t> slots;
    for (std::size_t i = 0; i < scan.components.size(); ++i) {
        const std::uint8_t slot = file[scan.headerOffset + scanSelectorsOffset + 2 * i] >> 4;
        if (std::find(slots.begin(), slots.end(), slot) == slots.end())
            slots.push_back(slot);
    }
    std::vector<std::uint8_t> segment = {0xFF, 0xC4, 0, 0};
    for (const std::uint8_t slot : slots) {
        segment.push_back(slot);
        segment.insert(segment.end(), definition.countsByLength.begin() + 1, definition.countsByLength.end());
        segment.insert(segment.end(), definition.symbols.begin(), definition.symbols.end());
    }
    putU16BE(segment, 2, int(segment.size() - 2));
    return segment;
}

} // namespace

std::optional<JpegWindow> CutJpegWindow(std::span<const std::uint8_t> file, int x, int y, int width,
                                        int height, const WindowCutSharing& sharing)
{
    const std::optional<JpegStructure> structure = ReadJpegStructure(file, ScansToRead::First);
    if (!structure || !RegionInsidePicture(*structure, x, y, width, height))
        return std::nullopt;
    const std::unique_ptr<ScanWalker> walker = ScanWalker::start(file, *structure);
    if (!walker)
        return std::nullopt;
    const JpegScan& scan = structure->scans.front();
    const BlockGeometry geometry = BlockGeometry::of(*structure);
    const WindowMcus mcus = WindowMcus::around(geometry, x, y, width, height);
    JpegWindow window;
    window.place = WindowPlace::of(*structure, geometry, mcus);

    std::vector<std::uint8_t>& out = window.file;
    out.assign(file.begin(), file.begin() + std::ptrdiff_t(scan.headerOffset));
    putU16BE(out, structure->frameOffset + frameHeightOffset, window.place.height);
    putU16BE(out, structure->frameOffset + frameWidthOffset, window.place.width);
    const std::vector<std::uint8_t> dcTables = recodedDcTables(file, scan);
    out.insert(out.end(), dcTables.begin(), dcTables.end());
    out.insert(out.end(), file.begin() + std::ptrdiff_t(scan.headerOffset),
               file.begin() + std::ptrdiff_t(scan.dataOffset));

    const WindowRows rows{std::int64_t(mcus.firstRow) * geometry.mcusPerRow + mcus.firstColumn,
                          geometry.mcusPerRow, mcus.lastRow - mcus.firstRow + 1};
    // Each row's MCUs inside the window are written out again, with the DC values coded anew. The window
    // takes about its share of the data.
    const double windowShare =
        double(rows.count) * mcus.columns() / (double(geometry.mcusPerRow) * geometry.mcuRows);
    out.reserve(out.size() + std::size_t(double(file.size() - scan.dataOffset) * windowShare * 1.25) + 1024);
    BitWriter writer(out);
    DcRecoder recoder;
    const RowSink recode = [&writer, &recoder, columns = mcus.columns()](ScanWalker& rowWalker,
                                                                         const ScanWalker::Mark& rowStart) {
        rowWalker.resume(rowStart);
        return rowWalker.recode(columns, writer, recoder);
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
    out.push_back(0xFF);
    out.push_back(0xD9);
    return window;
}
