#pragma once

#include <cstdint>

// The marker codes of a JPEG file (ITU-T T.81, Table B.1): a marker is 0xFF followed by its code.
namespace jpegmarker {

inline constexpr std::uint8_t prefix = 0xFF;
// Inside entropy-coded data a 0xFF data byte is followed by a stuffed 0x00 (T.81, B.1.1.5).
inline constexpr std::uint8_t stuffedZero = 0x00;

// SOF0, SOF1 and SOF2, and the codes between the frame codes that are none: DHT, JPG and DAC.
inline constexpr std::uint8_t baselineFrame = 0xC0, extendedFrame = 0xC1, progressiveFrame = 0xC2;
inline constexpr std::uint8_t defineHuffmanTables = 0xC4, extensions = 0xC8, defineArithmeticCoding = 0xCC;
// RST0 .. RST7.
inline constexpr std::uint8_t firstRestart = 0xD0, lastRestart = 0xD7;
// SOI, EOI and SOS; DQT and DRI.
inline constexpr std::uint8_t startOfImage = 0xD8, endOfImage = 0xD9, startOfScan = 0xDA;
inline constexpr std::uint8_t defineQuantizationTables = 0xDB, defineRestartInterval = 0xDD;
// APP0 .. APP15, and COM.
inline constexpr std::uint8_t firstApplication = 0xE0, lastApplication = 0xEF, comment = 0xFE;
// TEM.
inline constexpr std::uint8_t temporaryUse = 0x01;

inline constexpr int restartMarkerCount = lastRestart - firstRestart + 1;

constexpr bool isRestart(std::uint8_t code)
{
    return code >= firstRestart && code <= lastRestart;
}

// SOF0 to SOF15: the codes 0xC0 to 0xCF that are not DHT, JPG or DAC.
constexpr bool isFrame(std::uint8_t code)
{
    return code >= baselineFrame && code <= 0xCF && code != defineHuffmanTables && code != extensions &&
           code != defineArithmeticCoding;
}

constexpr bool isApplication(std::uint8_t code)
{
    return code >= firstApplication && code <= lastApplication;
}

// The markers without a length field after them.
constexpr bool standsAlone(std::uint8_t code)
{
    return isRestart(code) || code == startOfImage || code == endOfImage || code == temporaryUse;
}

} // namespace jpegmarker
