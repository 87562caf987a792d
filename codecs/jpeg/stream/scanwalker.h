#pragma once

#include "codecs/jpeg/stream/entropybits.h"
#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/stream/scantables.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

// The DC value of each scan component's last block, in the scan's order.
using DcValues = std::array<std::int64_t, maxScanComponents>;

// Walks the MCUs of a sequential scan from the start of its entropy-coded data, decoding the Huffman codes
// only (no dequantizing, no inverse DCT), and keeps the DC value each component's next difference counts
// from. Walkers over one scan share its tables and are cheap to copy.
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

    // Nullopt unless `structure` is a Huffman-coded sequential 8-bit frame whose first scan holds every
    // component interleaved (or its only component, sampled 1x1) without restart markers, with the tables
    // it names defined.
    static std::optional<ScanWalker> start(std::span<const std::uint8_t> file,
                                           const JpegStructure& structure);

    // Another walker over the same scan, starting at `byteOffset` (at most the file's size) inside the data
    // as if an MCU started there with DC values of 0: right only where an MCU does start there, which a
    // walker from the data's start can confirm by reaching the same bit at the start of an MCU.
    ScanWalker startedAt(std::size_t byteOffset) const;

    // Skips `count` MCUs; false when the data holds a code the tables do not define or breaks off before.
    bool skip(std::int64_t count);

    // Skips up to `count` MCUs, noting in `starts` where each of them starts (the one it stops in too);
    // returns how many it skipped whole, fewer than `count` when skip() would have failed.
    std::int64_t skipNoting(std::int64_t count, Mark* starts);

    // True once the walk took bits past the data's end (a marker, or the end of the file).
    bool ranOutOfData() const { return bits_.overran(); }

    Mark mark() const { return markOf(bits_, dcValues_); }
    // Goes on from a mark, here or of another walker over the same file.
    void resume(const Mark& mark);

    // Walks `count` MCUs as skip() does, handing each block's DC value to `dcSink(scanComponent, value)`,
    // which returns false to stop, and the block's AC codes with their magnitude bits, as the data holds
    // them, to `acSink(bits, bitCount)`: several codes at a time where the quick table takes them at once.
    template <typename DcSink, typename AcSink>
    bool walk(std::int64_t count, DcSink&& dcSink, AcSink&& acSink);

  private:
    ScanWalker(std::span<const std::uint8_t> file, std::size_t startOffset,
               std::shared_ptr<const ScanTables> tables);

    Mark markOf(const EntropyBits& bits, const DcValues& dcValues) const;

    // The steps of a walk are inlined into each walk, so that the reader stays in registers there.
    template <typename DcSink, typename AcSink>
    [[gnu::always_inline]] static bool walkMcu(EntropyBits& bits, DcValues& dcValues,
                                               const ScanTables& tables, DcSink& dcSink, AcSink& acSink);
    [[gnu::always_inline]] static bool readDc(EntropyBits& bits, const BlockTables& tables,
                                              DcValues& dcValues);
    template <typename AcSink>
    [[gnu::always_inline]] static bool passCoefficients(EntropyBits& bits, const BlockTables& tables,
                                                        AcSink& acSink);

    std::span<const std::uint8_t> file_;
    EntropyBits bits_;
    std::shared_ptr<const ScanTables> tables_;
    DcValues dcValues_{};
};

template <typename DcSink, typename AcSink>
bool ScanWalker::walk(std::int64_t count, DcSink&& dcSink, AcSink&& acSink)
{
    // The reader and the DC values live in locals while the MCUs are walked, where the compiler can keep
    // them in registers.
    EntropyBits bits = bits_;
    DcValues dcValues = dcValues_;
    const ScanTables& tables = *tables_;
    bool decodes = true;
    for (std::int64_t mcu = 0; mcu < count && decodes; ++mcu)
        decodes = walkMcu(bits, dcValues, tables, dcSink, acSink);
    bits_ = bits;
    dcValues_ = dcValues;
    return decodes && !bits_.overran();
}

// The blocks of one MCU in turn, each a DC difference and its AC codes (T.81, F.2.2.1 and F.2.2.2).
template <typename DcSink, typename AcSink>
inline bool ScanWalker::walkMcu(EntropyBits& bits, DcValues& dcValues, const ScanTables& tables,
                                DcSink& dcSink, AcSink& acSink)
{
    const int blockCount = tables.blockCount();
    for (int b = 0; b < blockCount; ++b) {
        const BlockTables& block = tables.block(b);
        if (!readDc(bits, block, dcValues) ||
            !dcSink(block.scanComponent, dcValues[std::size_t(block.scanComponent)]) ||
            !passCoefficients(bits, block, acSink))
            return false;
    }
    return true;
}

// Reads a block's DC difference and adds it to its component's value.
inline bool ScanWalker::readDc(EntropyBits& bits, const BlockTables& tables, DcValues& dcValues)
{
    bits.fill(32);
    int difference = 0;
    if (const std::uint32_t quick = tables.dcQuick->at(bits.peek(dcLookaheadBits)); quick != 0) {
        bits.skip(int(quick & 0x1F));
        difference = std::int16_t(quick >> 16);
    } else {
        const HuffmanCode::Symbol dc = tables.dc->match(bits.peek(HuffmanCode::longestCode));
        if (dc.length == 0 || dc.value > largestDcCategory)
            return false;
        bits.skip(dc.length);
        difference = extendMagnitude(bits.take(dc.value), dc.value);
    }
    dcValues[std::size_t(tables.scanComponent)] += difference;
    return true;
}

// Takes a block's AC codes with their magnitude bits up to its end, without working out the coefficients
// (the decoding of T.81, Figure F.13, passing RRRRSSSS and the SSSS bits by as they stand).
template <typename AcSink>
inline bool ScanWalker::passCoefficients(EntropyBits& bits, const BlockTables& tables, AcSink& acSink)
{
    const auto pass = [&bits, &acSink](int count) {
        acSink(bits.peek(count), count);
        bits.skip(count);
    };
    for (int k = 1; k < coefficientsPerBlock;) {
        bits.fill(32);
        const std::uint16_t quick = tables.acSkip->at(bits.peek(acLookaheadBits));
        const int quickAdvance = (quick >> 4) & 0x7F;
        // Several codes at once, unless they might run past the block's last coefficient.
        if (k + quickAdvance < coefficientsPerBlock) {
            pass(quick & 0x0F);
            if (quick & AcSkipTable::endsBlock)
                return true;
            k += quickAdvance;
            continue;
        }
        const HuffmanCode::Symbol symbol = tables.ac->match(bits.peek(HuffmanCode::longestCode));
        if (symbol.length == 0)
            return false;
        pass(symbol.length + (symbol.value & 0x0F));
        const int advance = AcSkipTable::coefficientStep(symbol.value);
        if (advance == 0)
            return true;
        k += advance;
    }
    return true;
}
