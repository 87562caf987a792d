#pragma once

#include "codecs/jpeg/stream/blockgeometry.h"
#include "codecs/jpeg/stream/huffmancode.h"
#include "codecs/jpeg/stream/jpegstructure.h"

#include <array>
#include <cstdint>
#include <vector>

// How many of the next bits the quick tables of a scan walk look at: enough for most codes and their
// magnitude bits (several AC codes at once), few enough for the tables to stay in the processor's nearest
// cache.
inline constexpr int dcLookaheadBits = 12;
inline constexpr int acLookaheadBits = 13;

// For passing AC coefficients without decoding them: indexed by the next acLookaheadBits bits, the codes
// (each with its magnitude bits) that lie wholly inside them, read one after the other up to the end of
// block: how many bits they take (bits 0..3), how far they move along the block (bits 4..10) and whether
// they end it (bit 15). When not even the first code fits, the move is the farthest there is, so the one
// test that keeps a block's codes inside it also sends such bits to the code-by-code path.
class AcSkipTable
{
  public:
    static constexpr std::uint16_t endsBlock = 0x8000;
    static constexpr int farthestMove = 127;

    explicit AcSkipTable(const HuffmanCode& code);

    std::uint16_t at(std::uint32_t next) const { return entries_[next]; }

    // How far an AC symbol RRRRSSSS moves along the block (T.81, F.1.2.2): its run of zeros and its
    // coefficient, 16 zeros for the zero run (ZRL), 0 for the end of block (EOB).
    static int coefficientStep(std::uint8_t symbol)
    {
        const int run = symbol >> 4;
        const int category = symbol & 0x0F;
        return category != 0 ? run + 1 : (run == 15 ? 16 : 0);
    }

  private:
    std::array<std::uint16_t, 1 << acLookaheadBits> entries_{};
};

// For DC differences: indexed by the next dcLookaheadBits bits, the bits a code and its magnitude bits take
// (bits 0..4) and the difference they give (bits 16..31); 0 when they do not fit.
class DcTable
{
  public:
    explicit DcTable(const HuffmanCode& code);

    std::uint32_t at(std::uint32_t next) const { return entries_[next]; }

  private:
    std::array<std::uint32_t, 1 << dcLookaheadBits> entries_{};
};

// The tables of one block of an MCU.
struct BlockTables
{
    const HuffmanCode* dc = nullptr;
    const DcTable* dcQuick = nullptr;
    const HuffmanCode* ac = nullptr;
    const AcSkipTable* acSkip = nullptr;
    int scanComponent = 0;
};

// The tables of the blocks of a sequential scan's MCU, in the order the MCU holds them (T.81, A.2.3), made
// once and shared by every walker over the scan.
class ScanTables
{
  public:
    ScanTables() = default;
    ScanTables(const ScanTables&) = delete;
    ScanTables& operator=(const ScanTables&) = delete;

    // Builds the tables of the first scan of `structure`. False when it names an undefined table, a table
    // builds no code or an MCU holds more than maxBlocksPerMcu blocks.
    bool build(const JpegStructure& structure);

    const BlockTables& block(int index) const { return blocks_[std::size_t(index)]; }
    int blockCount() const { return blockCount_; }

  private:
    std::vector<HuffmanCode> codes_;
    std::vector<DcTable> dcTables_;
    std::vector<AcSkipTable> skipTables_;
    std::array<BlockTables, maxBlocksPerMcu> blocks_{};
    int blockCount_ = 0;
};
