#include "codecs/jpeg/stream/progressivescan.h"

#include "codecs/jpeg/stream/markers.h"

#include <cstdlib>
#include <limits>

namespace {

// Past this a coefficient of an 8-bit frame was not written by a forward DCT.
constexpr int largestAcValue = 1023;

} // namespace

std::optional<ProgressiveScan> ProgressiveScan::start(std::span<const std::uint8_t> file,
                                                      const JpegScan& scan, const JpegStructure& structure,
                                                      const BlockGeometry& geometry)
{
    ProgressiveScan decoder(file, scan, geometry);
    if (decoder.kind_ != Kind::DcRefine) {
        const std::vector<int>& tables = decoder.kind_ == Kind::DcFirst ? scan.dcTables : scan.acTables;
        for (const int table : tables) {
            const std::optional<HuffmanCode> code =
                table < 0 ? std::nullopt : HuffmanCode::build(structure.tables[std::size_t(table)]);
            if (!code)
                return std::nullopt;
            decoder.codes_.push_back(*code);
        }
    }
    if (scan.components.size() > 1) {
        for (std::size_t i = 0; i < scan.components.size(); ++i) {
            const int component = scan.components[i];
            const BlockGeometry::Component& sampling = geometry.components[std::size_t(component)];
            for (int row = 0; row < sampling.verticalSampling; ++row) {
                for (int column = 0; column < sampling.horizontalSampling; ++column)
                    decoder.mcuBlocks_.push_back({component, int(i), column, row});
            }
        }
        if (decoder.mcuBlocks_.size() > std::size_t(maxBlocksPerMcu))
            return std::nullopt;
    }
    return decoder;
}

ProgressiveScan::ProgressiveScan(std::span<const std::uint8_t> file, const JpegScan& scan,
                                 const BlockGeometry& geometry)
    : file_(file), dataEnd_(scan.dataEnd), bits_(file.data() + scan.dataOffset, file.data() + scan.dataEnd),
      spectralStart_(scan.spectralStart), spectralEnd_(scan.spectralEnd),
      approximationLow_(scan.approximationLow), mcusPerRow_(geometry.mcusPerRow), mcuRows_(geometry.mcuRows),
      components_(geometry.components), firstComponent_(scan.components.front()),
      restartInterval_(scan.restartInterval), mcusToRestart_(scan.restartInterval)
{
    const bool refines = scan.approximationHigh != 0;
    if (scan.spectralStart == 0)
        kind_ = refines ? Kind::DcRefine : Kind::DcFirst;
    else
        kind_ = refines ? Kind::AcRefine : Kind::AcFirst;
}

bool ProgressiveScan::decodeRow(int mcuRow, CoefficientRows& rows)
{
    const bool decoded = mcuBlocks_.empty() ? decodeComponentRow(mcuRow, rows) : decodeInterleavedRow(rows);
    if (bits_.overran())
        return damage();
    return decoded && (mcuRow != mcuRows_ - 1 || endOfBandRun_ == 0);
}

bool ProgressiveScan::decodeInterleavedRow(CoefficientRows& rows)
{
    for (int mcu = 0; mcu < mcusPerRow_; ++mcu) {
        if (!beforeMcu())
            return false;
        for (const BlockPlace& place : mcuBlocks_) {
            const int column =
                mcu * components_[std::size_t(place.component)].horizontalSampling + place.column;
            if (!decodeBlock(rows.block(place.component, column, place.row), place.scanComponent))
                return false;
        }
    }
    return true;
}

bool ProgressiveScan::decodeComponentRow(int mcuRow, CoefficientRows& rows)
{
    const BlockGeometry::Component& component = components_[std::size_t(firstComponent_)];
    for (int row = 0; row < component.verticalSampling; ++row) {
        if (mcuRow * component.verticalSampling + row >= component.heightInBlocks)
            break;
        for (int column = 0; column < component.widthInBlocks; ++column) {
            if (!beforeMcu() || !decodeBlock(rows.block(firstComponent_, column, row), 0))
                return false;
        }
    }
    return true;
}

bool ProgressiveScan::decodeBlock(std::int16_t* block, int scanComponent)
{
    switch (kind_) {
    case Kind::DcFirst:
        return decodeDcFirst(block, scanComponent);
    case Kind::DcRefine:
        decodeDcRefine(block);
        return true;
    case Kind::AcFirst:
        return decodeAcFirst(block);
    case Kind::AcRefine:
        return decodeAcRefine(block);
    }
    return false;
}

// A DC difference as in a sequential scan, scaled by the scan's point transform (T.81, G.1.2.1).
bool ProgressiveScan::decodeDcFirst(std::int16_t* block, int scanComponent)
{
    bits_.fill(32);
    const HuffmanCode::Symbol symbol =
        codes_[std::size_t(scanComponent)].match(bits_.peek(HuffmanCode::longestCode));
    if (symbol.length == 0)
        return damage();
    if (symbol.value > largestDcCategory)
        return false;
    bits_.skip(symbol.length);
    int& prediction = dcPredictions_[std::size_t(scanComponent)];
    // The prediction stays inside 16 bits (checked below), so neither the sum nor the scaling overflows.
    prediction += extendMagnitude(bits_.take(symbol.value), symbol.value);
    const int value = prediction * (1 << approximationLow_);
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return false;
    block[0] = std::int16_t(value);
    return true;
}

// One more bit of the DC value, as it stands (T.81, G.1.2.1).
void ProgressiveScan::decodeDcRefine(std::int16_t* block)
{
    bits_.fill(1);
    if (bits_.take(1) != 0)
        block[0] = std::int16_t(block[0] | (1 << approximationLow_));
}

// The band's first coefficients, or a block of an end-of-band run (T.81, G.1.2.2; EOBn, Table G.1).
bool ProgressiveScan::decodeAcFirst(std::int16_t* block)
{
    if (endOfBandRun_ > 0) {
        --endOfBandRun_;
        return true;
    }
    const HuffmanCode& code = codes_.front();
    for (int k = spectralStart_; k <= spectralEnd_; ++k) {
        bits_.fill(32);
        const HuffmanCode::Symbol symbol = code.match(bits_.peek(HuffmanCode::longestCode));
        if (symbol.length == 0)
            return damage();
        bits_.skip(symbol.length);
        const int run = symbol.value >> 4;
        const int category = symbol.value & 0x0F;
        if (category != 0) {
            k += run;
            const int value = extendMagnitude(bits_.take(category), category) * (1 << approximationLow_);
            if (k > spectralEnd_ || std::abs(value) > largestAcValue)
                return false;
            block[k] = std::int16_t(value);
        } else if (symbol.value == zeroRunSymbol) {
            k += 15;
            if (k > spectralEnd_)
                return false;
        } else {
            // This block ends the band and opens a run of 2^run + extra bits blocks that do.
            endOfBandRun_ = (1U << run) + bits_.take(run) - 1;
            return true;
        }
    }
    return true;
}

// One more bit of the band's coefficients: new ones of magnitude 1, and a correction bit for each one
// already nonzero (T.81, G.1.2.3).
bool ProgressiveScan::decodeAcRefine(std::int16_t* block)
{
    int k = spectralStart_;
    if (endOfBandRun_ == 0) {
        const HuffmanCode& code = codes_.front();
        const int one = 1 << approximationLow_;
        for (; k <= spectralEnd_; ++k) {
            bits_.fill(32);
            const HuffmanCode::Symbol symbol = code.match(bits_.peek(HuffmanCode::longestCode));
            if (symbol.length == 0)
                return damage();
            bits_.skip(symbol.length);
            int zerosToPass = symbol.value >> 4;
            const int category = symbol.value & 0x0F;
            int newValue = 0;
            if (category == 1) {
                newValue = bits_.take(1) != 0 ? one : -one;
                if (one > largestAcValue)
                    return false;
            } else if (category != 0) {
                return damage();
            } else if (symbol.value != zeroRunSymbol) {
                endOfBandRun_ = (1U << zerosToPass) + bits_.take(zerosToPass);
                break;
            }
            // Passes the coefficients already nonzero, each with its correction bit, and `zerosToPass`
            // zero ones, stopping on the zero one after them: the new coefficient's place, or the last of
            // a zero run's sixteen.
            for (; k <= spectralEnd_; ++k) {
                if (block[k] != 0)
                    refine(block[k]);
                else if (zerosToPass-- == 0)
                    break;
            }
            if (k > spectralEnd_)
                return false;
            block[k] = std::int16_t(newValue);
        }
    }
    if (endOfBandRun_ > 0) {
        for (; k <= spectralEnd_; ++k) {
            if (block[k] != 0)
                refine(block[k]);
        }
        --endOfBandRun_;
    }
    return true;
}

void ProgressiveScan::refine(std::int16_t& coefficient)
{
    bits_.fill(1);
    const int one = 1 << approximationLow_;
    // A correction bit of 1 adds the bit to the coefficient's magnitude.
    if (bits_.take(1) != 0 && (coefficient & one) == 0)
        coefficient = std::int16_t(coefficient >= 0 ? coefficient + one : coefficient - one);
}

bool ProgressiveScan::beforeMcu()
{
    if (restartInterval_ == 0)
        return true;
    if (mcusToRestart_ == 0 && !restart())
        return false;
    --mcusToRestart_;
    return true;
}

bool ProgressiveScan::restart()
{
    if (bits_.overran())
        return damage();
    if (endOfBandRun_ != 0)
        return false;
    // The marker follows the byte that holds the interval's last bit, padded with ones; a padded byte
    // of all ones carries its stuffed 0x00.
    const EntropyBits::Position position = bits_.position();
    std::size_t at = std::size_t(position.byte - file_.data());
    if (position.bitsReadOfByte != 0)
        at += file_[at] == jpegmarker::prefix ? 2 : 1;
    if (at + 2 > dataEnd_ || file_[at] != jpegmarker::prefix ||
        file_[at + 1] != jpegmarker::firstRestart + nextRestartNumber_)
        return damage();
    bits_ = EntropyBits(file_.data() + at + 2, file_.data() + dataEnd_);
    dcPredictions_.fill(0);
    nextRestartNumber_ = (nextRestartNumber_ + 1) % jpegmarker::restartMarkerCount;
    mcusToRestart_ = restartInterval_;
    return true;
}

// A fault a full decode warns of too.
bool ProgressiveScan::damage()
{
    damaged_ = true;
    return false;
}
