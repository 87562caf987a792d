#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/stream/scanwalker.h"
#include "codecs/jpeg/window/bitwriter.h"
#include "codecs/jpeg/window/huffmanwriting.h"

#include <cstdint>

// Codes DC values as differences from the previous block of the same component (T.81, F.1.2.1), with one
// Huffman table that holds every category 0..15, so that any value a walked scan gives can be coded.
class DcRecoder
{
  public:
    DcRecoder();

    static HuffmanTable table();

    // Appends the code of `value` for scan component `component`; false when the difference needs more
    // than 15 bits.
    bool put(BitWriter& out, int component, std::int64_t value);

  private:
    Codewords codewords_;
    DcValues previous_{};
};
