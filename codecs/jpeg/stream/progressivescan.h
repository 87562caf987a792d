#pragma once

#include "codecs/jpeg/stream/coefficientrows.h"
#include "codecs/jpeg/stream/entropybits.h"
#include "codecs/jpeg/stream/huffmancode.h"
#include "codecs/jpeg/stream/jpegstructure.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Decodes one scan of a progressive frame (T.81, G.1.2) row of MCUs by row, adding what it holds to
// coefficients the frame's earlier scans left: a DC first or refinement scan (one or several components), an
// AC first scan with its end-of-band runs, or an AC refinement scan with its correction bits. Restart markers
// reset the DC predictions; an end-of-band run may not cross one.
class ProgressiveScan
{
  public:
    // Nullopt when the scan names a table that is undefined or builds no code, or an MCU of its
    // components holds more blocks than a decoder allows.
    static std::optional<ProgressiveScan> start(std::span<const std::uint8_t> file, const JpegScan& scan,
                                                const JpegStructure& structure,
                                                const BlockGeometry& geometry);

    // Decodes the scan's blocks in row of MCUs `mcuRow` into `rows`, which hold the earlier scans' values
    // of that row. Rows go in order from 0. False for data a window cannot be cut from: a code the tables
    // do not define, a refinement of more than one bit, a missing restart marker or data that breaks off
    // (damaged(), as a full decode warns), or a coefficient past the band or too large, an end-of-band run
    // that crosses a restart marker or the scan's end (which a full decode passes over).
    bool decodeRow(int mcuRow, CoefficientRows& rows);

    // After decodeRow() failed: true when the data is damaged.
    bool damaged() const { return damaged_; }

  private:
    enum class Kind { DcFirst, DcRefine, AcFirst, AcRefine };

    // A block of an interleaved scan's MCU: its component and where it lies inside the MCU.
    struct BlockPlace
    {
        int component = 0; // index into the frame's components
        int scanComponent = 0;
        int column = 0;
        int row = 0;
    };

    ProgressiveScan(std::span<const std::uint8_t> file, const JpegScan& scan, const BlockGeometry& geometry);

    bool decodeBlock(std::int16_t* block, int scanComponent);
    bool decodeDcFirst(std::int16_t* block, int scanComponent);
    void decodeDcRefine(std::int16_t* block);
    bool decodeAcFirst(std::int16_t* block);
    bool decodeAcRefine(std::int16_t* block);
    void refine(std::int16_t& coefficient);
    bool decodeInterleavedRow(CoefficientRows& rows);
    bool decodeComponentRow(int mcuRow, CoefficientRows& rows);
    bool beforeMcu();
    bool restart();
    bool damage();

    std::span<const std::uint8_t> file_;
    std::size_t dataEnd_ = 0;
    EntropyBits bits_;
    Kind kind_ = Kind::DcFirst;
    int spectralStart_ = 0;
    int spectralEnd_ = 0;
    int approximationLow_ = 0;
    int mcusPerRow_ = 0;
    int mcuRows_ = 0;
    std::vector<BlockGeometry::Component> components_;
    // The blocks of one MCU of an interleaved scan; empty for a scan of one component, which walks
    // that component's own block grid.
    std::vector<BlockPlace> mcuBlocks_;
    int firstComponent_ = 0;
    std::vector<HuffmanCode>
        codes_; // per scan component: its DC table for a DC first scan, else its AC table
    std::array<int, 4> dcPredictions_{};
    std::uint32_t endOfBandRun_ = 0;
    int restartInterval_ = 0;
    int mcusToRestart_ = 0;
    int nextRestartNumber_ = 0;
    bool damaged_ = false;
};
