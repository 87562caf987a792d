#include "imagesize/imagesize.h"
#include "scratchfolder.h"
#include "tests/support/pictures/pngfiles.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace testpictures;

namespace {

using Reader = std::function<ImageSizeInfo(const std::filesystem::path&)>;

// Every entry point must answer "nothing found" for a path that does not hold a usable file.
void expectNothingFound(const std::filesystem::path& path)
{
    const std::vector<std::pair<std::string, Reader>> entryPoints{
        {"content", [](const auto& p) { return GetImageSize(p, 0); }},
        {"name", [](const auto& p) { return GetImageSize(p, 5); }},
        {"bmp", ReadBmpSize},
        {"gif", ReadGifSize},
        {"jpeg", ReadJpegSize},
        {"png", ReadPngSize},
    };
    for (const auto& [name, read] : entryPoints)
        EXPECT_EQ(read(path), ImageSizeInfo{}) << name << " on " << path;
}

struct AbsentCase
{
    std::string name;
    std::function<std::filesystem::path(const ScratchFolder&)> make;
};

class AbsentFile : public testing::TestWithParam<AbsentCase>
{
};

TEST_P(AbsentFile, CountsAsMissingAndGivesTheZeroRecord)
{
    ScratchFolder folder;
    const std::filesystem::path path = GetParam().make(folder);
    EXPECT_FALSE(FileExists(path));
    expectNothingFound(path);
}

const QByteArray Png = PngStart(8, 6, 8, 2);

INSTANTIATE_TEST_SUITE_P(
    Paths, AbsentFile,
    testing::Values(AbsentCase{"EmptyFile", [](const auto& f) { return f.write("empty.png", {}); }},
                    AbsentCase{"OneByteBM", [](const auto& f) { return f.write("one.bmp", "B"); }},
                    AbsentCase{"OneByteFF", [](const auto& f) { return f.write("one.jpg", "\xFF"); }},
                    AbsentCase{"Folder",
                               [](const auto& f) {
                                   std::filesystem::create_directory(f.path() / "folder.png");
                                   return f.path() / "folder.png";
                               }},
                    AbsentCase{"DotFile", [](const auto& f) { return f.write(".hidden.png", Png); }},
                    AbsentCase{"MissingPath", [](const auto& f) { return f.path() / "missing.png"; }},
                    AbsentCase{"EmptyPath", [](const auto&) { return std::filesystem::path(); }},
                    AbsentCase{"LinkToFolder",
                               [](const auto& f) {
                                   std::filesystem::create_directory_symlink(f.path(), f.path() / "up.png");
                                   return f.path() / "up.png";
                               }},
                    AbsentCase{"DanglingLink",
                               [](const auto& f) {
                                   std::filesystem::create_symlink(f.path() / "gone",
                                                                   f.path() / "dangling.png");
                                   return f.path() / "dangling.png";
                               }},
                    AbsentCase{"HiddenLinkToFile",
                               [](const auto& f) {
                                   std::filesystem::create_symlink(f.write("shown.png", Png),
                                                                   f.path() / ".link.png");
                                   return f.path() / ".link.png";
                               }}),
    [](const auto& info) { return info.param.name; });

TEST(FileExists, OrdinaryFileOfTwoBytesCounts)
{
    ScratchFolder folder;
    EXPECT_TRUE(FileExists(folder.write("two", QByteArray(2, 0))));
}

TEST(FileExists, LinkToOrdinaryFileIsFollowed)
{
    ScratchFolder folder;
    std::filesystem::create_symlink(folder.write("picture.png", Png), folder.path() / "link.png");
    EXPECT_TRUE(FileExists(folder.path() / "link.png"));
    EXPECT_EQ(GetImageSize(folder.path() / "link.png", 0), (ImageSizeInfo{4, 8, 6, 24}));
}

TEST(FileExists, HiddenFolderOnTheWayDoesNotHideTheFile)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.path() / ".cache");
    EXPECT_TRUE(FileExists(folder.write(".cache/picture.png", Png)));
}

TEST(GetImageSize, TwoByteFileIsReadByItsContent)
{
    ScratchFolder folder;
    EXPECT_EQ(GetImageSize(folder.write("two.bmp", "BM"), 0), (ImageSizeInfo{1, 0, 0, 0}));
    EXPECT_EQ(GetImageSize(folder.write("two.jpg", "\xFF\xD8"), 0), ImageSizeInfo{});
    EXPECT_EQ(GetImageSize(folder.write("two.png", "\x89P"), 0), ImageSizeInfo{});
}

TEST(GetImageSize, ModesWithoutAReaderFindNothing)
{
    ScratchFolder folder;
    const std::filesystem::path path = folder.write("picture.png", Png);
    for (const std::int32_t mode :
         {6, -1, 7, 100, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()})
        EXPECT_EQ(GetImageSize(path, mode), ImageSizeInfo{}) << "Mode " << mode;
}

TEST(GetImageSize, FileWithoutReadPermissionGivesTheZeroRecord)
{
    ScratchFolder folder;
    const std::filesystem::path path = folder.write("locked.png", Png);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (std::ifstream(path).is_open())
        GTEST_SKIP() << "this user reads files without read permission";
    EXPECT_TRUE(FileExists(path));
    expectNothingFound(path);
}

// A write-only kernel attribute is an ordinary, non-empty file that not even the superuser can open for
// reading.
TEST(GetImageSize, FileThatCannotBeOpenedGivesTheZeroRecord)
{
    const std::filesystem::path writeOnly = "/sys/bus/pci/rescan";
    if (!FileExists(writeOnly))
        GTEST_SKIP() << "no write-only kernel attribute here";
    expectNothingFound(writeOnly);
    for (const std::int32_t mode : {1, 2, 3, 4})
        EXPECT_EQ(GetImageSize(writeOnly, mode), ImageSizeInfo{}) << "Mode " << mode;
}

} // namespace
