#include "toolkit/numbertext.h"
#include "toolkit/virtualkey.h"

#include <gtest/gtest.h>

TEST(TextToInt16, ConvertsAsStoredSettingsAreRead)
{
    struct Case
    {
        const char* text;
        std::optional<std::int16_t> expected;
    };
    const Case cases[] = {
        {"240", 240},       {" 0300 ", 300}, {"-1", -1},   {"+7", 7},    {"32767", 32767},
        {"-32768", -32768}, {"2.5", 2},      {"3.5", 4},   {"-2.5", -2}, {"0240", 240},
        {"32768", {}},      {"-32769", {}},  {"", {}},     {"  ", {}},   {"abc", {}},
        {"12abc", {}},      {"1e3", {}},     {"0x10", {}}, {"1 2", {}},  {"32767.5", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToInt16(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(TextToInt16, FullWidthDigitsAreNoNumber)
{
    EXPECT_EQ(TextToInt16(QStringLiteral("１２０")), std::nullopt);
}

TEST(VirtualKeyCode, MapsTheKeysTheHandlersWatch)
{
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Delete), 46);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Backspace), 8);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Left), 37);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Right), 39);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_7), '7');
    EXPECT_EQ(VirtualKeyCode(Qt::Key_F35), 0);
}
