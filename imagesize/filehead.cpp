#include "imagesize/filehead.h"

#include <cstdio>
#include <memory>
#include <new>

namespace imagesize {

namespace {

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::optional<std::vector<std::uint8_t>> readFileHead(const std::filesystem::path& path, std::uintmax_t count)
{
    std::vector<std::uint8_t> bytes;
    if (count > bytes.max_size())
        return std::nullopt;
    try {
        bytes.resize(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return std::nullopt;
    std::fread(bytes.data(), 1, bytes.size(), file.get());
    // A short read at the end of the file is expected; an error from the device is not.
    const bool readFailed = std::ferror(file.get()) != 0;
    file.reset();
    if (readFailed)
        return std::nullopt;
    return bytes;
}

} // namespace imagesize
