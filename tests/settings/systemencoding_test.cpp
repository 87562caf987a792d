#include "settings/systemencoding.h"

#include <gtest/gtest.h>

namespace {

struct CutCase
{
    const char* name;
    QString text;
    qsizetype maxBytes;
    QString expected;
};

QString As(qsizetype count)
{
    return QString(count, u'a');
}

// The system encoding is UTF-8 here: "é" takes 2 bytes, "写" 3 and "😀" 4 (a surrogate pair in the text).
const CutCase CutCases[] = {
    {"short_text_unchanged", QStringLiteral("abc"), 255, QStringLiteral("abc")},
    {"exactly_the_limit", As(255), 255, As(255)},
    {"one_byte_over", As(256), 255, As(255)},
    {"two_byte_char_ends_at_limit", As(253) + QStringLiteral("é"), 255, As(253) + QStringLiteral("é")},
    {"two_byte_char_straddles_limit", As(254) + QStringLiteral("é"), 255, As(254)},
    {"three_byte_char_ends_at_limit", As(252) + QStringLiteral("写"), 255, As(252) + QStringLiteral("写")},
    {"three_byte_char_straddles_limit", As(253) + QStringLiteral("写真"), 255, As(253)},
    {"surrogate_pair_straddles_limit", As(253) + QStringLiteral("😀"), 255, As(253)},
    {"surrogate_pair_ends_at_limit", As(251) + QStringLiteral("😀"), 255, As(251) + QStringLiteral("😀")},
    {"nul_ends_the_text", QStringLiteral("ab") + QChar(0) + QStringLiteral("cd"), 255, QStringLiteral("ab")},
    {"no_room", QStringLiteral("abc"), 0, QString()},
    {"negative_room", QStringLiteral("abc"), -1, QString()},
    {"empty_text", QString(), 255, QString()},
};

class CutToEncodedLengthTest : public ::testing::TestWithParam<CutCase>
{
};

TEST_P(CutToEncodedLengthTest, KeepsWholeCharactersWithinTheLimit)
{
    const CutCase& c = GetParam();
    const QString cut = CutToEncodedLength(c.text, c.maxBytes);
    EXPECT_EQ(cut, c.expected);
    EXPECT_LE(ToSystemEncoding(cut).size(), std::max<qsizetype>(c.maxBytes, 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, CutToEncodedLengthTest, ::testing::ValuesIn(CutCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SystemEncodingTest, UnrepresentableCharacterIsReplaced)
{
    const QString loneSurrogate = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
    EXPECT_EQ(FromSystemEncoding(ToSystemEncoding(loneSurrogate)), QStringLiteral("a\uFFFDb"));
}

TEST(SystemEncodingTest, InvalidBytesDecodeToReplacementCharacters)
{
    EXPECT_EQ(FromSystemEncoding(QByteArrayView("a\xff"
                                                "b")),
              QStringLiteral("a\uFFFDb"));
}

} // namespace
