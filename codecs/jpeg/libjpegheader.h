#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"

#include <cstdint>
#include <span>

// libjpeg reads a JPEG's header up to the first scan before it decodes anything, and refuses some headers
// our structure reader takes: markers it does not know, frames it does not decode, segments whose lengths
// do not add up. True when `structure`, read up to the first scan of `file`, is a header libjpeg is sure
// to read without a fault and with the same frame, so that its reading can be left out: nothing but the
// segments of a Huffman-coded 8-bit picture, each as libjpeg checks it. False leaves the verdict, and its
// message, to libjpeg.
bool LibjpegReadsHeaderAlike(std::span<const std::uint8_t> file, const JpegStructure& structure);
