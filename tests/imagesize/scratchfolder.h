#pragma once

#include <QByteArray>
#include <filesystem>
#include <string_view>

// A folder of its own under the system's temporary folder, removed with everything in it at the end.
class ScratchFolder
{
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(std::string_view name, const QByteArray& bytes) const;

  private:
    std::filesystem::path path_;
};
