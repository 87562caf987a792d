#include "codecs/jpeg/window/progressivewindow.h"

#include "codecs/jpeg/stream/coefficientrows.h"
#include "codecs/jpeg/stream/markers.h"
#include "codecs/jpeg/stream/progressivescan.h"
#include "codecs/jpeg/stream/progressivescript.h"
#include "codecs/jpeg/window/progressivewindowfile.h"

namespace {

std::optional<std::vector<ProgressiveScan>>
startScans(std::span<const std::uint8_t> file, const JpegStructure& structure, const BlockGeometry& geometry)
{
    std::vector<ProgressiveScan> scans;
    for (const JpegScan& scan : structure.scans) {
        std::optional<ProgressiveScan> started = ProgressiveScan::start(file, scan, structure, geometry);
        if (!started)
            return std::nullopt;
        scans.push_back(std::move(*started));
    }
    return scans;
}

// The blocks of the window's one interleaved scan: every block of every component's MCU.
int blocksPerMcu(const BlockGeometry& geometry)
{
    int blocks = 0;
    for (const BlockGeometry::Component& component : geometry.components)
        blocks += component.horizontalSampling * component.verticalSampling;
    return blocks;
}

} // namespace

WindowCut CutProgressiveJpegWindow(std::span<const std::uint8_t> file, const JpegStructure& structure, int x,
                                   int y, int width, int height)
{
    if (structure.frameMarker != jpegmarker::progressiveFrame || structure.precision != 8 ||
        structure.components.size() > maxScanComponents ||
        !RegionInsidePicture(structure, x, y, width, height))
        return {};
    // A full decode reads every scan up to the end of image: a file that ends before it, or holds anything
    // but markers after its scans, is damaged, even where the rows the window needs are whole.
    if (!structure.reachedEndOfImage)
        return {std::nullopt, true};
    const BlockGeometry geometry = BlockGeometry::of(structure);
    if (!FollowsCompleteProgression(structure) || blocksPerMcu(geometry) > maxBlocksPerMcu)
        return {};
    const WindowMcus mcus = WindowMcus::around(geometry, x, y, width, height);
    JpegWindow window;
    window.place = WindowPlace::of(structure, geometry, mcus);

    std::optional<std::vector<std::uint8_t>> head =
        ProgressiveWindowHead(file, structure, geometry, window.place.width, window.place.height);
    std::optional<std::vector<ProgressiveScan>> scans = startScans(file, structure, geometry);
    if (!head || !scans)
        return {};
    window.file = std::move(*head);
    BaselineBlockWriter writer(window.file);
    CoefficientRows rows(geometry);
    for (int row = 0; row <= mcus.lastRow; ++row) {
        rows.clear();
        for (ProgressiveScan& scan : *scans) {
            if (!scan.decodeRow(row, rows))
                return {std::nullopt, scan.damaged()};
        }
        if (row >= mcus.firstRow && !writer.putRow(rows, geometry, mcus.firstColumn, mcus.columns()))
            return {};
    }
    writer.finish();
    window.file.insert(window.file.end(), {jpegmarker::prefix, jpegmarker::endOfImage});
    return {std::move(window), false};
}
