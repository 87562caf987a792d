#pragma once

#include "imagesize/filebytes.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace imagesize {

// The first `count` bytes of the file, read in one read into a buffer of exactly `count` bytes; the bytes
// past the end of a shorter file are 0. The file is closed before the caller sees any byte. Nothing when the
// file cannot be opened or read, or the buffer cannot be had.
std::optional<FileBytes> readFileHead(const std::filesystem::path& path, std::uintmax_t count);

} // namespace imagesize
