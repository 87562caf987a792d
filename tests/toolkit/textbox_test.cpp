#include "toolkit/textbox.h"
#include "toolkit/virtualkey.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(TextBox, ChangeFollowsEveryChangeOfTheTextButNotARewriteOfTheSameText)
{
    TextBox box;
    QSignalSpy changes(&box, &TextBox::Change);
    box.setText(QStringLiteral("240"));
    EXPECT_EQ(changes.count(), 1);
    box.setText(QStringLiteral("240"));
    EXPECT_EQ(changes.count(), 1);
    QTest::keyClicks(&box, QStringLiteral("12"));
    EXPECT_EQ(changes.count(), 3);
    box.clear();
    EXPECT_EQ(changes.count(), 4);
}

TEST(TextBox, ChangeRunsInsideTheWriteThatCausedIt)
{
    TextBox box;
    QString seen;
    QObject::connect(&box, &TextBox::Change, [&] { seen = box.text(); });
    box.setText(QStringLiteral("abc"));
    EXPECT_EQ(seen, QStringLiteral("abc"));
}

TEST(TextBox, HoldsTextsBeyondQtsDefaultLengthLimit)
{
    TextBox box;
    const QString longText(40000, u'x');
    box.setText(longText);
    EXPECT_EQ(box.text().size(), 40000);
}

TEST(TextBox, SelectionWritesAreClampedToTheText)
{
    struct Case
    {
        int start, length, expectedStart, expectedLength;
    };
    const Case cases[] = {{1, 1, 1, 1}, {0, 3, 0, 3},  {2, 9, 2, 1},
                          {7, 2, 3, 0}, {-4, 1, 0, 1}, {1, -3, 1, 0}};
    for (const Case& c : cases) {
        TextBox box;
        box.setText(QStringLiteral("240"));
        box.SetSelStart(c.start);
        box.SetSelLength(c.length);
        EXPECT_EQ(box.SelStart(), c.expectedStart) << c.start << "," << c.length;
        EXPECT_EQ(box.SelLength(), c.expectedLength) << c.start << "," << c.length;
    }
}

TEST(TextBox, KeyUpCarriesTheVirtualKeyCode)
{
    TextBox box;
    QList<int> codes;
    QObject::connect(&box, &TextBox::KeyUp, [&](int code) { codes.append(code); });
    for (Qt::Key key :
         {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_A})
        QTest::keyClick(&box, key);
    EXPECT_EQ(codes, (QList<int>{VirtualKey::Delete, VirtualKey::Back, VirtualKey::Left, VirtualKey::Right,
                                 36, 'A'}));
}

TEST(TextBox, MouseUpAndGotFocusAreRaised)
{
    QWidget window;
    auto* other = new TextBox(&window);
    auto* box = new TextBox(&window);
    box->move(0, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QSignalSpy mouseUps(box, &TextBox::MouseUp);
    QSignalSpy focus(box, &TextBox::GotFocus);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(mouseUps.count(), 1);
    EXPECT_EQ(focus.count(), 1);
}

TEST(TextBox, KeepsItsSelectionWhenAnotherControlTakesTheFocus)
{
    QWidget window;
    auto* box = new TextBox(&window);
    auto* other = new TextBox(&window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    box->setText(QStringLiteral("/pics/wall.bmp"));
    box->setSelection(6, 4);
    other->setFocus();
    EXPECT_EQ(box->SelStart(), 6);
    EXPECT_EQ(box->SelLength(), 4);
}
