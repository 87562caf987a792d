#pragma once

#include "imagesize/imagesize.h"

#include <cstdint>
#include <span>

namespace imagesize {

// What each format's reader finds in the bytes from the start of a file that begin with its signature (the
// format table tests it), kept apart from the file reads so the byte logic can be driven alone. Bytes past
// the end of the span count as 0.
ImageSizeInfo bmpSizeFromBytes(std::span<const std::uint8_t> bytes);
ImageSizeInfo gifSizeFromBytes(std::span<const std::uint8_t> bytes);
// Needs the whole file: the frame header may stand anywhere after the segments before it.
ImageSizeInfo jpegSizeFromBytes(std::span<const std::uint8_t> bytes);
ImageSizeInfo pngSizeFromBytes(std::span<const std::uint8_t> bytes);

} // namespace imagesize
