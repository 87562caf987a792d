#include "imagesize/imagesize.h"

#include "imagesize/filehead.h"
#include "imagesize/formats.h"

#include <optional>
#include <system_error>

namespace {

constexpr std::int32_t ByContent = 0;
constexpr std::int32_t ByName = 5;
// Files whose name starts with a dot are hidden on this platform.
constexpr char HiddenMark = '.';

// The content test reads the file's first bytes; the name test looks at the whole path alone and leaves the
// file for the chosen reader to check. Any other Mode is taken as the Kind itself.
std::optional<std::int32_t> chooseKind(const std::filesystem::path& path, std::int32_t Mode)
{
    if (Mode == ByContent) {
        const auto head = imagesize::readFileHead(path, imagesize::ContentTestBytes);
        return head ? imagesize::kindByContent(*head) : std::nullopt;
    }
    if (Mode == ByName)
        return imagesize::kindByName(path.string());
    return Mode;
}

} // namespace

ImageSizeInfo GetImageSize(const std::filesystem::path& path, std::int32_t Mode)
{
    return ProbeImage(path, Mode).info;
}

ProbedImage ProbeImage(const std::filesystem::path& path, std::int32_t Mode)
{
    if (!FileExists(path))
        return {};
    const std::optional<std::int32_t> kind = chooseKind(path, Mode);
    return kind ? imagesize::probeKind(*kind, path) : ProbedImage{};
}

bool FileExists(const std::filesystem::path& path)
{
    if (path.filename().string().starts_with(HiddenMark))
        return false;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const std::uintmax_t length = std::filesystem::file_size(path, error);
    return !error && length >= 2;
}
