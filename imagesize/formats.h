#pragma once

#include <array>
#include <cstdint>

namespace imagesize {

// The Kind code of each format and the bytes its files begin with.
inline constexpr std::int32_t BmpKind = 1;
inline constexpr std::int32_t GifKind = 2;
inline constexpr std::int32_t JpegKind = 3;
inline constexpr std::int32_t PngKind = 4;

inline constexpr std::array<std::uint8_t, 2> BmpSignature{0x42, 0x4D};       // "BM"
inline constexpr std::array<std::uint8_t, 3> GifSignature{0x47, 0x49, 0x46}; // "GIF"
inline constexpr std::array<std::uint8_t, 2> JpegSignature{0xFF, 0xD8};      // start of image
inline constexpr std::array<std::uint8_t, 4> PngSignature{0x89, 0x50, 0x4E, 0x47};

} // namespace imagesize
