#include "tests/support/dropsimulation.h"
#include "toolkit/filedrop.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(FileDropTarget, ReportsTheLocalFilesOfADropInOrder)
{
    QWidget surface;
    FileDropTarget target(&surface);
    QSignalSpy drops(&target, &FileDropTarget::FilesDropped);
    EXPECT_TRUE(SimulateDrop(&surface, {QStringLiteral("/tmp/a.png"), QStringLiteral("/tmp/b.png")}));
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops.first().first().toStringList(),
              (QStringList{QStringLiteral("/tmp/a.png"), QStringLiteral("/tmp/b.png")}));
}

TEST(FileDropTarget, RefusesADragWithoutALocalFile)
{
    QWidget surface;
    FileDropTarget target(&surface);
    QSignalSpy drops(&target, &FileDropTarget::FilesDropped);
    EXPECT_FALSE(SimulateDrop(&surface, {}, QStringLiteral("some text")));
    EXPECT_EQ(drops.count(), 0);
}

TEST(RefuseDrops, ATextBoxNoLongerTakesADroppedFileAsText)
{
    QWidget window;
    auto* field = new QLineEdit(QStringLiteral("kept"), &window);
    // File managers offer a dragged file's URL as text too.
    const QString url = QStringLiteral("file:///tmp/a.png");
    ASSERT_TRUE(SimulateDrop(field, {QStringLiteral("/tmp/a.png")}, url));
    field->setText(QStringLiteral("kept"));
    RefuseDrops(&window);
    EXPECT_FALSE(SimulateDrop(field, {QStringLiteral("/tmp/a.png")}, url));
    EXPECT_EQ(field->text(), QStringLiteral("kept"));
}
