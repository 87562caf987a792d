#include "samplebytes.h"

namespace samplebytes {

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

Bytes ascii(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes firstBytes(const Bytes& bytes, std::size_t count)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

Bytes u16LE(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}

Bytes u32LE(std::uint32_t value)
{
    return join({u16LE(value & 0xFFFF), u16LE(value >> 16)});
}

Bytes u16BE(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

Bytes u32BE(std::uint32_t value)
{
    return join({u16BE(value >> 16), u16BE(value & 0xFFFF)});
}

Bytes bmpHeader(std::uint32_t width, std::uint32_t height, std::uint16_t bitsPerPixel)
{
    return join({ascii("BM"), u32LE(54), u32LE(0), u32LE(54), u32LE(40), u32LE(width), u32LE(height),
                 u16LE(1), u16LE(bitsPerPixel), u32LE(0), u32LE(0), u32LE(2835), u32LE(2835), u32LE(0),
                 u32LE(0)});
}

Bytes gifHeader(std::string_view version, std::uint16_t width, std::uint16_t height,
                std::uint8_t packedFields)
{
    return join({ascii("GIF"), ascii(version), u16LE(width), u16LE(height), {packedFields, 0, 0}});
}

Bytes pngHeader(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType)
{
    return join({{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A},
                 u32BE(13),
                 ascii("IHDR"),
                 u32BE(width),
                 u32BE(height),
                 {bitDepth, colourType, 0, 0, 0},
                 u32BE(0)});
}

Bytes jpegSegment(std::uint8_t code, const Bytes& data)
{
    return join({{0xFF, code}, u16BE(static_cast<std::uint32_t>(data.size()) + 2), data});
}

Bytes jpegFrame(std::uint8_t code, std::uint16_t width, std::uint16_t height)
{
    return jpegSegment(code,
                       join({{8}, u16BE(height), u16BE(width), {3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}}));
}

Bytes jpegApp0()
{
    return jpegSegment(0xE0, join({ascii("JFIF"), {0, 1, 1, 0}, u16BE(1), u16BE(1), {0, 0}}));
}

Bytes jpegFile(std::uint8_t frameCode, std::uint16_t width, std::uint16_t height)
{
    const Bytes quantisationTable = jpegSegment(0xDB, join({{0}, Bytes(64, 1)}));
    const Bytes startOfScan = jpegSegment(0xDA, {1, 1, 0, 0, 0x3F, 0});
    return join({JpegStart,
                 jpegApp0(),
                 quantisationTable,
                 jpegFrame(frameCode, width, height),
                 startOfScan,
                 {0x12, 0x34, 0x56},
                 JpegEnd});
}

} // namespace samplebytes
