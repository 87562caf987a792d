#include "toolkit/updown.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(UpDown, ChangeFollowsWritesThatChangeTheValue)
{
    UpDown spin;
    spin.SetRange(1, 480);
    QSignalSpy changes(&spin, &UpDown::Change);
    spin.SetValue(240);
    EXPECT_EQ(changes.count(), 1);
    spin.SetValue(240);
    EXPECT_EQ(changes.count(), 1);
}

TEST(UpDown, ValueIsKeptWithinTheRange)
{
    UpDown spin;
    spin.SetRange(1, 800);
    spin.SetValue(900);
    EXPECT_EQ(spin.Value(), 800);
    spin.SetValue(-5);
    EXPECT_EQ(spin.Value(), 1);
}

TEST(UpDown, ArrowsStepByOneAndStopAtTheEnds)
{
    UpDown spin;
    spin.SetRange(1, 3);
    spin.resize(16, 19);
    spin.show();
    spin.SetValue(2);
    QSignalSpy changes(&spin, &UpDown::Change);
    QTest::mouseClick(spin.upArrow(), Qt::LeftButton);
    EXPECT_EQ(spin.Value(), 3);
    QTest::mouseClick(spin.upArrow(), Qt::LeftButton);
    EXPECT_EQ(spin.Value(), 3);
    EXPECT_EQ(changes.count(), 1);
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(spin.downArrow(), Qt::LeftButton);
    EXPECT_EQ(spin.Value(), 1);
    EXPECT_EQ(changes.count(), 3);
}
