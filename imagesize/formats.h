#pragma once

#include "imagesize/imagesize.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace imagesize {

// The Kind code of each format.
inline constexpr std::int32_t BmpKind = 1;
inline constexpr std::int32_t GifKind = 2;
inline constexpr std::int32_t JpegKind = 3;
inline constexpr std::int32_t PngKind = 4;

// What a format's header reader finds in the bytes from the start of a file that begin with the format's
// signature. Bytes past the end of the span count as 0.
using SizeReader = ImageSizeInfo (*)(std::span<const std::uint8_t> bytes);

// A reader's read that takes the whole file: the format's size may stand anywhere in it.
inline constexpr std::uintmax_t WholeFile = 0;

// One format the size probe knows.
struct ImageFormat
{
    std::int32_t kind;
    // The bytes its files begin with, tested by the content test and again by its reader.
    std::string_view signature;
    // The lower-case endings of its file names; places left empty are unused.
    std::array<std::string_view, 2> nameEndings;
    // How many bytes from the file's start its reader reads, or WholeFile.
    std::uintmax_t headBytes;
    SizeReader readSize;
};

// Every format, in the order the content test and the name test try them.
extern const std::array<ImageFormat, 4> ImageFormats;

// The content test reads this many bytes from the file's start: every signature fits in them.
inline constexpr std::uintmax_t ContentTestBytes = 4;

// The Kind of the first format whose signature the bytes begin with; nothing when none does.
std::optional<std::int32_t> kindByContent(std::span<const std::uint8_t> head);

// The Kind of the first format one of whose endings ends the path, letter case aside; nothing when none does.
std::optional<std::int32_t> kindByName(std::string_view path);

// What the reader of `kind`'s format finds in the bytes from a file's start; the all-zero record when the
// bytes do not begin with its signature or no format has that Kind.
ImageSizeInfo sizeFromBytes(std::int32_t kind, std::span<const std::uint8_t> bytes);

// The reader of `kind`'s format run on the file at `path`, with the file's bytes when it read the file
// whole; nothing found when no format has that Kind.
ProbedImage probeKind(std::int32_t kind, const std::filesystem::path& path);

} // namespace imagesize
