#include "tests/app/formfixture.h"
#include "toolkit/textbox.h"

#include <QLabel>
#include <QPushButton>

namespace {

class OutputPathTest : public FormTest
{
  protected:
    void start(const QByteArray& storedPath)
    {
        writeSettings("[Kadrelle]\nDATAFILE=" + storedPath + "\n");
        open();
        showActive();
        Text1 = control<TextBox>("Text1");
    }

    void clickFolderButton() { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }

    QByteArray storedDataFile() const
    {
        for (const QByteArray& line : readSettings().split('\n'))
            if (line.startsWith("DATAFILE="))
                return line.mid(9).trimmed();
        return {};
    }

    TextBox* Text1 = nullptr;
};

} // namespace

TEST_F(OutputPathTest, TheDialogOpensAtTheCurrentPath)
{
    struct Case
    {
        QByteArray path;
        QString folder, name;
    };
    const Case cases[] = {
        {"/out/wall[00003].bmp", QStringLiteral("/out/"), QStringLiteral("wall[00003].bmp")},
        {"", folder.path() + u'/', QString()},
        {"/wall.bmp", folder.path() + u'/', QString()},
        {"wall.bmp", folder.path() + u'/', QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.constData());
        start(c.path);
        clickFolderButton();
        ASSERT_TRUE(dialog->asked);
        EXPECT_EQ(dialog->asked->title, QStringLiteral("データファイルの指定"));
        EXPECT_EQ(dialog->asked->initialFolder, c.folder);
        EXPECT_EQ(dialog->asked->initialName, c.name);
        EXPECT_EQ(dialog->asked->filters, (QStringList{QStringLiteral("ビットマップ ファイル (*.bmp)"),
                                                       QStringLiteral("すべてのファイル (*)")}));
    }
}

TEST_F(OutputPathTest, ANewPickGetsASerialAndIsStoredAtOnce)
{
    struct Case
    {
        QString picked, shown;
    };
    const Case cases[] = {
        {QStringLiteral("/pics/sunset.bmp"), QStringLiteral("/pics/sunset[00000].bmp")},
        {QStringLiteral("/out/wall[00007].bmp"), QStringLiteral("/out/wall[00007][00000].bmp")},
        {QStringLiteral("/home/me/my.pics/a.bmp"), QStringLiteral("/home/me/my.pics/a[00000].bmp")},
        {QStringLiteral("/home/me/out/wall"), QStringLiteral("/home/me/out/wall[00000]")},
        {QStringLiteral("/home/me/out/wall."), QStringLiteral("/home/me/out/wall[00000].")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picked.toStdString());
        start("/pics/old[00002].bmp");
        dialog->answer = c.picked;
        clickFolderButton();
        EXPECT_EQ(Text1->text(), c.shown);
        EXPECT_TRUE(Text1->hasFocus());
        EXPECT_EQ(QString::fromUtf8(storedDataFile()), c.shown);
    }
}

TEST_F(OutputPathTest, PickingTheStoredPathKeepsItAsItIsAndWritesNothing)
{
    start("/pics/wall[00012].bmp");
    const QByteArray before = readSettings();
    dialog->answer = QStringLiteral("/pics/wall[00012].bmp");
    clickFolderButton();
    EXPECT_EQ(Text1->text(), QStringLiteral("/pics/wall[00012].bmp"));
    EXPECT_EQ(Text1->selectedText(), Text1->text());
    EXPECT_EQ(readSettings(), before);
}

TEST_F(OutputPathTest, ACancelChangesNothing)
{
    start("/pics/wall[00012].bmp");
    const QByteArray before = readSettings();
    Text1->setText(QStringLiteral("/typed/by/hand.bmp"));
    Text1->setSelection(3, 4);
    dialog->answer = std::nullopt;
    clickFolderButton();
    EXPECT_EQ(Text1->text(), QStringLiteral("/typed/by/hand.bmp"));
    EXPECT_EQ(Text1->selectionStart(), 3);
    EXPECT_EQ(Text1->selectedText().size(), 4);
    EXPECT_EQ(readSettings(), before);
}

TEST_F(OutputPathTest, APathTooLongToSplitIsReportedAndLeftAlone)
{
    start("");
    const QString longPath = QStringLiteral("/") + QString(40000, u'a') + QStringLiteral(".bmp");
    Text1->setText(longPath);
    dialog->answer = QStringLiteral("/pics/new.bmp");
    clickFolderButton();
    EXPECT_FALSE(dialog->asked);
    EXPECT_EQ(Text1->text(), longPath);
    EXPECT_FALSE(form->findChild<QLabel*>(QStringLiteral("StatusLine"))->text().isEmpty());
}

TEST_F(OutputPathTest, TabbingIntoTheFieldSelectsAllOfIt)
{
    start("/pics/wall[00012].bmp");
    control<QPushButton>("Command2")->setFocus();
    Text1->setCursorPosition(2);
    Text1->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Text1->selectedText(), QStringLiteral("/pics/wall[00012].bmp"));
    Text1->clearFocus();
    Text1->setCursorPosition(2);
    Text1->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Text1->selectedText(), QStringLiteral("/pics/wall[00012].bmp"));
}

TEST_F(OutputPathTest, TheResetButtonSetsTheSerialBackTo00000)
{
    start("/pics/wall[00012].bmp");
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_EQ(Text1->text(), QStringLiteral("/pics/wall[00000].bmp"));
    Text1->setText(QStringLiteral("[00007].bmp"));
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_EQ(Text1->text(), QStringLiteral("[00007].bmp"));
}
