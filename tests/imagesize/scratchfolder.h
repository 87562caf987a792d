#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A folder of its own under the system's temporary folder, removed with everything in it at the end.
class ScratchFolder
{
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(std::string_view name, const Bytes& bytes) const;

  private:
    std::filesystem::path path_;
};
