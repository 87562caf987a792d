#include "imagesize/formats.h"

#include "imagesize/filehead.h"
#include "imagesize/headerbytes.h"
#include "imagesize/headerreaders.h"
#include "imagesize/wholefile.h"

#include <algorithm>

namespace imagesize {

// Each reader reads a fixed head (the headers at the file's start) except the JPEG one: a JPEG's frame
// header follows a varying run of other segments.
constexpr std::array<ImageFormat, 4> ImageFormats{{
    {BmpKind, "BM", {".bmp"}, 54, bmpSizeFromBytes},
    {GifKind, "GIF", {".gif"}, 13, gifSizeFromBytes},
    {JpegKind, "\xFF\xD8", {".jpg", ".jpeg"}, WholeFile, jpegSizeFromBytes},
    {PngKind, "\x89PNG", {".png"}, 29, pngSizeFromBytes},
}};
static_assert(std::ranges::all_of(ImageFormats,
                                  [](const ImageFormat& format) {
                                      return !format.signature.empty() &&
                                             format.signature.size() <= ContentTestBytes;
                                  }),
              "the content test reads every signature whole");

namespace {

std::span<const std::uint8_t> signatureOf(const ImageFormat& format)
{
    return {reinterpret_cast<const std::uint8_t*>(format.signature.data()), format.signature.size()};
}

const ImageFormat* formatOfKind(std::int32_t kind)
{
    const auto found = std::ranges::find(ImageFormats, kind, &ImageFormat::kind);
    return found == ImageFormats.end() ? nullptr : &*found;
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
    return std::ranges::equal(ending, lowerSuffix, {}, toLowerAscii);
}

} // namespace

std::optional<std::int32_t> kindByContent(std::span<const std::uint8_t> head)
{
    for (const ImageFormat& format : ImageFormats) {
        if (hasSignature(head, signatureOf(format)))
            return format.kind;
    }
    return std::nullopt;
}

std::optional<std::int32_t> kindByName(std::string_view path)
{
    for (const ImageFormat& format : ImageFormats) {
        for (const std::string_view ending : format.nameEndings) {
            if (!ending.empty() && endsWithIgnoringCase(path, ending))
                return format.kind;
        }
    }
    return std::nullopt;
}

ImageSizeInfo sizeFromBytes(std::int32_t kind, std::span<const std::uint8_t> bytes)
{
    const ImageFormat* format = formatOfKind(kind);
    if (format == nullptr || !hasSignature(bytes, signatureOf(*format)))
        return {};
    return format->readSize(bytes);
}

ProbedImage probeKind(std::int32_t kind, const std::filesystem::path& path)
{
    const ImageFormat* format = formatOfKind(kind);
    if (format == nullptr || !FileExists(path))
        return {};
    if (format->headBytes == WholeFile) {
        std::optional<WholeFileBytes> whole = readWholeFile(path);
        if (!whole)
            return {};
        const ImageSizeInfo info = sizeFromBytes(kind, *whole);
        return {info, std::move(*whole)};
    }
    // The head's bytes past the file's end read as zero.
    const std::optional<FileBytes> head = readFileHead(path, format->headBytes);
    return head ? ProbedImage{sizeFromBytes(kind, *head), {}} : ProbedImage{};
}

} // namespace imagesize
