#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace imagesize {

// A file's bytes mapped into memory read-only, so reading them costs no copy. Reading a page the file no
// longer has (it shrank, or its device failed) would end the program with a bus error; while the map is
// here, such a page is replaced by one of zeros instead, as a short read leaves a buffer's missing bytes,
// and the map counts as damaged.
class MappedFile
{
  public:
    // Maps the first `length` bytes of the open file `descriptor`. Nullptr when no guarded map can be had;
    // the caller then reads the file instead.
    static std::unique_ptr<MappedFile> map(int descriptor, std::size_t length);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const std::uint8_t> bytes() const { return {start_, length_}; }
    // Set once a page had to be replaced by zeros; outlives the map for whoever keeps it.
    std::shared_ptr<const std::atomic<bool>> damage() const { return damaged_; }

  private:
    MappedFile(const std::uint8_t* start, std::size_t length, std::size_t slot,
               std::shared_ptr<std::atomic<bool>> damaged);

    const std::uint8_t* start_;
    std::size_t length_;
    std::size_t slot_;
    std::shared_ptr<std::atomic<bool>> damaged_;
};

} // namespace imagesize
