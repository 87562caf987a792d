#include "fuzz/fuzzsupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fuzz {

namespace {

void RemoveScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
}

} // namespace

const std::filesystem::path& ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path made =
            std::filesystem::temp_directory_path() / ("kadrelle-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(made);
        std::atexit(RemoveScratchFolder);
        return made;
    }();
    return folder;
}

void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    Require(file.good(), "the input was written to the scratch folder", __FILE__, __LINE__);
}

void Require(bool holds, const char* property, const char* file, int line)
{
    if (holds)
        return;
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
    std::abort();
}

} // namespace fuzz
