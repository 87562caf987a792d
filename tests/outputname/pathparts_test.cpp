#include "outputname/pathparts.h"
#include "outputname/serialname.h"

#include <gtest/gtest.h>

namespace {

struct FolderCase
{
    const char* name;
    const char16_t* path;
    const char16_t* folder;
    const char16_t* fileName;
};

const FolderCase FolderCases[] = {
    {"folder_and_name", u"/home/me/out/wall[00003].bmp", u"/home/me/out/", u"wall[00003].bmp"},
    {"dotted_folder", u"/home/me/my.pics/a.bmp", u"/home/me/my.pics/", u"a.bmp"},
    {"trailing_separator", u"/home/me/", u"/home/me/", u""},
    {"two_separators_only", u"//", u"//", u""},
    {"one_separator_at_root", u"/wall.bmp", u"", u""},
    {"one_separator_relative", u"out/wall.bmp", u"", u""},
    {"no_separator", u"wall.bmp", u"", u""},
    {"empty_path", u"", u"", u""},
#ifndef Q_OS_WIN
    {"backslash_is_a_plain_character", u"C:\\out\\wall.bmp", u"", u""},
#endif
};

class SplitFolderAndNameTest : public ::testing::TestWithParam<FolderCase>
{
};

TEST_P(SplitFolderAndNameTest, SplitsAtTheLastSeparator)
{
    const FolderCase& c = GetParam();
    const std::optional<FolderAndName> parts = SplitFolderAndName(QString::fromUtf16(c.path));
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->folder, QString::fromUtf16(c.folder));
    EXPECT_EQ(parts->name, QString::fromUtf16(c.fileName));
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitFolderAndNameTest, ::testing::ValuesIn(FolderCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct DotCase
{
    const char* name;
    const char16_t* path;
    const char16_t* front;
    const char16_t* rest;
};

const DotCase DotCases[] = {
    {"extension", u"/home/me/out/wall.bmp", u"/home/me/out/wall", u".bmp"},
    {"dotted_folder", u"/home/me/my.pics/a.bmp", u"/home/me/my.pics/a", u".bmp"},
    {"name_without_dot", u"/home/me/out/wall", u"/home/me/out/wall", u""},
    {"dotted_folder_name_without_dot", u"/home/me/my.pics/wall", u"/home/me/my.pics/wall", u""},
    {"dot_last", u"/home/me/out/wall.", u"/home/me/out/wall", u"."},
    {"first_of_two_dots", u"/pics/wall.old.bmp", u"/pics/wall", u".old.bmp"},
    {"name_with_serial", u"/home/me/out/wall[00007].bmp", u"/home/me/out/wall[00007]", u".bmp"},
    {"hidden_file", u"/home/me/.wall", u"/home/me/", u".wall"},
    {"trailing_separator", u"/home/me/out/", u"/home/me/out/", u""},
    {"bare_name", u"wall.bmp", u"wall", u".bmp"},
    {"empty_path", u"", u"", u""},
};

class SplitAtFirstDotTest : public ::testing::TestWithParam<DotCase>
{
};

TEST_P(SplitAtFirstDotTest, SplitsAtTheFileNamesFirstDot)
{
    const DotCase& c = GetParam();
    const std::optional<FrontAndRest> parts = SplitAtFirstDot(QString::fromUtf16(c.path));
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->front, QString::fromUtf16(c.front));
    EXPECT_EQ(parts->rest, QString::fromUtf16(c.rest));
}

// The serial inserted where the path is split is the one the serial operations find.
TEST_P(SplitAtFirstDotTest, InsertedSerialIsFoundAgain)
{
    const DotCase& c = GetParam();
    const std::optional<FrontAndRest> parts = SplitAtFirstDot(QString::fromUtf16(c.path));
    ASSERT_TRUE(parts.has_value());
    const std::optional<SerialName> serialName =
        ParseSerialName(parts->front + QStringLiteral("[00000]") + parts->rest);
    ASSERT_TRUE(serialName.has_value());
    EXPECT_EQ(serialName->serial, 0);
    EXPECT_EQ(serialName->prefix, parts->front);
    EXPECT_EQ(serialName->suffix, parts->rest);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitAtFirstDotTest, ::testing::ValuesIn(DotCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PathPartsTest, PickedNameWithoutDotNeverBecomesABareSerial)
{
    const std::optional<FrontAndRest> parts = SplitAtFirstDot(QStringLiteral("/home/me/out/wall"));
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->front + QStringLiteral("[00000]") + parts->rest,
              QStringLiteral("/home/me/out/wall[00000]"));
}

TEST(PathPartsTest, PathLongerThanSixteenBitPositionsIsRefused)
{
    const QString longest = u'/' + QString(LongestPath - 5, u'a') + QStringLiteral(".bmp");
    ASSERT_EQ(longest.size(), LongestPath);
    EXPECT_TRUE(SplitFolderAndName(longest).has_value());
    EXPECT_TRUE(SplitAtFirstDot(longest).has_value());
    const QString tooLong = u'/' + longest;
    EXPECT_FALSE(SplitFolderAndName(tooLong).has_value());
    EXPECT_FALSE(SplitAtFirstDot(tooLong).has_value());
}

} // namespace
