#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/window/jpegwindow.h"

#include <cstdint>
#include <span>

// How the walk to the window's rows is shared between two threads (see sharedwalk.h): the second starts
// at `secondStartShare` of the estimated way through the data to the window's last row.
struct WindowCutSharing
{
    // Fewer MCUs than this up to the window's last row are walked by one thread alone.
    std::int64_t leastMcusToShare = 8192;
    double secondStartShare = 0.5;
};

// Cuts out of a sequential JPEG the MCUs around the region (x, y, width, height), as WindowMcus chooses
// them, so that the region decodes to the same pixels as in the whole picture. `structure` is the file's,
// read at least to its first scan's data. Only the Huffman codes of the MCUs above and beside the window
// are decoded, to find where the window's MCUs lie. Damaged: data that breaks off or holds an undefined code
// before the window's last MCU, or, when that MCU is the picture's last, data left over after it that a
// full decode warns of. No window, not damaged: a picture ScanWalker cannot walk, a region outside
// the picture, DC values the window's table cannot code. The result does not depend on `sharing`.
WindowCut CutJpegWindow(std::span<const std::uint8_t> file, const JpegStructure& structure, int x, int y,
                        int width, int height, const WindowCutSharing& sharing = {});
