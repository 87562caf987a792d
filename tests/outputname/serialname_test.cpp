#include "outputname/serialname.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Expected texts after each operation; nullptr where the text stays as it was.
struct SerialCase
{
    const char* name;
    const char16_t* before;
    const char16_t* ensured;
    const char16_t* advanced;
    const char16_t* reset;
};

const SerialCase SerialCases[] = {
    {"serial_kept", u"/pics/wall[00012].bmp", nullptr, u"/pics/wall[00013].bmp", u"/pics/wall[00000].bmp"},
    {"no_serial", u"/pics/wall.bmp", u"/pics/wall[00000].bmp", u"/pics/wall[00000].bmp",
     u"/pics/wall[00000].bmp"},
    {"serial_before_first_of_two_dots", u"/pics/wall[00012].old.bmp", nullptr, u"/pics/wall[00013].old.bmp",
     u"/pics/wall[00000].old.bmp"},
    {"serial_after_first_dot_not_counted", u"/pics/wall.old[00012].bmp", u"/pics/wall[00000].old[00012].bmp",
     u"/pics/wall[00000].old[00012].bmp", u"/pics/wall[00000].old[00012].bmp"},
    {"dotted_folder", u"/photos.d/w[00001].bmp", nullptr, u"/photos.d/w[00002].bmp",
     u"/photos.d/w[00000].bmp"},
    {"last_of_cycle", u"/pics/wall[20000].bmp", nullptr, u"/pics/wall[20001].bmp", u"/pics/wall[00000].bmp"},
    {"past_the_cycle", u"/pics/wall[20001].bmp", u"/pics/wall[00000].bmp", u"/pics/wall[00000].bmp",
     u"/pics/wall[00000].bmp"},
    {"three_characters_in_brackets", u"/pics/wall[123].bmp", u"/pics/wall[123][00000].bmp",
     u"/pics/wall[123][00000].bmp", u"/pics/wall[123][00000].bmp"},
    {"name_without_dot", u"/pics/wall", u"/pics/wall[00000]", u"/pics/wall[00000]", u"/pics/wall[00000]"},
    {"serial_at_end_of_name_without_dot", u"/pics/wall[00003]", nullptr, u"/pics/wall[00004]",
     u"/pics/wall[00000]"},
    {"bare_name_without_dot", u"wall", u"wall[00000]", u"wall[00000]", u"wall[00000]"},
    {"dot_last", u"/pics/wall.", u"/pics/wall[00000].", u"/pics/wall[00000].", u"/pics/wall[00000]."},
    {"empty_prefix", u"[00007].bmp", nullptr, u"[00008].bmp", nullptr},
    {"serial_alone", u"[00007]", nullptr, u"[00008]", nullptr},
    {"empty_path", u"", u"[00000]", u"[00000]", nullptr},
    {"negative_serial", u"/pics/wall[-0005].bmp", u"/pics/wall[00000].bmp", u"/pics/wall[00000].bmp",
     u"/pics/wall[00000].bmp"},
    {"minus_one", u"/pics/wall[-0001].bmp", u"/pics/wall[00000].bmp", u"/pics/wall[00000].bmp",
     u"/pics/wall[00000].bmp"},
    {"largest_five_digits", u"/pics/wall[99999].bmp", u"/pics/wall[00000].bmp", u"/pics/wall[00000].bmp",
     u"/pics/wall[00000].bmp"},
    {"beyond_sixteen_bits", u"/pics/wall[40000].bmp", u"/pics/wall[00000].bmp", u"/pics/wall[00000].bmp",
     u"/pics/wall[00000].bmp"},
    {"spaces_around_digits", u"/pics/wall[ 012 ].bmp", u"/pics/wall[00012].bmp", u"/pics/wall[00013].bmp",
     u"/pics/wall[00000].bmp"},
    {"plus_sign", u"/pics/wall[+0012].bmp", u"/pics/wall[00012].bmp", u"/pics/wall[00013].bmp",
     u"/pics/wall[00000].bmp"},
    {"letters_are_no_serial", u"/pics/wall[abcde].bmp", u"/pics/wall[abcde][00000].bmp",
     u"/pics/wall[abcde][00000].bmp", u"/pics/wall[abcde][00000].bmp"},
    {"space_between_digits", u"/pics/wall[1 2 3].bmp", u"/pics/wall[1 2 3][00000].bmp",
     u"/pics/wall[1 2 3][00000].bmp", u"/pics/wall[1 2 3][00000].bmp"},
    {"sign_alone", u"/pics/wall[  -  ].bmp", u"/pics/wall[  -  ][00000].bmp", u"/pics/wall[  -  ][00000].bmp",
     u"/pics/wall[  -  ][00000].bmp"},
    {"sign_after_digits", u"/pics/wall[0012-].bmp", u"/pics/wall[0012-][00000].bmp",
     u"/pics/wall[0012-][00000].bmp", u"/pics/wall[0012-][00000].bmp"},
    {"full_width_digits", u"/pics/wall[０００１２].bmp", u"/pics/wall[０００１２][00000].bmp",
     u"/pics/wall[０００１２][00000].bmp", u"/pics/wall[０００１２][00000].bmp"},
    {"text_between_bracket_and_dot", u"/pics/wall[00012]x.bmp", u"/pics/wall[00012]x[00000].bmp",
     u"/pics/wall[00012]x[00000].bmp", u"/pics/wall[00012]x[00000].bmp"},
    {"bracket_before_start_of_path", u"0012].bmp", u"0012][00000].bmp", u"0012][00000].bmp",
     u"0012][00000].bmp"},
    {"serial_in_folder_not_counted", u"/a[00012]/b.bmp", u"/a[00012]/b[00000].bmp", u"/a[00012]/b[00000].bmp",
     u"/a[00012]/b[00000].bmp"},
    {"hidden_file", u"/home/me/.wall", u"/home/me/[00000].wall", u"/home/me/[00000].wall",
     u"/home/me/[00000].wall"},
    {"trailing_separator", u"/home/me/out/", u"/home/me/out/[00000]", u"/home/me/out/[00000]",
     u"/home/me/out/[00000]"},
};

QString Expected(const char16_t* expected, const char16_t* before)
{
    return QString::fromUtf16(expected ? expected : before);
}

class SerialOperationsTest : public ::testing::TestWithParam<SerialCase>
{
};

TEST_P(SerialOperationsTest, EnsureSerial)
{
    const SerialCase& c = GetParam();
    EXPECT_EQ(EnsureSerial(QString::fromUtf16(c.before)), Expected(c.ensured, c.before));
}

TEST_P(SerialOperationsTest, AdvanceSerial)
{
    const SerialCase& c = GetParam();
    EXPECT_EQ(AdvanceSerial(QString::fromUtf16(c.before)), Expected(c.advanced, c.before));
}

TEST_P(SerialOperationsTest, ResetSerial)
{
    const SerialCase& c = GetParam();
    const std::optional<QString> reset = ResetSerial(QString::fromUtf16(c.before));
    if (c.reset)
        EXPECT_EQ(reset, QString::fromUtf16(c.reset));
    else
        EXPECT_FALSE(reset.has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, SerialOperationsTest, ::testing::ValuesIn(SerialCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseSerialNameTest, SplitsAroundTheSerial)
{
    const std::optional<SerialName> parts = ParseSerialName(QStringLiteral("/my.pics/wall[-0005].old.bmp"));
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->prefix, QStringLiteral("/my.pics/wall"));
    EXPECT_EQ(parts->suffix, QStringLiteral(".old.bmp"));
    EXPECT_EQ(parts->serial, -5);
}

TEST(ParseSerialNameTest, NoSerialKeepsTheBracketsInThePrefix)
{
    const std::optional<SerialName> parts = ParseSerialName(QStringLiteral("/pics/wall[12].bmp"));
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->prefix, QStringLiteral("/pics/wall[12]"));
    EXPECT_EQ(parts->suffix, QStringLiteral(".bmp"));
    EXPECT_FALSE(parts->serial.has_value());
}

// Each drop runs EnsureSerial before its save and AdvanceSerial after it.
TEST(SerialCycleTest, RunsFrom20000Through20001BackTo00000)
{
    QString field = QStringLiteral("/pics/wall[19999].bmp");
    QStringList saved;
    for (int drop = 0; drop < 3; ++drop) {
        field = EnsureSerial(field).value();
        saved << field;
        field = AdvanceSerial(field).value();
    }
    EXPECT_EQ(saved,
              (QStringList{QStringLiteral("/pics/wall[19999].bmp"), QStringLiteral("/pics/wall[20000].bmp"),
                           QStringLiteral("/pics/wall[00000].bmp")}));
    EXPECT_EQ(field, QStringLiteral("/pics/wall[00001].bmp"));
}

struct LongCase
{
    const char* name;
    QString path;
    bool parses;
    bool rewrites;
};

// The serial's place is the file name's first "." or, without one, the end of the path; it may stand at
// position 32767 at most, before and after the serial is written.
const LongCase LongCases[] = {
    {"dot_at_last_position", u'/' + QString(32758, u'a') + QStringLiteral("[00012].bmp"), true, true},
    {"dot_past_last_position", u'/' + QString(32759, u'a') + QStringLiteral("[00012].bmp"), false, false},
    {"inserted_serial_reaching_last_position", u'/' + QString(32758, u'a') + QStringLiteral(".bmp"), true,
     true},
    {"inserted_serial_past_last_position", u'/' + QString(32759, u'a') + QStringLiteral(".bmp"), true, false},
    {"long_path_with_early_dot", QStringLiteral("/a.") + QString(40000, u'b'), true, true},
    {"dotted_folder_past_last_position", u'/' + QString(40000, u'a') + QStringLiteral(".d/w.bmp"), false,
     false},
    {"no_dot_ending_before_last_position", u'/' + QString(32765, u'a'), true, false},
    {"no_dot_ending_at_last_position", u'/' + QString(32766, u'a'), false, false},
};

class SerialTooLongTest : public ::testing::TestWithParam<LongCase>
{
};

TEST_P(SerialTooLongTest, OperationsRefuseOnlyTooLongPaths)
{
    const LongCase& c = GetParam();
    EXPECT_EQ(ParseSerialName(c.path).has_value(), c.parses);
    EXPECT_EQ(EnsureSerial(c.path).has_value(), c.rewrites);
    EXPECT_EQ(AdvanceSerial(c.path).has_value(), c.rewrites);
    EXPECT_EQ(ResetSerial(c.path).has_value(), c.rewrites);
}

INSTANTIATE_TEST_SUITE_P(Cases, SerialTooLongTest, ::testing::ValuesIn(LongCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A path that took its serial before a save can always be advanced after it.
TEST(SerialTooLongTest, EnsuredPathCanBeAdvanced)
{
    const std::optional<QString> ensured = EnsureSerial(u'/' + QString(32758, u'a') + QStringLiteral(".bmp"));
    ASSERT_TRUE(ensured.has_value());
    EXPECT_TRUE(AdvanceSerial(*ensured).has_value());
}

} // namespace
