#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace fuzz {

// A folder of this process's own under the temporary folder, made at the first call and removed at exit,
// so that parallel fuzz jobs never share files.
const std::filesystem::path& ScratchFolder();

// Replaces the file at path with bytes.
void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Ends the run as a finding (libFuzzer keeps the input) when a property does not hold.
void Require(bool holds, const char* property, const char* file, int line);

} // namespace fuzz

#define FUZZ_REQUIRE(property) ::fuzz::Require(static_cast<bool>(property), #property, __FILE__, __LINE__)
