#include "toolkit/optionbutton.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(OptionButton, SelectingFromCodeClicksItAndClearsTheOtherButton)
{
    QWidget group;
    auto* first = new OptionButton(QStringLiteral("one"), &group);
    auto* second = new OptionButton(QStringLiteral("two"), &group);
    first->SetValue(true);
    QSignalSpy firstClicks(first, &OptionButton::Click);
    QSignalSpy secondClicks(second, &OptionButton::Click);

    second->SetValue(true);
    EXPECT_EQ(secondClicks.count(), 1);
    EXPECT_FALSE(first->Value());
    EXPECT_EQ(firstClicks.count(), 0);

    second->SetValue(true);
    EXPECT_EQ(secondClicks.count(), 1);

    group.show();
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(firstClicks.count(), 1);
    EXPECT_TRUE(first->Value());
}
