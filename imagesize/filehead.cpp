#include "imagesize/filehead.h"

#include <algorithm>
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

std::optional<FileBytes> readFileHead(const std::filesystem::path& path, std::uintmax_t count)
{
    FileBytes bytes;
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
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file.get());
    std::fill(bytes.begin() + std::ptrdiff_t(read), bytes.end(), std::uint8_t(0));
    // A short read at the end of the file is expected; an error from the device is not.
    const bool readFailed = std::ferror(file.get()) != 0;
    file.reset();
    if (readFailed)
        return std::nullopt;
    return bytes;
}

} // namespace imagesize
