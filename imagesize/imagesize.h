#pragma once

#include "imagesize/wholefile.h"

#include <cstdint>
#include <filesystem>

// What the size probe found: Kind 1 = Windows bitmap, 2 = GIF, 3 = JPEG, 4 = PNG (imagesize/formats.h).
// The all-zero record means that nothing was found.
struct ImageSizeInfo
{
    std::int32_t Kind = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t BitsPerPixel = 0;

    friend bool operator==(const ImageSizeInfo&, const ImageSizeInfo&) = default;
};

// Mode 0 chooses the reader by the file's first bytes, 1 to 4 force the reader of that Kind,
// 5 chooses by the path's ending; any other Mode finds nothing.
ImageSizeInfo GetImageSize(const std::filesystem::path& path, std::int32_t Mode);

// What GetImageSize finds, with the file's bytes when the probe read the file whole (a JPEG, whose frame
// header may stand anywhere; a large one is mapped rather than copied), so a caller about to decode the
// picture need not read it again.
struct ProbedImage
{
    ImageSizeInfo info;
    WholeFileBytes wholeFile;
};
ProbedImage ProbeImage(const std::filesystem::path& path, std::int32_t Mode);

// True when an ordinary, non-hidden file of at least 2 bytes is at the path.
bool FileExists(const std::filesystem::path& path);

ImageSizeInfo ReadBmpSize(const std::filesystem::path& path);
ImageSizeInfo ReadGifSize(const std::filesystem::path& path);
ImageSizeInfo ReadJpegSize(const std::filesystem::path& path);
ImageSizeInfo ReadPngSize(const std::filesystem::path& path);
