#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace imagesize {

// The first `count` bytes of the file, read in one read into a buffer of exactly `count` bytes; the bytes
// past the end of a shorter file stay 0. The file is closed before the caller sees any byte. Nothing when the
// file cannot be opened or read, or the buffer cannot be had.
std::optional<std::vector<std::uint8_t>> readFileHead(const std::filesystem::path& path,
                                                      std::uintmax_t count);

} // namespace imagesize
