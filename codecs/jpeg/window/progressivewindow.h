#pragma once

#include "codecs/jpeg/window/windowcut.h"

#include <cstdint>
#include <optional>
#include <span>

// As CutJpegWindow, for a progressive picture (8-bit, Huffman-coded): every scan is decoded row of MCUs
// by row down to the window's last row, all scans in step, so only one row of MCUs' coefficients is held
// at a time; the window's MCUs are coded again as a baseline JPEG of their own. Nullopt for any other
// picture, a region outside the picture, scans that leave some coefficient short of full precision (a
// decoder smooths such pictures, so a window would not decode to the same pixels), quantization tables
// defined again after the first scan, a file that ends inside its last scan, and data that is damaged before
// the window's last row.
std::optional<JpegWindow> CutProgressiveJpegWindow(std::span<const std::uint8_t> file, int x, int y,
                                                   int width, int height);
