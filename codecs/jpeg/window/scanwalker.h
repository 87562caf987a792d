#pragma once

#include "codecs/jpeg/window/jpegstructure.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

class BitWriter;
class DcRecoder;

// The DC value of each scan component's last block, in the scan's order.
using DcValues = std::array<std::int64_t, 4>;

// Walks the MCUs of a sequential scan from the start of its entropy-coded data, decoding the Huffman codes
// only (no dequantizing, no inverse DCT), and keeps the DC value each component's next difference counts
// from.
class ScanWalker
{
  public:
    // Where the walker stands, at the start of an MCU.
    struct Mark
    {
        // Data bits (stuffed bytes left out) read since the walker started or last resumed.
        std::uint64_t bitsRead = 0;
        // The file offset of the byte holding the next bit, and how many of its bits were read.
        std::size_t byteOffset = 0;
        int bitsReadOfByte = 0;
        DcValues dcValues{};
    };

    // Nullptr unless `structure` is a Huffman-coded sequential 8-bit frame whose first scan holds every
    // component interleaved (or its only component, sampled 1x1) without restart markers, with the tables
    // it names defined.
    static std::unique_ptr<ScanWalker> start(std::span<const std::uint8_t> file,
                                             const JpegStructure& structure);

    virtual ~ScanWalker() = default;

    // Another walker over the same scan (sharing this one's tables), starting at `byteOffset` inside the
    // data as if an MCU started there with DC values of 0: right only where an MCU does start there, which
    // a walker from the data's start can confirm by reaching the same bit at the start of an MCU. Nullptr
    // for an offset past the file.
    virtual std::unique_ptr<ScanWalker> startedAt(std::size_t byteOffset) const = 0;

    // Skips `count` MCUs; false when the data holds a code the tables do not define or breaks off before.
    virtual bool skip(std::int64_t count) = 0;

    // Skips up to `count` MCUs, noting in `starts` where each of them starts (the one it stops in too);
    // returns how many it skipped whole, fewer than `count` when skip() would have failed.
    virtual std::int64_t skipNoting(std::int64_t count, Mark* starts) = 0;

    // True once the walk took bits past the data's end (a marker, or the end of the file).
    virtual bool ranOutOfData() const = 0;

    // Decodes `count` MCUs and writes them to `out` again with the same AC codes and the DC values coded
    // by `recoder`. False as for skip().
    virtual bool recode(std::int64_t count, BitWriter& out, DcRecoder& recoder) = 0;

    virtual Mark mark() const = 0;
    // Goes on from a mark, here or of another walker over the same file.
    virtual void resume(const Mark& mark) = 0;
};

// Codes DC values as differences from the previous block of the same component, with one Huffman table
// that holds every category 0..15, so that any value a walked scan gives can be coded.
class DcRecoder
{
  public:
    static HuffmanTable table();

    // Appends the code of `value` for scan component `component`; false when the difference needs more
    // than 15 bits.
    bool put(BitWriter& out, int component, std::int64_t value);

  private:
    DcValues previous_{};
};
