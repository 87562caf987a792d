#include "codecs/jpeg/stream/scanwalker.h"

#include "codecs/jpeg/stream/markers.h"

namespace {

constexpr auto keepsDc = [](int, std::int64_t) { return true; };
constexpr auto dropsAc = [](std::uint32_t, int) {};

} // namespace

std::optional<ScanWalker> ScanWalker::start(std::span<const std::uint8_t> file,
                                            const JpegStructure& structure)
{
    if ((structure.frameMarker != jpegmarker::baselineFrame &&
         structure.frameMarker != jpegmarker::extendedFrame) ||
        structure.precision != 8 || structure.width == 0 || structure.height == 0 || structure.scans.empty())
        return std::nullopt;
    const JpegScan& scan = structure.scans.front();
    if (scan.components.size() != structure.components.size() || scan.restartInterval != 0 ||
        scan.spectralStart != 0 || scan.spectralEnd != 63 || scan.approximationHigh != 0 ||
        scan.approximationLow != 0 || scan.dataOffset > file.size())
        return std::nullopt;
    const JpegComponent& first = structure.components.front();
    if (scan.components.size() == 1 && (first.horizontalSampling != 1 || first.verticalSampling != 1))
        return std::nullopt;
    auto tables = std::make_shared<ScanTables>();
    if (!tables->build(structure))
        return std::nullopt;
    return ScanWalker(file, scan.dataOffset, std::move(tables));
}

ScanWalker::ScanWalker(std::span<const std::uint8_t> file, std::size_t startOffset,
                       std::shared_ptr<const ScanTables> tables)
    : file_(file), bits_(file.data() + startOffset, file.data() + file.size()), tables_(std::move(tables))
{
}

ScanWalker ScanWalker::startedAt(std::size_t byteOffset) const
{
    return ScanWalker(file_, byteOffset, tables_);
}

ScanWalker::Mark ScanWalker::markOf(const EntropyBits& bits, const DcValues& dcValues) const
{
    const EntropyBits::Position position = bits.position();
    return {bits.bitsRead(), std::size_t(position.byte - file_.data()), position.bitsReadOfByte, dcValues};
}

void ScanWalker::resume(const Mark& mark)
{
    bits_ = EntropyBits(file_.data() + mark.byteOffset, file_.data() + file_.size());
    bits_.fill(8);
    bits_.skip(mark.bitsReadOfByte);
    dcValues_ = mark.dcValues;
}

bool ScanWalker::skip(std::int64_t count)
{
    return walk(count, keepsDc, dropsAc);
}

std::int64_t ScanWalker::skipNoting(std::int64_t count, Mark* starts)
{
    EntropyBits bits = bits_;
    DcValues dcValues = dcValues_;
    const ScanTables& tables = *tables_;
    std::int64_t skipped = 0;
    for (; skipped < count; ++skipped) {
        starts[skipped] = markOf(bits, dcValues);
        if (!walkMcu(bits, dcValues, tables, keepsDc, dropsAc) || bits.overran())
            break;
    }
    bits_ = bits;
    dcValues_ = dcValues;
    return skipped;
}
