#pragma once

#include "imagesize/filebytes.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace imagesize {
class MappedFile;
}

// Tells whether bytes read through a memory map stayed the file's, after the bytes themselves have been
// handed on.
class FileBytesWatch
{
  public:
    // True once a page of the map read as zeros because the file no longer had it: it shrank while it was
    // read, or its device failed. Bytes read into a buffer of their own are never damaged.
    bool damaged() const { return damaged_ && damaged_->load(std::memory_order_acquire); }

  private:
    friend class WholeFileBytes;
    std::shared_ptr<const std::atomic<bool>> damaged_;
};

// A whole file's bytes in memory: mapped from the file, so they cost no copy, or read into a buffer.
class WholeFileBytes
{
  public:
    WholeFileBytes();
    // Bytes read already.
    WholeFileBytes(FileBytes read);
    explicit WholeFileBytes(std::unique_ptr<imagesize::MappedFile> mapped);
    WholeFileBytes(WholeFileBytes&&) noexcept;
    WholeFileBytes& operator=(WholeFileBytes&&) noexcept;
    ~WholeFileBytes();

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const std::uint8_t* begin() const { return data_; }
    const std::uint8_t* end() const { return data_ + size_; }

    FileBytesWatch watch() const;

  private:
    FileBytes read_;
    std::unique_ptr<imagesize::MappedFile> mapped_;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

namespace imagesize {

// The whole file at `path`: mapped when it is large enough for a map to pay off and a guarded map can be
// had, otherwise read as readFileHead reads its whole length. Either way the bytes of a file that shrinks
// meanwhile read as 0 past its new end. Nothing when the file cannot be opened or read.
std::optional<WholeFileBytes> readWholeFile(const std::filesystem::path& path);

} // namespace imagesize
