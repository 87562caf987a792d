#include "codecs/jpeg/window/jpegstructure.h"

#include "imagesize/headerbytes.h"

#include <algorithm>
#include <cstring>

using imagesize::readU16BE;

namespace {

constexpr std::uint8_t markerPrefix = 0xFF;
constexpr std::uint8_t startOfImage = 0xD8;
constexpr std::uint8_t endOfImage = 0xD9;
constexpr std::uint8_t startOfScan = 0xDA;
constexpr std::uint8_t defineHuffmanTables = 0xC4;
constexpr std::uint8_t defineRestartInterval = 0xDD;
constexpr int tableSlots = 4;
constexpr int maxComponents = 4;
constexpr int maxSampling = 4;

bool isRestartMarker(std::uint8_t code)
{
    return code >= 0xD0 && code <= 0xD7;
}

// Markers without a length field.
bool standsAlone(std::uint8_t code)
{
    return isRestartMarker(code) || code == startOfImage || code == endOfImage || code == 0x01;
}

bool isFrameMarker(std::uint8_t code)
{
    return code >= 0xC0 && code <= 0xCF && code != defineHuffmanTables && code != 0xC8 && code != 0xCC;
}

// The first marker after a scan's entropy-coded data: a 0xFF followed by neither a stuffed 0x00 nor a
// restart marker. Fill bytes (0xFF 0xFF) count as the marker's start.
std::size_t findScanEnd(std::span<const std::uint8_t> file, std::size_t from)
{
    const std::uint8_t* const begin = file.data();
    const std::uint8_t* const end = begin + file.size();
    const std::uint8_t* at = begin + std::min(from, file.size());
    while (at < end) {
        const auto* prefix =
            static_cast<const std::uint8_t*>(std::memchr(at, markerPrefix, std::size_t(end - at)));
        if (!prefix || prefix + 1 == end)
            return file.size();
        const std::uint8_t code = prefix[1];
        if (code != 0x00 && !isRestartMarker(code))
            return std::size_t(prefix - begin);
        at = prefix + 2;
    }
    return file.size();
}

class MarkerWalk
{
  public:
    explicit MarkerWalk(std::span<const std::uint8_t> file) : file_(file) { slots_.fill(-1); }

    std::optional<JpegStructure> read(ScansToRead scansToRead)
    {
        if (file_.size() < 2 || file_[0] != markerPrefix || file_[1] != startOfImage)
            return std::nullopt;
        std::size_t at = 2;
        while (true) {
            while (at < file_.size() && file_[at] == markerPrefix && at + 1 < file_.size() &&
                   file_[at + 1] == markerPrefix)
                ++at; // fill bytes
            if (at + 1 >= file_.size() || file_[at] != markerPrefix)
                return finished();
            const std::size_t markerOffset = at;
            const std::uint8_t code = file_[at + 1];
            at += 2;
            if (code == endOfImage)
                return finished();
            if (standsAlone(code))
                continue;
            const std::size_t length = readU16BE(file_, at);
            if (length < 2 || length > file_.size() - at)
                return std::nullopt;
            const std::span<const std::uint8_t> body = file_.subspan(at + 2, length - 2);
            structure_.segments.push_back({code, markerOffset, length + 2});
            at += length;
            bool read = true;
            if (isFrameMarker(code))
                read = readFrame(code, body, markerOffset);
            else if (code == defineHuffmanTables)
                read = readTables(body);
            else if (code == defineRestartInterval)
                read = readRestartInterval(body);
            else if (code == startOfScan) {
                read = readScan(body, markerOffset, at);
                if (read && scansToRead == ScansToRead::First)
                    return finished();
                if (read) {
                    at = findScanEnd(file_, at);
                    structure_.scans.back().dataEnd = at;
                }
            }
            if (!read)
                return std::nullopt;
        }
    }

  private:
    std::optional<JpegStructure> finished() const
    {
        if (structure_.components.empty() || structure_.scans.empty())
            return std::nullopt;
        return structure_;
    }

    bool readFrame(std::uint8_t code, std::span<const std::uint8_t> body, std::size_t markerOffset)
    {
        if (!structure_.components.empty() || body.size() < 6)
            return false;
        structure_.frameMarker = code;
        structure_.frameOffset = markerOffset;
        structure_.precision = body[0];
        structure_.height = readU16BE(body, 1);
        structure_.width = readU16BE(body, 3);
        const std::size_t count = body[5];
        if (count == 0 || count > maxComponents || body.size() < 6 + 3 * count)
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

    bool readTables(std::span<const std::uint8_t> body)
    {
        std::size_t at = 0;
        while (at < body.size()) {
            const std::uint8_t classAndSlot = body[at];
            const int tableClass = classAndSlot >> 4;
            const int slot = classAndSlot & 0x0F;
            if (tableClass > 1 || slot >= tableSlots || body.size() - at < 17)
                return false;
            HuffmanTable definition;
            std::size_t symbolCount = 0;
            for (int length = 1; length <= 16; ++length) {
                definition.countsByLength[std::size_t(length)] = body[at + std::size_t(length)];
                symbolCount += body[at + std::size_t(length)];
            }
            at += 17;
            if (symbolCount > 256 || body.size() - at < symbolCount)
                return false;
            definition.symbols.assign(body.begin() + std::ptrdiff_t(at),
                                      body.begin() + std::ptrdiff_t(at + symbolCount));
            at += symbolCount;
            slots_[std::size_t(tableClass * tableSlots + slot)] = int(structure_.tables.size());
            structure_.tables.push_back(std::move(definition));
        }
        return true;
    }

    bool readRestartInterval(std::span<const std::uint8_t> body)
    {
        if (body.size() < 2)
            return false;
        restartInterval_ = readU16BE(body, 0);
        return true;
    }

    bool readScan(std::span<const std::uint8_t> body, std::size_t markerOffset, std::size_t dataOffset)
    {
        if (structure_.components.empty() || body.empty())
            return false;
        const std::size_t count = body[0];
        if (count == 0 || count > structure_.components.size() || body.size() < 1 + 2 * count + 3)
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

    std::span<const std::uint8_t> file_;
    JpegStructure structure_;
    // The table each of the four DC slots, then the four AC slots, holds now.
    std::array<int, 2 * tableSlots> slots_{};
    int restartInterval_ = 0;
};

} // namespace

int JpegStructure::maxHorizontalSampling() const
{
    int most = 1;
    for (const JpegComponent& component : components)
        most = std::max(most, component.horizontalSampling);
    return most;
}

int JpegStructure::maxVerticalSampling() const
{
    int most = 1;
    for (const JpegComponent& component : components)
        most = std::max(most, component.verticalSampling);
    return most;
}

std::optional<JpegStructure> ReadJpegStructure(std::span<const std::uint8_t> file, ScansToRead scansToRead)
{
    return MarkerWalk(file).read(scansToRead);
}
