// The size probe in every Mode on a file holding the input; Mode 5 also through names with each ending.
#include "fuzz/fuzzsupport.h"
#include "imagesize/imagesize.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

struct NamedLink
{
    std::string_view name;
    std::int32_t kind; // the reader the ending chooses; 0 for none
};

// Endings in mixed case: the name decides without regard to letter case.
constexpr std::array<NamedLink, 6> NamedLinks{{
    {"picture.bmp", 1},
    {"picture.GIF", 2},
    {"picture.jpg", 3},
    {"picture.JpEg", 3},
    {"picture.png", 4},
    {"picture.txt", 0},
}};

const std::filesystem::path& PicturePath()
{
    static const std::filesystem::path path = fuzz::ScratchFolder() / "input";
    return path;
}

bool IsNothing(const ImageSizeInfo& info)
{
    return info == ImageSizeInfo{};
}

// The Kind the first bytes choose in Mode 0, 0 for none.
std::int32_t KindBySignature(const std::uint8_t* data, std::size_t size)
{
    const auto startsWith = [&](std::string_view signature) {
        return size >= signature.size() &&
               std::string_view(reinterpret_cast<const char*>(data), signature.size()) == signature;
    };
    if (startsWith("BM"))
        return 1;
    if (startsWith("GIF"))
        return 2;
    if (startsWith("\xFF\xD8"))
        return 3;
    if (startsWith("\x89PNG"))
        return 4;
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::WriteBytes(PicturePath(), {});
    for (const NamedLink& link : NamedLinks)
        std::filesystem::create_symlink(PicturePath(), fuzz::ScratchFolder() / link.name);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::WriteBytes(PicturePath(), {data, size});

    std::array<ImageSizeInfo, 8> byMode; // Modes -1 to 6
    for (std::int32_t mode = -1; mode <= 6; ++mode) {
        const ImageSizeInfo info = GetImageSize(PicturePath(), mode);
        byMode[static_cast<std::size_t>(mode + 1)] = info;
        FUZZ_REQUIRE(info.Kind >= 0 && info.Kind <= 4);
        FUZZ_REQUIRE(info.Kind != 0 || IsNothing(info));
        FUZZ_REQUIRE(size >= 2 || IsNothing(info));
    }
    const auto ofMode = [&](std::int32_t mode) { return byMode[static_cast<std::size_t>(mode + 1)]; };

    FUZZ_REQUIRE(IsNothing(ofMode(-1)) && IsNothing(ofMode(6)));
    // The input's path has no ending of a picture.
    FUZZ_REQUIRE(IsNothing(ofMode(5)));
    for (std::int32_t kind = 1; kind <= 4; ++kind)
        FUZZ_REQUIRE(ofMode(kind).Kind == 0 || ofMode(kind).Kind == kind);

    const std::int32_t signatureKind = KindBySignature(data, size);
    FUZZ_REQUIRE(signatureKind != 0 || IsNothing(ofMode(0)));
    if (signatureKind != 0 && size >= 2)
        FUZZ_REQUIRE(ofMode(0) == ofMode(signatureKind));

    for (const NamedLink& link : NamedLinks) {
        const ImageSizeInfo byName = GetImageSize(fuzz::ScratchFolder() / link.name, 5);
        FUZZ_REQUIRE(byName == (link.kind == 0 ? ImageSizeInfo{} : ofMode(link.kind)));
    }
    return 0;
}
