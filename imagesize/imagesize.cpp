#include "imagesize/imagesize.h"

#include "imagesize/filehead.h"
#include "imagesize/formats.h"
#include "imagesize/headerbytes.h"
#include "imagesize/headerreaders.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace {

using namespace imagesize;

constexpr std::int32_t ByContent = 0;
constexpr std::int32_t ByName = 5;
constexpr std::uintmax_t ContentTestBytes = 4;
// Files whose name starts with a dot are hidden on this platform.
constexpr char HiddenMark = '.';

std::optional<std::int32_t> kindByContent(const std::filesystem::path& path)
{
    const auto head = readFileHead(path, ContentTestBytes);
    if (!head)
        return std::nullopt;
    if (hasSignature(*head, BmpSignature))
        return BmpKind;
    if (hasSignature(*head, GifSignature))
        return GifKind;
    if (hasSignature(*head, JpegSignature))
        return JpegKind;
    if (hasSignature(*head, PngSignature))
        return PngKind;
    return std::nullopt;
}

char toLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view lowerSuffix)
{
    if (text.size() < lowerSuffix.size())
        return false;
    const std::string_view ending = text.substr(text.size() - lowerSuffix.size());
    for (std::size_t i = 0; i < ending.size(); ++i) {
        if (toLowerAscii(ending[i]) != lowerSuffix[i])
            return false;
    }
    return true;
}

struct NamedEnding
{
    std::string_view suffix;
    std::int32_t kind;
};

constexpr std::array<NamedEnding, 5> NamedEndings{{
    {".bmp", BmpKind},
    {".gif", GifKind},
    {".jpg", JpegKind},
    {".jpeg", JpegKind},
    {".png", PngKind},
}};

// The whole path's ending decides; the file itself is left for the chosen reader to check.
std::optional<std::int32_t> kindByName(const std::filesystem::path& path)
{
    const std::string text = path.string();
    for (const NamedEnding& ending : NamedEndings) {
        if (endsWithIgnoringCase(text, ending.suffix))
            return ending.kind;
    }
    return std::nullopt;
}

std::optional<std::int32_t> chooseKind(const std::filesystem::path& path, std::int32_t Mode)
{
    if (Mode == ByContent)
        return kindByContent(path);
    if (Mode == ByName)
        return kindByName(path);
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
    if (!kind)
        return {};
    switch (*kind) {
    case BmpKind:
        return {ReadBmpSize(path), {}};
    case GifKind:
        return {ReadGifSize(path), {}};
    case JpegKind:
        return probeJpeg(path);
    case PngKind:
        return {ReadPngSize(path), {}};
    default:
        return {};
    }
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
