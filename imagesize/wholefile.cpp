#include "imagesize/wholefile.h"

#include "imagesize/filehead.h"
#include "imagesize/mappedfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Below this a read's copy costs less than making and unmaking a map.
constexpr off_t LeastBytesToMap = 64 * 1024;

} // namespace

WholeFileBytes::WholeFileBytes() = default;

WholeFileBytes::WholeFileBytes(FileBytes read)
    : read_(std::move(read)), data_(read_.data()), size_(read_.size())
{
}

WholeFileBytes::WholeFileBytes(std::unique_ptr<imagesize::MappedFile> mapped)
    : mapped_(std::move(mapped)), data_(mapped_->bytes().data()), size_(mapped_->bytes().size())
{
}

// A moved vector keeps its buffer, and a moved map its place, so the pointer stays good.
WholeFileBytes::WholeFileBytes(WholeFileBytes&& other) noexcept
    : read_(std::move(other.read_)), mapped_(std::move(other.mapped_)), data_(other.data_), size_(other.size_)
{
    other.data_ = nullptr;
    other.size_ = 0;
}

WholeFileBytes& WholeFileBytes::operator=(WholeFileBytes&& other) noexcept
{
    read_ = std::move(other.read_);
    mapped_ = std::move(other.mapped_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    return *this;
}

WholeFileBytes::~WholeFileBytes() = default;

FileBytesWatch WholeFileBytes::watch() const
{
    FileBytesWatch watch;
    if (mapped_)
        watch.damaged_ = mapped_->damage();
    return watch;
}

namespace imagesize {

std::optional<WholeFileBytes> readWholeFile(const std::filesystem::path& path)
{
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat status = {};
    const bool sized = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    std::unique_ptr<MappedFile> mapped;
    if (sized && status.st_size >= LeastBytesToMap)
        mapped = MappedFile::map(descriptor, std::size_t(status.st_size));
    close(descriptor);
    if (mapped)
        return WholeFileBytes(std::move(mapped));
    if (!sized)
        return std::nullopt;
    std::optional<FileBytes> read = readFileHead(path, std::uintmax_t(status.st_size));
    if (!read)
        return std::nullopt;
    return WholeFileBytes(std::move(*read));
}

} // namespace imagesize
