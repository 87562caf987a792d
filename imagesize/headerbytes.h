#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace imagesize {

// The byte at offset + step, or 0 when it lies past the end: missing header bytes count as 0.
inline std::uint32_t byteAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t step = 0)
{
    return offset < bytes.size() && step < bytes.size() - offset ? bytes[offset + step] : 0;
}

inline std::uint16_t readU16LE(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(byteAt(bytes, offset) | byteAt(bytes, offset, 1) << 8);
}

inline std::uint16_t readU16BE(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(byteAt(bytes, offset) << 8 | byteAt(bytes, offset, 1));
}

inline std::uint32_t readU32LE(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return byteAt(bytes, offset) | byteAt(bytes, offset, 1) << 8 | byteAt(bytes, offset, 2) << 16 |
           byteAt(bytes, offset, 3) << 24;
}

inline std::uint32_t readU32BE(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return byteAt(bytes, offset) << 24 | byteAt(bytes, offset, 1) << 16 | byteAt(bytes, offset, 2) << 8 |
           byteAt(bytes, offset, 3);
}

// True when the bytes begin with the signature; a buffer shorter than the signature does not.
inline bool hasSignature(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> signature)
{
    for (std::size_t i = 0; i < signature.size(); ++i) {
        if (i >= bytes.size() || bytes[i] != signature[i])
            return false;
    }
    return true;
}

} // namespace imagesize
