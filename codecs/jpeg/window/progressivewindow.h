#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/window/jpegwindow.h"

#include <cstdint>
#include <optional>
#include <span>

// As CutJpegWindow, for a progressive picture (8-bit, Huffman-coded, T.81 G.1.2) whose `structure` was read
// through all its scans: every scan is decoded row of MCUs by row down to the window's last row, all scans
// in step, so only one row of MCUs' coefficients is held at a time; the window's MCUs are coded again as a
// baseline JPEG of their own. Nullopt for any other picture, a region outside the picture, more components
// than one scan holds, scans that leave some coefficient short of full precision (a decoder smooths such
// pictures, so a window would not decode to the same pixels), quantization tables defined again after the
// first scan, a file that ends inside its last scan, and data that is damaged before the window's last row.
std::optional<JpegWindow> CutProgressiveJpegWindow(std::span<const std::uint8_t> file,
                                                   const JpegStructure& structure, int x, int y, int width,
                                                   int height);
