#pragma once

#include "codecs/jpeg/stream/coefficientrows.h"
#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/window/bitwriter.h"
#include "codecs/jpeg/window/dcrecoder.h"
#include "codecs/jpeg/window/huffmanwriting.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// An AC table holding every symbol an 8-bit baseline scan may use (runs 0..15 with categories 1..10, the
// end of block and the zero run): the luminance AC table the JPEG standard suggests (T.81, Table K.5).
HuffmanTable FullAcTable();

// The start of a baseline JPEG holding a window of a progressive frame, up to its scan's entropy-coded
// data: the segments before the frame's first scan that say how to read the pixels (quantization tables,
// application and comment segments), a baseline frame of `width` x `height` with the frame's components,
// DcRecoder's DC table and FullAcTable(), and one scan of every component. Nullopt when quantization
// tables are defined again after the first scan: the window's file holds one set.
std::optional<std::vector<std::uint8_t>> ProgressiveWindowHead(std::span<const std::uint8_t> file,
                                                               const JpegStructure& structure,
                                                               const BlockGeometry& geometry, int width,
                                                               int height);

// Appends blocks to a baseline scan's entropy-coded data: DC values with DcRecoder's table, AC
// coefficients with FullAcTable().
class BaselineBlockWriter
{
  public:
    explicit BaselineBlockWriter(std::vector<std::uint8_t>& out);

    // Appends the MCUs firstMcu .. firstMcu + mcuCount - 1 of a row of MCUs, each component's blocks in
    // turn. False when a coefficient is too large for the tables.
    bool putRow(CoefficientRows& rows, const BlockGeometry& geometry, int firstMcu, int mcuCount);

    // Pads the data's last byte.
    void finish() { bits_.padToByte(); }

  private:
    bool putBlock(const std::int16_t* block, int component);

    BitWriter bits_;
    DcRecoder dc_;
    Codewords acCodes_;
};
