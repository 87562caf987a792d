// Windows cut out of any bytes read as a JPEG, baseline or progressive: nothing is read outside the bytes,
// a window is a JPEG whose frame has the window's size around the region, and sharing a baseline walk
// between two threads never changes the window or the verdict of damage.
#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/window/baselinewindow.h"
#include "codecs/jpeg/window/progressivewindow.h"
#include "fuzz/fuzzsupport.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

// A region from the bytes' last four bytes, placed inside the picture.
struct Region
{
    int x = 0;
    int y = 0;
    int width = 1;
    int height = 1;
};

Region RegionFrom(std::span<const std::uint8_t> bytes, const JpegStructure& structure)
{
    Region region;
    if (bytes.size() < 4 || structure.width == 0 || structure.height == 0)
        return region;
    const std::uint8_t* tail = bytes.data() + bytes.size() - 4;
    region.x = tail[0] * structure.width / 256;
    region.y = tail[1] * structure.height / 256;
    region.width = 1 + tail[2] * (structure.width - region.x - 1) / 255;
    region.height = 1 + tail[3] * (structure.height - region.y - 1) / 255;
    return region;
}

// A cut gives a window or a verdict of damage, never both.
void CheckWindow(const WindowCut& windowCut, const Region& region)
{
    FUZZ_REQUIRE(!(windowCut.window && windowCut.damaged));
    if (!windowCut.window)
        return;
    const WindowPlace& place = windowCut.window->place;
    const std::optional<JpegStructure> cut = ReadJpegStructure(windowCut.window->file, ScansToRead::All);
    FUZZ_REQUIRE(cut && cut->width == place.width && cut->height == place.height);
    FUZZ_REQUIRE(place.left <= region.x && place.top <= region.y);
    FUZZ_REQUIRE(place.left + place.width >= region.x + region.width);
    FUZZ_REQUIRE(place.top + place.height >= region.y + region.height);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    // As a drop reads it: up to the first scan for a baseline window, through every scan for a progressive
    // one.
    JpegStructureReader reader(bytes);
    if (!reader.readToFirstScan())
        return 0;
    const JpegStructure firstScan = reader.structure();
    const Region region = RegionFrom(bytes, firstScan);
    const WindowCutSharing alone{std::int64_t(1) << 40, 0.5};
    const WindowCut window =
        CutJpegWindow(bytes, firstScan, region.x, region.y, region.width, region.height, alone);
    CheckWindow(window, region);
    const double share = size > 0 ? data[0] / 128.0 : 0.5;
    const WindowCut shared =
        CutJpegWindow(bytes, firstScan, region.x, region.y, region.width, region.height, {0, share});
    FUZZ_REQUIRE(shared.window.has_value() == window.window.has_value());
    FUZZ_REQUIRE(shared.damaged == window.damaged);
    FUZZ_REQUIRE(!shared.window || shared.window->file == window.window->file);
    if (!reader.readLaterScans())
        return 0;
    const WindowCut progressive =
        CutProgressiveJpegWindow(bytes, reader.structure(), region.x, region.y, region.width, region.height);
    CheckWindow(progressive, region);
    FUZZ_REQUIRE(!(progressive.window && window.window));
    return 0;
}
