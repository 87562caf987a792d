#include "tests/app/formfixture.h"
#include "tests/support/dropsimulation.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"
#include "trim/trimmessages.h"

#include <QImage>
#include <QLabel>

namespace {

// What the status line says after a drop, and which drops the area around it takes.
class DropStatusTest : public FormTest
{
  protected:
    void SetUp() override
    {
        writeSettings("[Kadrelle]\nDATAFILE=" + folder.filePath(QStringLiteral("wall.bmp")).toUtf8() + "\n");
        open();
        showActive();
        Text1 = control<TextBox>("Text1");
        StatusLine = control<QLabel>("StatusLine");
    }

    QString writePicture(const char* name)
    {
        QImage picture(300, 500, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString path = folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(picture.save(path));
        return path;
    }

    QString output(const char* serial) const
    {
        return folder.filePath(QStringLiteral("wall[%1].bmp").arg(QLatin1String(serial)));
    }

    TextBox* Text1 = nullptr;
    QLabel* StatusLine = nullptr;
};

// Runs the current folder elsewhere for one test.
class CurrentFolder
{
  public:
    explicit CurrentFolder(const QString& folder) : saved_(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~CurrentFolder() { QDir::setCurrent(saved_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    QString saved_;
};

} // namespace

TEST_F(DropStatusTest, SeveralFilesSayHowManyWereIgnored)
{
    const QStringList pictures = {writePicture("a.png"), writePicture("b.png"), writePicture("c.png")};
    ASSERT_TRUE(SimulateDrop(control<PictureBox>("Picture2"), pictures));
    EXPECT_EQ(StatusLine->text(),
              TrimMessages::WithOthersIgnored(TrimMessages::Saved(output("00000"), QSize(288, 480)), 2));
    EXPECT_TRUE(StatusLine->text().contains(QStringLiteral("ほかの 2 個のファイルは無視しました")));
    EXPECT_FALSE(QFile::exists(output("00001")));

    ASSERT_TRUE(SimulateDrop(control<PictureBox>("Picture2"), {pictures[1]}));
    EXPECT_EQ(StatusLine->text(), TrimMessages::Saved(output("00001"), QSize(288, 480)));
}

TEST_F(DropStatusTest, TheStatusLineAndTheSurfaceAroundItTakeDrops)
{
    const QString picture = writePicture("a.png");
    const QRect status = StatusLine->geometry();
    const QPoint points[] = {status.center(), status.topLeft() + QPoint(2, 2),
                             status.bottomRight() - QPoint(2, 2), status.bottomLeft() + QPoint(0, 12),
                             status.topRight() + QPoint(8, 40)};
    int serial = 0;
    for (const QPoint point : points) {
        ASSERT_TRUE(SimulateDropAt(form.get(), point, {picture})) << point.x() << "," << point.y();
        EXPECT_TRUE(QFile::exists(output(QString::number(serial).rightJustified(5, u'0').toLatin1())));
        ++serial;
    }
    EXPECT_FALSE(SimulateDrop(control<QWidget>("Frame2"), {picture}));
}

TEST_F(DropStatusTest, AnEmptyOutputPathRefusesTheDrop)
{
    const QString picture = writePicture("a.png");
    QTemporaryDir current;
    const CurrentFolder inside(current.path());
    Text1->clear();
    ASSERT_TRUE(SimulateDrop(control<PictureBox>("Picture2"), {picture}));
    EXPECT_EQ(Text1->text(), QString());
    EXPECT_EQ(StatusLine->text(), TrimMessages::NoOutputPath());
    EXPECT_TRUE(QDir(current.path()).isEmpty());
    EXPECT_TRUE(control<PictureBox>("Picture2")->Image().isNull());
}

TEST_F(DropStatusTest, ARelativeOutputPathIsShownAsTheAbsolutePathWritten)
{
    const QString picture = writePicture("a.png");
    const CurrentFolder inside(folder.path());
    Text1->setText(QStringLiteral("rel.bmp"));
    ASSERT_TRUE(SimulateDrop(control<PictureBox>("Picture2"), {picture}));
    const QString written = folder.filePath(QStringLiteral("rel[00000].bmp"));
    EXPECT_TRUE(QFile::exists(written));
    EXPECT_TRUE(StatusLine->text().contains(QDir::toNativeSeparators(written)))
        << StatusLine->text().toStdString();
}
