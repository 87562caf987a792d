#include "settings/initext.h"

#include <gtest/gtest.h>

namespace {

// A byte array from a literal that may hold NUL bytes.
template <std::size_t N> QByteArray Bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

struct FindCase
{
    const char* name;
    QByteArray content;
    const char16_t* key;
    std::optional<QString> expected;
};

const FindCase FindCases[] = {
    {"plain_key", "[Kadrelle]\nDATAFILE=/pics/wall[00003].bmp\n", u"DATAFILE",
     QStringLiteral("/pics/wall[00003].bmp")},
    {"empty_file", "", u"DATAFILE", std::nullopt},
    {"missing_section", "[Other]\nDATAFILE=x\n", u"DATAFILE", std::nullopt},
    {"missing_key", "[Kadrelle]\nFIXSIZE=1\n", u"DATAFILE", std::nullopt},
    {"empty_value_is_not_missing", "[Kadrelle]\nVALWIDTH=\n", u"VALWIDTH", QString()},
    {"section_in_other_case", "[kADRELLE]\nVALWIDTH=300\n", u"VALWIDTH", QStringLiteral("300")},
    {"key_in_other_case", "[Kadrelle]\nvalWidth=300\n", u"VALWIDTH", QStringLiteral("300")},
    {"blanks_around_names_and_values", "  [ Kadrelle ]\t\n \t VALWIDTH \t=  0300 \t\n", u"VALWIDTH",
     QStringLiteral("0300")},
    {"blanks_inside_value_kept", "[Kadrelle]\nDATAFILE=/my pics/a b.bmp\n", u"DATAFILE",
     QStringLiteral("/my pics/a b.bmp")},
    {"full_width_space_is_not_a_blank", "[Kadrelle]\nDATAFILE=\u3000x\n", u"DATAFILE",
     QStringLiteral("\u3000x")},
    {"equals_inside_value", "[Kadrelle]\nDATAFILE=/a=b.bmp\n", u"DATAFILE", QStringLiteral("/a=b.bmp")},
    {"crlf_line_endings", "[Kadrelle]\r\nVALWIDTH=300\r\n", u"VALWIDTH", QStringLiteral("300")},
    {"last_line_without_ending", "[Kadrelle]\nVALWIDTH=300", u"VALWIDTH", QStringLiteral("300")},
    {"line_without_equals_ignored", "[Kadrelle]\nVALWIDTH\nVALWIDTH=5\n", u"VALWIDTH", QStringLiteral("5")},
    {"comment_line_ignored", "[Kadrelle]\n;VALWIDTH=1\nVALWIDTH=2\n", u"VALWIDTH", QStringLiteral("2")},
    {"first_of_two_keys_counts", "[Kadrelle]\nFIXSIZE=0\nFIXSIZE=1\n", u"FIXSIZE", QStringLiteral("0")},
    {"first_of_two_sections_counts", "[Kadrelle]\nA=1\n[Kadrelle]\nFIXSIZE=1\n", u"FIXSIZE", std::nullopt},
    {"key_before_any_section", "FIXSIZE=1\n[Kadrelle]\n", u"FIXSIZE", std::nullopt},
    {"key_of_the_next_section", "[Kadrelle]\n[Other]\nFIXSIZE=1\n", u"FIXSIZE", std::nullopt},
    {"text_after_section_bracket", "[Kadrelle] ; ours\nFIXSIZE=-1\n", u"FIXSIZE", QStringLiteral("-1")},
    {"section_without_closing_bracket", "[Kadrelle\nFIXSIZE=0\n", u"FIXSIZE", QStringLiteral("0")},
    {"byte_order_mark_before_section", "\xEF\xBB\xBF[Kadrelle]\nFIXSIZE=0\n", u"FIXSIZE",
     QStringLiteral("0")},
    {"multi_byte_value", "[Kadrelle]\nDATAFILE=/\xE5\x86\x99\xE7\x9C\x9F/a.bmp\n", u"DATAFILE",
     QStringLiteral("/写真/a.bmp")},
    {"invalid_bytes_replaced", "[Kadrelle]\nDATAFILE=a\xff\n", u"DATAFILE", QStringLiteral("a\uFFFD")},
    {"garbage_lines_around", Bytes("\xff\xfe\x00\x01\n[Kadrelle]\n\x80\x81=\n\xc3\nFIXSIZE=0\n"), u"FIXSIZE",
     QStringLiteral("0")},
};

class FindIniValueTest : public ::testing::TestWithParam<FindCase>
{
};

TEST_P(FindIniValueTest, FindsTheFirstMatchingKey)
{
    const FindCase& c = GetParam();
    EXPECT_EQ(FindIniValue(c.content, u"Kadrelle", c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindIniValueTest, ::testing::ValuesIn(FindCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct WriteCase
{
    const char* name;
    QByteArray before;
    const char16_t* key;
    const char16_t* value;
    QByteArray after;
};

const WriteCase WriteCases[] = {
    {"creates_section_in_empty_file", "", u"DATAFILE", u"/a.bmp", "[Kadrelle]\nDATAFILE=/a.bmp\n"},
    {"empty_value", "", u"DATAFILE", u"", "[Kadrelle]\nDATAFILE=\n"},
    {"new_section_after_others", "[Other]\nA=1\n", u"K", u"v", "[Other]\nA=1\n\n[Kadrelle]\nK=v\n"},
    {"new_section_after_unended_line", "[Other]\nA=1", u"K", u"v", "[Other]\nA=1\n\n[Kadrelle]\nK=v\n"},
    {"new_section_after_blank_line", "[Other]\nA=1\n\n", u"K", u"v", "[Other]\nA=1\n\n[Kadrelle]\nK=v\n"},
    {"new_section_in_crlf_file", "[Other]\r\nA=1\r\n", u"K", u"v",
     "[Other]\r\nA=1\r\n\r\n[Kadrelle]\r\nK=v\r\n"},
    {"replaces_value_where_it_stands", "; note\n[Kadrelle]\nA=1\nK=old\nB=2\n[Other]\nK=x\n", u"K", u"new",
     "; note\n[Kadrelle]\nA=1\nK=new\nB=2\n[Other]\nK=x\n"},
    {"replaces_first_of_two_keys", "[Kadrelle]\nK=1\nK=2\n", u"K", u"3", "[Kadrelle]\nK=3\nK=2\n"},
    {"replaces_value_keeping_the_keys_spelling", "[KADRELLE]\n  k = old \t\n", u"K", u"new",
     "[KADRELLE]\n  k =new\n"},
    {"keeps_a_lower_case_key", "[Kadrelle]\ndatafile=/a.bmp\n", u"DATAFILE", u"/b.bmp",
     "[Kadrelle]\ndatafile=/b.bmp\n"},
    {"replaces_with_crlf_kept", "[Kadrelle]\r\nK=old\r\nB=2\r\n", u"K", u"new",
     "[Kadrelle]\r\nK=new\r\nB=2\r\n"},
    {"adds_key_after_last_key_before_blanks", "[Kadrelle]\nA=1\n\n[Other]\nB=2\n", u"K", u"v",
     "[Kadrelle]\nA=1\nK=v\n\n[Other]\nB=2\n"},
    {"adds_key_before_comment_of_next_section", "[Kadrelle]\nA=1\n; about Other\n[Other]\n", u"K", u"v",
     "[Kadrelle]\nA=1\nK=v\n; about Other\n[Other]\n"},
    {"adds_key_below_header_of_empty_section", "[Kadrelle]\n\n[Other]\n", u"K", u"v",
     "[Kadrelle]\nK=v\n\n[Other]\n"},
    {"adds_key_below_unended_header", "[Kadrelle]", u"K", u"v", "[Kadrelle]\nK=v\n"},
    {"adds_key_after_unended_key", "[Kadrelle]\nA=1", u"K", u"v", "[Kadrelle]\nA=1\nK=v\n"},
    {"adds_key_in_crlf_file", "[Kadrelle]\r\nA=1\r\n", u"K", u"v", "[Kadrelle]\r\nA=1\r\nK=v\r\n"},
    {"writes_into_first_of_two_sections", "[Kadrelle]\nA=1\n[Kadrelle]\nK=old\n", u"K", u"v",
     "[Kadrelle]\nA=1\nK=v\n[Kadrelle]\nK=old\n"},
    {"garbage_lines_kept_byte_for_byte", Bytes("\xff\xfe\x00\n[Kadrelle]\n\xc3\nA=1\n"), u"K", u"v",
     Bytes("\xff\xfe\x00\n[Kadrelle]\n\xc3\nA=1\nK=v\n")},
    {"multi_byte_value_in_system_encoding", "", u"DATAFILE", u"/写真/a.bmp",
     "[Kadrelle]\nDATAFILE=/\xE5\x86\x99\xE7\x9C\x9F/a.bmp\n"},
};

class WithIniValueTest : public ::testing::TestWithParam<WriteCase>
{
};

TEST_P(WithIniValueTest, ChangesOnlyTheKeyLine)
{
    const WriteCase& c = GetParam();
    const std::optional<QByteArray> after = WithIniValue(c.before, u"Kadrelle", c.key, c.value);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(*after, c.after);
    EXPECT_EQ(FindIniValue(*after, u"kadrelle", c.key), QString::fromUtf16(c.value));
}

INSTANTIATE_TEST_SUITE_P(Cases, WithIniValueTest, ::testing::ValuesIn(WriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase
{
    const char* name;
    QString section;
    QString key;
    QString value;
};

const RefusedCase RefusedCases[] = {
    {"line_feed_in_value", QStringLiteral("Kadrelle"), QStringLiteral("K"), QStringLiteral("a\nB=1")},
    {"carriage_return_in_value", QStringLiteral("Kadrelle"), QStringLiteral("K"), QStringLiteral("a\r")},
    {"nul_in_value", QStringLiteral("Kadrelle"), QStringLiteral("K"), QStringLiteral("a") + QChar(0)},
    {"empty_key", QStringLiteral("Kadrelle"), QString(), QStringLiteral("v")},
    {"blank_key", QStringLiteral("Kadrelle"), QStringLiteral(" \t"), QStringLiteral("v")},
    {"equals_in_key", QStringLiteral("Kadrelle"), QStringLiteral("A=B"), QStringLiteral("v")},
    {"key_reading_as_section", QStringLiteral("Kadrelle"), QStringLiteral("[K"), QStringLiteral("v")},
    {"key_reading_as_comment", QStringLiteral("Kadrelle"), QStringLiteral(";K"), QStringLiteral("v")},
    {"key_after_a_byte_order_mark", QStringLiteral("Kadrelle"), QStringLiteral(" \uFEFFK"),
     QStringLiteral("v")},
    {"line_feed_in_key", QStringLiteral("Kadrelle"), QStringLiteral("K\n"), QStringLiteral("v")},
    {"empty_section", QString(), QStringLiteral("K"), QStringLiteral("v")},
    {"bracket_in_section", QStringLiteral("Kad]relle"), QStringLiteral("K"), QStringLiteral("v")},
    {"line_feed_in_section", QStringLiteral("Kad\nrelle"), QStringLiteral("K"), QStringLiteral("v")},
};

class WithIniValueRefusedTest : public ::testing::TestWithParam<RefusedCase>
{
};

TEST_P(WithIniValueRefusedTest, RefusesWhatDoesNotFitOnOneLine)
{
    const RefusedCase& c = GetParam();
    EXPECT_FALSE(WithIniValue("[Kadrelle]\nK=1\n", c.section, c.key, c.value).has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, WithIniValueRefusedTest, ::testing::ValuesIn(RefusedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FindIniValues, ReadsSeveralKeysInTheirOrder)
{
    const QByteArray content = "[Other]\nA=x\n[kadrelle]\nb=2\nA=1\nb=3\n[Kadrelle]\nC=4\n";
    const std::vector<std::optional<QString>> expected = {QStringLiteral("1"), std::nullopt,
                                                          QStringLiteral("2")};
    EXPECT_EQ(
        FindIniValues(content, u"Kadrelle", {QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("B")}),
        expected);
    EXPECT_EQ(FindIniValues(content, u"Missing", {QStringLiteral("A")}),
              std::vector<std::optional<QString>>{std::nullopt});
}

struct BatchCase
{
    const char* name;
    QByteArray before;
    QByteArray after;
};

const BatchCase BatchCases[] = {
    {"new_file", "", "[Kadrelle]\nA=1\nB=2\nC=3\n"},
    {"new_section_after_others", "[Other]\nA=x", "[Other]\nA=x\n\n[Kadrelle]\nA=1\nB=2\nC=3\n"},
    {"replaced_where_they_stand_and_added_in_order", "[Kadrelle]\r\nc = old\r\nZ=9\r\n\r\n[Other]\r\n",
     "[Kadrelle]\r\nc =3\r\nZ=9\r\nA=1\r\nB=2\r\n\r\n[Other]\r\n"},
    {"all_replaced", "[Kadrelle]\nB=0\na=0\nC=0\n", "[Kadrelle]\nB=2\na=1\nC=3\n"},
};

class WithIniValuesTest : public ::testing::TestWithParam<BatchCase>
{
};

// Writing three keys at once gives the file that three writes one after the other give.
TEST_P(WithIniValuesTest, GivesWhatWritesOneByOneGive)
{
    const BatchCase& c = GetParam();
    const QList<IniEntry> entries = {{QStringLiteral("A"), QStringLiteral("1")},
                                     {QStringLiteral("B"), QStringLiteral("2")},
                                     {QStringLiteral("C"), QStringLiteral("3")}};
    std::optional<QByteArray> oneByOne = c.before;
    for (const IniEntry& entry : entries)
        oneByOne = WithIniValue(*oneByOne, u"Kadrelle", entry.key, entry.value);
    EXPECT_EQ(WithIniValues(c.before, u"Kadrelle", entries), c.after);
    EXPECT_EQ(oneByOne, c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, WithIniValuesTest, ::testing::ValuesIn(BatchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WithIniValues, ALaterEntryForTheSameKeyWins)
{
    EXPECT_EQ(WithIniValues(
                  "[Kadrelle]\nK=0\n", u"Kadrelle",
                  {{QStringLiteral("K"), QStringLiteral("1")}, {QStringLiteral("k"), QStringLiteral("2")}}),
              QByteArray("[Kadrelle]\nK=2\n"));
}

TEST(WithIniValues, OneEntryThatCannotBeStoredRefusesThemAll)
{
    EXPECT_FALSE(WithIniValues("[Kadrelle]\nK=0\n", u"Kadrelle",
                               {{QStringLiteral("K"), QStringLiteral("1")},
                                {QStringLiteral("L"), QStringLiteral("a\nb")}})
                     .has_value());
}

} // namespace
