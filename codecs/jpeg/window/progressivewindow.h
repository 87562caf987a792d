#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/window/jpegwindow.h"

#include <cstdint>
#include <span>

// As CutJpegWindow, for a progressive picture (8-bit, Huffman-coded, T.81 G.1.2) whose `structure` was read
// through all its scans: every scan is decoded row of MCUs by row down to the window's last row, all scans
// in step, so only one row of MCUs' coefficients is held at a time; the window's MCUs are coded again as a
// baseline JPEG of their own. Damaged: a file whose scans the end-of-image marker does not follow, and data
// a full decode warns of before the window's last row (ProgressiveScan::damaged()). No window, not damaged:
// any other picture, a region outside the picture, more components than one scan holds or more blocks than an
// MCU of the window may hold, scans that leave some coefficient short of full precision (a decoder smooths
// such pictures, so a window would not decode to the same pixels), quantization tables defined again after
// the first scan, and coefficients a baseline window cannot code.
WindowCut CutProgressiveJpegWindow(std::span<const std::uint8_t> file, const JpegStructure& structure, int x,
                                   int y, int width, int height);
