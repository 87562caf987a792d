#include "codecs/jpeg/window/scanwalker.h"

#include "codecs/jpeg/window/bitwriter.h"
#include "codecs/jpeg/window/entropybits.h"
#include "codecs/jpeg/window/huffmancode.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr int coefficientsPerBlock = 64;
constexpr int maxBlocksPerMcu = 10;
constexpr int largestDcCategory = 15;

// How many of the next bits the quick tables look at: enough for most codes and their magnitude bits
// (several AC codes at once), few enough for the tables to stay in the processor's nearest cache.
constexpr int dcLookaheadBits = 12;
constexpr int acLookaheadBits = 13;

// For skipping AC coefficients: indexed by the next acLookaheadBits bits, the codes (each with its magnitude
// bits) that lie wholly inside them, read one after the other up to the end of block: how many bits they
// take (bits 0..3), how far they move along the block (bits 4..10) and whether they end it (bit 15).
// When not even the first code fits, the move is the farthest there is, so the one test that keeps a
// block's codes inside it also sends such bits to the code-by-code path.
class AcSkipTable
{
  public:
    static constexpr std::uint16_t endsBlock = 0x8000;
    static constexpr int farthestMove = 127;

    explicit AcSkipTable(const HuffmanCode& code)
    {
        entries_.fill(std::uint16_t(farthestMove << 4));
        for (std::uint32_t bits = 0; bits < entries_.size(); ++bits) {
            int used = 0;
            int advance = 0;
            bool ends = false;
            while (!ends) {
                const std::uint32_t rest = (bits << used) & ((1U << acLookaheadBits) - 1);
                const HuffmanCode::Symbol symbol =
                    code.match(rest << (HuffmanCode::longestCode - acLookaheadBits));
                const int category = symbol.value & 0x0F;
                const int step = coefficientStep(symbol.value);
                if (symbol.length == 0 || used + symbol.length + category > acLookaheadBits ||
                    advance + step >= farthestMove)
                    break;
                used += symbol.length + category;
                advance += step;
                ends = step == 0;
            }
            if (used != 0)
                entries_[bits] = std::uint16_t((ends ? endsBlock : 0) | advance << 4 | used);
        }
    }

    std::uint16_t at(std::uint32_t next) const { return entries_[next]; }

    // How far an AC symbol moves along the block: its run of zeros and its coefficient, 16 zeros for the
    // zero-run code, 0 for the end of block.
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
    explicit DcTable(const HuffmanCode& code)
    {
        for (std::uint32_t bits = 0; bits < entries_.size(); ++bits) {
            const HuffmanCode::Symbol symbol =
                code.match(bits << (HuffmanCode::longestCode - dcLookaheadBits));
            const int used = symbol.length + symbol.value;
            if (symbol.length == 0 || symbol.value > largestDcCategory || used > dcLookaheadBits)
                continue;
            const std::uint32_t magnitude = (bits >> (dcLookaheadBits - used)) & ((1U << symbol.value) - 1);
            const int difference = extendMagnitude(magnitude, symbol.value);
            entries_[bits] = std::uint32_t(difference) << 16 | std::uint32_t(used);
        }
    }

    std::uint32_t at(std::uint32_t next) const { return entries_[next]; }

  private:
    std::array<std::uint32_t, 1 << dcLookaheadBits> entries_{};
};

struct BlockTables
{
    const HuffmanCode* dc = nullptr;
    const DcTable* dcQuick = nullptr;
    const HuffmanCode* ac = nullptr;
    const AcSkipTable* acSkip = nullptr;
    int scanComponent = 0;
};

// The tables of a scan's blocks, made once and shared by every walker over the scan.
class ScanTables
{
  public:
    ScanTables() = default;
    ScanTables(const ScanTables&) = delete;
    ScanTables& operator=(const ScanTables&) = delete;

    bool build(const JpegStructure& structure)
    {
        const JpegScan& scan = structure.scans.front();
        for (std::size_t i = 0; i < scan.components.size(); ++i) {
            if (scan.dcTables[i] < 0 || scan.acTables[i] < 0)
                return false;
            const std::optional<HuffmanCode> dc =
                HuffmanCode::build(structure.tables[std::size_t(scan.dcTables[i])]);
            const std::optional<HuffmanCode> ac =
                HuffmanCode::build(structure.tables[std::size_t(scan.acTables[i])]);
            if (!dc || !ac)
                return false;
            codes_.push_back(*dc);
            codes_.push_back(*ac);
        }
        for (std::size_t i = 0; i < scan.components.size(); ++i) {
            dcTables_.emplace_back(codes_[2 * i]);
            skipTables_.emplace_back(codes_[2 * i + 1]);
        }
        const bool interleaved = scan.components.size() > 1;
        for (std::size_t i = 0; i < scan.components.size(); ++i) {
            const JpegComponent& component = structure.components[std::size_t(scan.components[i])];
            const int blocks = interleaved ? component.horizontalSampling * component.verticalSampling : 1;
            for (int b = 0; b < blocks; ++b) {
                if (blockCount_ == maxBlocksPerMcu)
                    return false;
                blocks_[std::size_t(blockCount_++)] = {&codes_[2 * i], &dcTables_[i], &codes_[2 * i + 1],
                                                       &skipTables_[i], int(i)};
            }
        }
        return true;
    }

    const BlockTables& block(int index) const { return blocks_[std::size_t(index)]; }
    int blockCount() const { return blockCount_; }

  private:
    std::vector<HuffmanCode> codes_;
    std::vector<DcTable> dcTables_;
    std::vector<AcSkipTable> skipTables_;
    std::array<BlockTables, maxBlocksPerMcu> blocks_{};
    int blockCount_ = 0;
};

class HuffmanScanWalker final : public ScanWalker
{
  public:
    HuffmanScanWalker(std::span<const std::uint8_t> file, std::size_t startOffset,
                      std::shared_ptr<const ScanTables> tables)
        : file_(file), bits_(file.data() + startOffset, file.data() + file.size()), tables_(std::move(tables))
    {
    }

    std::unique_ptr<ScanWalker> startedAt(std::size_t byteOffset) const override
    {
        if (byteOffset > file_.size())
            return nullptr;
        return std::make_unique<HuffmanScanWalker>(file_, byteOffset, tables_);
    }

    Mark mark() const override
    {
        const EntropyBits::Position position = bits_.position();
        return {bits_.bitsRead(), std::size_t(position.byte - file_.data()), position.bitsReadOfByte,
                dcValues_};
    }

    void resume(const Mark& mark) override
    {
        bits_ = EntropyBits(file_.data() + mark.byteOffset, file_.data() + file_.size());
        bits_.fill(8);
        bits_.skip(mark.bitsReadOfByte);
        dcValues_ = mark.dcValues;
    }

    bool skip(std::int64_t count) override
    {
        // The reader and the DC values live in locals while the MCUs are walked, where the compiler can keep
        // them in registers.
        EntropyBits bits = bits_;
        DcValues dcValues = dcValues_;
        const int blockCount = tables_->blockCount();
        bool decodes = true;
        for (std::int64_t mcu = 0; mcu < count && decodes; ++mcu) {
            for (int b = 0; b < blockCount && decodes; ++b) {
                const BlockTables& tables = tables_->block(b);
                decodes = readDc(bits, tables, dcValues) &&
                          passCoefficients(bits, tables, [&bits](int taken) { bits.skip(taken); });
            }
        }
        bits_ = bits;
        dcValues_ = dcValues;
        return decodes && !bits_.overran();
    }

    std::int64_t skipNoting(std::int64_t count, Mark* starts) override
    {
        EntropyBits bits = bits_;
        DcValues dcValues = dcValues_;
        const int blockCount = tables_->blockCount();
        std::int64_t skipped = 0;
        for (bool decodes = true; skipped < count; ++skipped) {
            const EntropyBits::Position position = bits.position();
            starts[skipped] = {bits.bitsRead(), std::size_t(position.byte - file_.data()),
                               position.bitsReadOfByte, dcValues};
            for (int b = 0; b < blockCount && decodes; ++b) {
                const BlockTables& tables = tables_->block(b);
                decodes = readDc(bits, tables, dcValues) &&
                          passCoefficients(bits, tables, [&bits](int taken) { bits.skip(taken); });
            }
            if (!decodes || bits.overran())
                break;
        }
        bits_ = bits;
        dcValues_ = dcValues;
        return skipped;
    }

    bool ranOutOfData() const override { return bits_.overran(); }

    bool recode(std::int64_t count, BitWriter& out, DcRecoder& recoder) override
    {
        EntropyBits bits = bits_;
        DcValues dcValues = dcValues_;
        bool decodes = true;
        for (std::int64_t mcu = 0; mcu < count && decodes; ++mcu) {
            for (int b = 0; b < tables_->blockCount() && decodes; ++b) {
                const BlockTables& tables = tables_->block(b);
                decodes =
                    readDc(bits, tables, dcValues) &&
                    recoder.put(out, tables.scanComponent, dcValues[std::size_t(tables.scanComponent)]) &&
                    passCoefficients(bits, tables,
                                     [&bits, &out](int taken) { out.put(bits.take(taken), taken); });
            }
        }
        bits_ = bits;
        dcValues_ = dcValues;
        return decodes && !bits_.overran();
    }

  private:
    // Reads a block's DC difference and adds it to its component's value.
    static bool readDc(EntropyBits& bits, const BlockTables& tables, DcValues& dcValues)
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

    // Passes the AC codes of a block, with their magnitude bits, to `pass` (how many bits to take).
    template <typename Pass>
    static bool passCoefficients(EntropyBits& bits, const BlockTables& tables, Pass&& pass)
    {
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

    std::span<const std::uint8_t> file_;
    EntropyBits bits_;
    std::shared_ptr<const ScanTables> tables_;
    DcValues dcValues_{};
};

int categoryOf(std::int64_t value)
{
    int category = 0;
    for (std::uint64_t magnitude = std::uint64_t(value < 0 ? -value : value); magnitude != 0; magnitude >>= 1)
        ++category;
    return category;
}

} // namespace

std::unique_ptr<ScanWalker> ScanWalker::start(std::span<const std::uint8_t> file,
                                              const JpegStructure& structure)
{
    if ((structure.frameMarker != 0xC0 && structure.frameMarker != 0xC1) || structure.precision != 8 ||
        structure.width == 0 || structure.height == 0 || structure.scans.empty())
        return nullptr;
    const JpegScan& scan = structure.scans.front();
    if (scan.components.size() != structure.components.size() || scan.restartInterval != 0 ||
        scan.spectralStart != 0 || scan.spectralEnd != 63 || scan.approximationHigh != 0 ||
        scan.approximationLow != 0 || scan.dataOffset > file.size())
        return nullptr;
    const JpegComponent& first = structure.components.front();
    if (scan.components.size() == 1 && (first.horizontalSampling != 1 || first.verticalSampling != 1))
        return nullptr;
    auto tables = std::make_shared<ScanTables>();
    if (!tables->build(structure))
        return nullptr;
    return std::make_unique<HuffmanScanWalker>(file, scan.dataOffset, std::move(tables));
}

HuffmanTable DcRecoder::table()
{
    // Categories 0..14 get four-bit codes, 15 a five-bit one (no code may be all ones).
    HuffmanTable definition;
    definition.countsByLength[4] = 15;
    definition.countsByLength[5] = 1;
    for (int category = 0; category <= largestDcCategory; ++category)
        definition.symbols.push_back(std::uint8_t(category));
    return definition;
}

bool DcRecoder::put(BitWriter& out, int component, std::int64_t value)
{
    std::int64_t& previous = previous_[std::size_t(component)];
    const std::int64_t difference = value - previous;
    const int category = categoryOf(difference);
    if (category > largestDcCategory)
        return false;
    previous = value;
    const bool lastCode = category == largestDcCategory;
    out.put(lastCode ? 0x1E : std::uint32_t(category), lastCode ? 5 : 4);
    const std::uint32_t magnitude =
        std::uint32_t(difference < 0 ? difference + (1 << category) - 1 : difference);
    out.put(magnitude, category);
    return true;
}
