#include "tests/app/formfixture.h"
#include "tests/support/dropsimulation.h"
#include "tests/support/pictures/patterns.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"

#include <QImage>
#include <QLabel>

using namespace testpictures;

namespace {

class DropTest : public FormTest
{
  protected:
    void start(const QByteArray& settings, int screenWidth = 1280)
    {
        writeSettings("[Kadrelle]\nDATAFILE=" + outputPattern().toUtf8() + "\n" + settings);
        open(screenWidth);
        Text1 = control<TextBox>("Text1");
        Picture2 = control<PictureBox>("Picture2");
    }

    QString outputPattern() const { return folder.filePath(QStringLiteral("out/wall.bmp")); }
    QString output(const char* serial) const
    {
        return folder.filePath(QStringLiteral("out/wall[%1].bmp").arg(QLatin1String(serial)));
    }

    QString writePicture(int width, int height, const char* name = "picture.png")
    {
        QDir(folder.path()).mkpath(QStringLiteral("out"));
        const QString path = folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(CoordinatePicture(width, height).save(path));
        return path;
    }

    QString status() const { return form->findChild<QLabel*>(QStringLiteral("StatusLine"))->text(); }

    TextBox* Text1 = nullptr;
    PictureBox* Picture2 = nullptr;
};

} // namespace

TEST_F(DropTest, EachSizeGivesItsCropFromThePicturesCentre)
{
    struct Case
    {
        const char* name;
        int width, height, screenWidth;
        QByteArray settings;
        QSize crop;
        QPoint offset;
    };
    const QByteArray preset320 = "FIXSIZE=0\n";
    const Case cases[] = {
        {"A, capped", 1000, 1500, 1280, preset320, {480, 640}, {260, 430}},
        {"B", 600, 700, 1280, preset320, {480, 640}, {60, 30}},
        {"C", 300, 500, 1280, preset320, {288, 384}, {6, 58}},
        {"C, odd sizes", 301, 501, 1280, preset320, {288, 384}, {6, 58}},
        {"C, small", 200, 200, 1280, preset320, {144, 192}, {28, 4}},
        {"B, small preview", 640, 480, 1088, preset320, {312, 416}, {164, 32}},
        {"A, middle preview", 1024, 768, 1024, preset320, {480, 640}, {272, 64}},
        {"A, taller target", 1000, 1500, 1280, "FIXSIZE=1\n", {480, 800}, {260, 350}},
        {"A, wide target",
         2000,
         2000,
         1280,
         "SCREENSELECT=Option2\nVALWIDTH=400\nVALHEIGHT=240\n",
         {800, 480},
         {600, 760}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start(c.settings, c.screenWidth);
        const QString picture = writePicture(c.width, c.height);
        ASSERT_TRUE(SimulateDrop(Picture2, {picture}));

        const QImage saved(output("00000"));
        ASSERT_EQ(saved.size(), c.crop) << status().toStdString();
        EXPECT_EQ(saved.depth(), 32); // Qt reads a 24-bit bitmap as RGB32
        for (QPoint corner :
             {QPoint(0, 0), QPoint(c.crop.width() - 1, 0), QPoint(0, c.crop.height() - 1),
              QPoint(c.crop.width() - 1, c.crop.height() - 1), QPoint(c.crop.width() / 2, 7)}) {
            const QPoint source = corner + c.offset;
            EXPECT_EQ(saved.pixelColor(corner), QColor(CoordinatePixel(source.x(), source.y())))
                << corner.x() << "," << corner.y();
        }
        EXPECT_EQ(Picture2->size(), c.crop + QSize(4, 4));
        EXPECT_EQ(Picture2->Image(), saved.convertToFormat(QImage::Format_RGB888));
        EXPECT_EQ(Text1->text(), output("00001"));
        EXPECT_TRUE(status().contains(QDir::toNativeSeparators(output("00000")))) << status().toStdString();
        QFile::remove(output("00000"));
    }
}

TEST_F(DropTest, TheWindowAndThePreviewBoxTakeTheSameDrop)
{
    start("FIXSIZE=0\n");
    const QString picture = writePicture(600, 700);
    ASSERT_TRUE(SimulateDropAt(form.get(), {530, 400}, {picture}));
    ASSERT_TRUE(SimulateDrop(Picture2, {picture}));
    const QImage first(output("00000"));
    EXPECT_EQ(first.size(), QSize(480, 640));
    EXPECT_EQ(QImage(output("00001")), first);
    EXPECT_EQ(Text1->text(), output("00002"));
}

TEST_F(DropTest, OnlyTheFirstOfSeveralFilesIsTrimmed)
{
    start("FIXSIZE=0\n");
    const QString first = writePicture(300, 500, "first.png");
    const QString second = writePicture(600, 700, "second.png");
    ASSERT_TRUE(SimulateDrop(Picture2, {first, second}));
    EXPECT_EQ(QImage(output("00000")).size(), QSize(288, 384));
    EXPECT_FALSE(QFile::exists(output("00001")));
    EXPECT_EQ(form->currentFile(), first);
}

TEST_F(DropTest, OtherControlsAndDragsWithoutFilesAreRefused)
{
    start("FIXSIZE=0\n");
    const QString picture = writePicture(300, 500);
    const QString url = QUrl::fromLocalFile(picture).toString();
    for (const char* name : {"Text1", "Text2", "Text3", "Combo1", "Command1", "Label1", "Frame2", "Option1"})
        EXPECT_FALSE(SimulateDrop(form->findChild<QWidget*>(QString::fromLatin1(name)), {picture}, url))
            << name;
    EXPECT_FALSE(SimulateDrop(Picture2, {}, QStringLiteral("just text")));
    EXPECT_FALSE(SimulateDropAt(form.get(), {530, 400}, {}, QStringLiteral("just text")));
    EXPECT_EQ(Text1->text(), outputPattern());
    EXPECT_FALSE(QFile::exists(output("00000")));
}

TEST_F(DropTest, TheSerialCyclesFrom20000Through20001To00000)
{
    start("FIXSIZE=0\n");
    Text1->setText(output("20000"));
    const QString picture = writePicture(300, 500);
    ASSERT_TRUE(SimulateDrop(Picture2, {picture}));
    EXPECT_TRUE(QFile::exists(output("20000")));
    EXPECT_EQ(Text1->text(), output("20001"));
    ASSERT_TRUE(SimulateDrop(Picture2, {picture}));
    EXPECT_TRUE(QFile::exists(output("00000")));
    EXPECT_FALSE(QFile::exists(output("20001")));
    EXPECT_EQ(Text1->text(), output("00001"));
}

TEST_F(DropTest, AJpgOutputPathStillGetsABitmap)
{
    start("FIXSIZE=0\n");
    Text1->setText(folder.filePath(QStringLiteral("out/shot.jpg")));
    ASSERT_TRUE(SimulateDrop(Picture2, {writePicture(300, 500)}));
    QFile saved(folder.filePath(QStringLiteral("out/shot[00000].jpg")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.read(2), QByteArray("BM"));
}

TEST_F(DropTest, AFailedDropKeepsTheSerialTheFileAndThePreview)
{
    struct Case
    {
        const char* name;
        int width, height;
        bool garbage;
        bool unwritable;
    };
    const Case cases[] = {
        {"picture too small for a tenth of the target", 20, 500, false, false},
        {"picture that cannot be read", 0, 0, true, false},
        {"output folder that does not exist", 300, 500, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start("FIXSIZE=0\n");
        ASSERT_TRUE(SimulateDrop(Picture2, {writePicture(600, 700, "good.png")}));
        const QImage previousPreview = Picture2->Image();
        QFile existing(output("00001"));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("existing output");
        existing.close();

        QString picture = writePicture(std::max(c.width, 1), std::max(c.height, 1), "bad.png");
        if (c.garbage) {
            QFile file(picture);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("\x89PNG\r\n\x1a\n not really a picture");
        }
        if (c.unwritable)
            Text1->setText(folder.filePath(QStringLiteral("missing/wall[00001].bmp")));
        const QString before = Text1->text();
        ASSERT_TRUE(SimulateDrop(Picture2, {picture}));

        EXPECT_EQ(Text1->text(), before);
        ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
        EXPECT_EQ(existing.readAll(), QByteArray("existing output"));
        existing.close();
        EXPECT_TRUE(status().contains(QDir::toNativeSeparators(c.unwritable ? before : picture)))
            << status().toStdString();
        if (!c.unwritable) {
            EXPECT_EQ(Picture2->Image(), previousPreview);
        }
        EXPECT_TRUE(
            QDir(folder.filePath(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden).size() == 2)
            << QDir(folder.filePath(QStringLiteral("out"))).entryList().join(u' ').toStdString();
        QFile::remove(output("00000"));
        QFile::remove(output("00001"));
    }
}
