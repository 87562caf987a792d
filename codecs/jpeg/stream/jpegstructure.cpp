#include "codecs/jpeg/stream/jpegstructure.h"

#include "codecs/jpeg/stream/markers.h"
#include "imagesize/headerbytes.h"

#include <algorithm>
#include <cstring>

using imagesize::readU16BE;

namespace {

constexpr int tableSlots = 4;
constexpr int maxSampling = 4;
constexpr std::size_t tableLengthCounts = 16;
constexpr std::size_t mostTableSymbols = 256;

// The first marker after a scan's entropy-coded data: a 0xFF followed by neither a stuffed 0x00 nor a
// restart marker (T.81, B.1.1.5). Fill bytes (0xFF 0xFF) count as the marker's start.
std::size_t findScanEnd(std::span<const std::uint8_t> file, std::size_t from)
{
    const std::uint8_t* const begin = file.data();
    const std::uint8_t* const end = begin + file.size();
    const std::uint8_t* at = begin + std::min(from, file.size());
    while (at < end) {
        const auto* prefix =
            static_cast<const std::uint8_t*>(std::memchr(at, jpegmarker::prefix, std::size_t(end - at)));
        if (!prefix || prefix + 1 == end)
            return file.size();
        const std::uint8_t code = prefix[1];
        if (code != jpegmarker::stuffedZero && !jpegmarker::isRestart(code))
            return std::size_t(prefix - begin);
        at = prefix + 2;
    }
    return file.size();
}

int largestFactor(const std::vector<JpegComponent>& components, int JpegComponent::*factor)
{
    int most = 1;
    for (const JpegComponent& component : components)
        most = std::max(most, component.*factor);
    return most;
}

} // namespace

int JpegStructure::maxHorizontalSampling() const
{
    return largestFactor(components, &JpegComponent::horizontalSampling);
}

int JpegStructure::maxVerticalSampling() const
{
    return largestFactor(components, &JpegComponent::verticalSampling);
}

JpegStructureReader::JpegStructureReader(std::span<const std::uint8_t> file) : file_(file)
{
    slots_.fill(-1);
}

bool JpegStructureReader::readToFirstScan()
{
    if (file_.size() < 2 || file_[0] != jpegmarker::prefix || file_[1] != jpegmarker::startOfImage)
        return false;
    at_ = 2;
    return walk(true);
}

bool JpegStructureReader::readLaterScans()
{
    endScan();
    return walk(false);
}

// Reads the segments from at_ on, up to the end of image or the first place where no marker stands, or
// up to the first scan's data when `stopsAtScan`.
bool JpegStructureReader::walk(bool stopsAtScan)
{
    const auto finished = [this] { return !structure_.components.empty() && !structure_.scans.empty(); };
    while (true) {
        while (at_ + 1 < file_.size() && file_[at_] == jpegmarker::prefix &&
               file_[at_ + 1] == jpegmarker::prefix)
            ++at_; // fill bytes
        if (at_ + 1 >= file_.size() || file_[at_] != jpegmarker::prefix)
            return finished();
        const std::size_t markerOffset = at_;
        const std::uint8_t code = file_[at_ + 1];
        at_ += 2;
        if (code == jpegmarker::endOfImage) {
            structure_.reachedEndOfImage = true;
            return finished();
        }
        if (jpegmarker::standsAlone(code))
            continue;
        const std::size_t length = readU16BE(file_, at_);
        if (length < 2 || length > file_.size() - at_)
            return false;
        const std::span<const std::uint8_t> body = file_.subspan(at_ + 2, length - 2);
        structure_.segments.push_back({code, markerOffset, length + 2});
        at_ += length;
        bool read = true;
        if (jpegmarker::isFrame(code))
            read = readFrame(code, body, markerOffset);
        else if (code == jpegmarker::defineHuffmanTables)
            read = readTables(body);
        else if (code == jpegmarker::defineRestartInterval)
            read = readRestartInterval(body);
        else if (code == jpegmarker::startOfScan) {
            read = readScan(body, markerOffset, at_);
            if (read && stopsAtScan)
                return true;
            if (read)
                endScan();
        }
        if (!read)
            return false;
    }
}

void JpegStructureReader::endScan()
{
    at_ = findScanEnd(file_, at_);
    structure_.scans.back().dataEnd = at_;
}

// The frame header (T.81, B.2.2).
bool JpegStructureReader::readFrame(std::uint8_t code, std::span<const std::uint8_t> body,
                                    std::size_t markerOffset)
{
    if (!structure_.components.empty() || body.size() < 6)
        return false;
    structure_.frameMarker = code;
    structure_.frameOffset = markerOffset;
    structure_.precision = body[0];
    structure_.height = readU16BE(body, 1);
    structure_.width = readU16BE(body, 3);
    const std::size_t count = body[5];
    if (count == 0 || body.size() < 6 + 3 * count)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t sampling = body[6 + 3 * i + 1];
        JpegComponent component{body[6 + 3 * i], sampling >> 4, sampling & 0x0F};
        if (component.horizontalSampling < 1 || component.horizontalSampling > maxSampling ||
            component.verticalSampling < 1 || component.verticalSampling > maxSampling)
            return false;
        structure_.components.push_back(component);
    }
    return true;
}

// Huffman table definitions (T.81, B.2.4.2).
bool JpegStructureReader::readTables(std::span<const std::uint8_t> body)
{
    std::size_t at = 0;
    while (at < body.size()) {
        const std::uint8_t classAndSlot = body[at];
        const int tableClass = classAndSlot >> 4;
        const int slot = classAndSlot & 0x0F;
        if (tableClass > 1 || slot >= tableSlots || body.size() - at < 1 + tableLengthCounts)
            return false;
        HuffmanTable definition;
        std::size_t symbolCount = 0;
        for (std::size_t length = 1; length <= tableLengthCounts; ++length) {
            definition.countsByLength[length] = body[at + length];
            symbolCount += body[at + length];
        }
        at += 1 + tableLengthCounts;
        if (symbolCount > mostTableSymbols || body.size() - at < symbolCount)
            return false;
        definition.symbols.assign(body.begin() + std::ptrdiff_t(at),
                                  body.begin() + std::ptrdiff_t(at + symbolCount));
        at += symbolCount;
        slots_[std::size_t(tableClass * tableSlots + slot)] = int(structure_.tables.size());
        structure_.tables.push_back(std::move(definition));
    }
    return true;
}

// The restart interval (T.81, B.2.4.4), in force for the scans that follow.
bool JpegStructureReader::readRestartInterval(std::span<const std::uint8_t> body)
{
    if (body.size() < 2)
        return false;
    restartInterval_ = readU16BE(body, 0);
    return true;
}

// The scan header (T.81, B.2.3).
bool JpegStructureReader::readScan(std::span<const std::uint8_t> body, std::size_t markerOffset,
                                   std::size_t dataOffset)
{
    if (structure_.components.empty() || body.empty())
        return false;
    const std::size_t count = body[0];
    if (count == 0 || count > maxScanComponents || count > structure_.components.size() ||
        body.size() < 1 + 2 * count + 3)
        return false;
    JpegScan scan;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t id = body[1 + 2 * i];
        const auto component = std::find_if(structure_.components.begin(), structure_.components.end(),
                                            [id](const JpegComponent& c) { return c.id == id; });
        if (component == structure_.components.end())
            return false;
        const std::uint8_t tables = body[2 + 2 * i];
        if ((tables >> 4) >= tableSlots || (tables & 0x0F) >= tableSlots)
            return false;
        scan.components.push_back(int(component - structure_.components.begin()));
        scan.dcTables.push_back(slots_[std::size_t(tables >> 4)]);
        scan.acTables.push_back(slots_[std::size_t(tableSlots + (tables & 0x0F))]);
    }
    const std::size_t spectral = 1 + 2 * count;
    scan.spectralStart = body[spectral];
    scan.spectralEnd = body[spectral + 1];
    scan.approximationHigh = body[spectral + 2] >> 4;
    scan.approximationLow = body[spectral + 2] & 0x0F;
    scan.restartInterval = restartInterval_;
    scan.headerOffset = markerOffset;
    scan.dataOffset = dataOffset;
    scan.dataEnd = file_.size();
    structure_.scans.push_back(std::move(scan));
    return true;
}

std::optional<JpegStructure> ReadJpegStructure(std::span<const std::uint8_t> file, ScansToRead scansToRead)
{
    JpegStructureReader reader(file);
    if (!reader.readToFirstScan() || (scansToRead == ScansToRead::All && !reader.readLaterScans()))
        return std::nullopt;
    return reader.takeStructure();
}
