// Found by fuzz_settings: a file whose last line stops at a lone carriage return (no line feed). The reader
// drops that "\r" from the line's text but only a "\n" ends a line, so a key written after that line
// joined it: the new key was lost and the line's own value grew the new key line.
#include "settings/initext.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

struct LastLineCrCase
{
    const char* name;
    QByteArray content;
    QString section;
    QString key;
    QString value;
    QString otherSection;
    QString otherKey;
    std::optional<QString> otherValue; // what the other key reads, before the write and after it

    friend void PrintTo(const LastLineCrCase& c, std::ostream* os) { *os << c.name; }
};

// A value as the failure message shows it.
std::string Shown(const std::optional<QString>& value)
{
    return value ? '"' + value->toStdString() + '"' : "(missing)";
}

const LastLineCrCase LastLineCrCases[] = {
    // The first finding: section, key and value texts, then the file.
    {"found_by_fuzzer", "\xEF\xBB\xBF[Kadrelle]\r\nDATAFILE=/\xE5\x86\x99\xE7\x9C\x9F/wall[00001].bmp\r",
     "Kadrelle", "VALWIDTH", " 1080 ", "Kadrelle", "DATAFILE", QStringLiteral("/写真/wall[00001].bmp")},
    {"after_last_key", "[Kadrelle]\nDATAFILE=/a.bmp\r", "Kadrelle", "VALWIDTH", "5", "Kadrelle", "DATAFILE",
     QStringLiteral("/a.bmp")},
    {"after_section_line", "[Kadrelle]\r", "Kadrelle", "VALWIDTH", "5", "Kadrelle", "DATAFILE", std::nullopt},
    {"new_section_after_it", "[Kadrelle]\nDATAFILE=/a.bmp\r", "Other", "VALWIDTH", "5", "Kadrelle",
     "DATAFILE", QStringLiteral("/a.bmp")},
    // The long run's findings, minimised. A file that is a lone CR: the new section's header joined it.
    {"new_section_after_blank_cr_line", "\r", "w", "k", "", "w", "other", std::nullopt},
    // A new section after "3=" and a lone CR: an ending added after the CR made the value of 3 read "\r".
    {"new_section_after_empty_value", "[\r\n3=\r", "N", "y", "", "", "3", QString()},
    // A value ending in "\r" on a last line ending in another: the added ending took the value's "\r" away.
    {"value_ending_in_cr", "[\nV=\r\r", "w", "k", "", "", "V", QStringLiteral("\r")},
};

class LastLineCr : public testing::TestWithParam<LastLineCrCase>
{
};

TEST_P(LastLineCr, WrittenKeyReadsBackAndOtherKeysKeepTheirValues)
{
    const LastLineCrCase& c = GetParam();
    ASSERT_EQ(Shown(FindIniValue(c.content, c.otherSection, c.otherKey)), Shown(c.otherValue));
    const std::optional<QByteArray> written = WithIniValue(c.content, c.section, c.key, c.value);
    ASSERT_TRUE(written.has_value());
    SCOPED_TRACE("written file: " + written->toStdString());
    EXPECT_EQ(Shown(FindIniValue(*written, c.section, c.key)), Shown(c.value.trimmed()));
    EXPECT_EQ(Shown(FindIniValue(*written, c.otherSection, c.otherKey)), Shown(c.otherValue));
}

INSTANTIATE_TEST_SUITE_P(FuzzFinding, LastLineCr, testing::ValuesIn(LastLineCrCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
