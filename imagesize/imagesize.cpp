#include "imagesize/imagesize.h"

ImageSizeInfo GetImageSize(const std::filesystem::path&, std::int32_t) { return {}; }
bool FileExists(const std::filesystem::path&) { return false; }
ImageSizeInfo ReadBmpSize(const std::filesystem::path&) { return {}; }
ImageSizeInfo ReadGifSize(const std::filesystem::path&) { return {}; }
ImageSizeInfo ReadJpegSize(const std::filesystem::path&) { return {}; }
ImageSizeInfo ReadPngSize(const std::filesystem::path&) { return {}; }
