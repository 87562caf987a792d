#pragma once

#include "scratchfolder.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

// Hand-built headers of the four formats, laid out as their writers lay them out.
namespace samplebytes {

Bytes join(std::initializer_list<Bytes> parts);
Bytes ascii(std::string_view text);
Bytes firstBytes(const Bytes& bytes, std::size_t count);
Bytes u16LE(std::uint32_t value);
Bytes u32LE(std::uint32_t value);
Bytes u16BE(std::uint32_t value);
Bytes u32BE(std::uint32_t value);

// File header and 40-byte information header of a bitmap with one plane.
Bytes bmpHeader(std::uint32_t width, std::uint32_t height, std::uint16_t bitsPerPixel);
// Signature, version and logical screen descriptor.
Bytes gifHeader(std::string_view version, std::uint16_t width, std::uint16_t height,
                std::uint8_t packedFields);
// Signature and image header chunk with its check value.
Bytes pngHeader(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType);

// A JPEG marker segment: 0xFF, the code, the length (counting itself) and the data.
Bytes jpegSegment(std::uint8_t code, const Bytes& data);
// A frame header segment of three 8-bit components.
Bytes jpegFrame(std::uint8_t code, std::uint16_t width, std::uint16_t height);
inline const Bytes JpegStart{0xFF, 0xD8};
inline const Bytes JpegEnd{0xFF, 0xD9};
Bytes jpegApp0();
// A small baseline JPEG: start, application segment, quantisation table, frame header, start of scan, data.
Bytes jpegFile(std::uint8_t frameCode, std::uint16_t width, std::uint16_t height);

} // namespace samplebytes
