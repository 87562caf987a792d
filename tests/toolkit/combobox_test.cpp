#include "toolkit/combobox.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Presets : ::testing::Test
{
    Presets()
    {
        combo.AddItem(QStringLiteral("240×320"));
        combo.AddItem(QStringLiteral("240×400"));
    }
    ComboBox combo;
};

} // namespace

TEST(ComboBox, AddingEntriesPicksNone)
{
    ComboBox combo;
    combo.AddItem(QStringLiteral("240×320"));
    combo.AddItem(QStringLiteral("240×400"));
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_TRUE(combo.currentText().isEmpty());
}

TEST_F(Presets, SettingListIndexFromCodeRaisesClickOnlyWhenItChanges)
{
    QSignalSpy clicks(&combo, &ComboBox::Click);
    ASSERT_TRUE(combo.SetListIndex(1));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(combo.currentText(), QStringLiteral("240×400"));
    ASSERT_TRUE(combo.SetListIndex(1));
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_TRUE(combo.SetListIndex(-1));
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(Presets, AnIndexThatNamesNoEntryIsRefused)
{
    combo.SetListIndex(0);
    QSignalSpy clicks(&combo, &ComboBox::Click);
    EXPECT_FALSE(combo.SetListIndex(2));
    EXPECT_FALSE(combo.SetListIndex(-2));
    EXPECT_EQ(combo.ListIndex(), 0);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(Presets, TypingIsNoPickAndEnterAddsNoEntry)
{
    combo.SetListIndex(0);
    QSignalSpy clicks(&combo, &ComboBox::Click);
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), QStringLiteral("480×800"));
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.ListIndex(), -1);
}

TEST_F(Presets, SettingTheIndexTheTypedTextHidRestoresTheEntry)
{
    combo.SetListIndex(1);
    combo.setEditText(QStringLiteral("typed"));
    QSignalSpy clicks(&combo, &ComboBox::Click);
    ASSERT_TRUE(combo.SetListIndex(1));
    EXPECT_EQ(combo.currentText(), QStringLiteral("240×400"));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(Presets, AUserPickRaisesClick)
{
    combo.SetListIndex(0);
    combo.setEditText(QStringLiteral("typed"));
    QSignalSpy clicks(&combo, &ComboBox::Click);
    emit combo.activated(0);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(combo.ListIndex(), 0);
}
