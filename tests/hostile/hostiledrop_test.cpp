// Hostile and damaged pictures dropped on the real window: a message naming the picture, no crash, and
// never a silent save of a crop the decoder could not read whole.
#include "tests/app/formfixture.h"
#include "tests/hostile/hostilecases.h"
#include "tests/support/dropsimulation.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"

#include <QElapsedTimer>
#include <QLabel>
#include <iostream>

namespace {

class HostileDrop : public FormTest, public testing::WithParamInterface<HostileCase>
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("out")));
        writeSettings("[Kadrelle]\nDATAFILE=" + output("00003").toUtf8() + "\nFIXSIZE=0\n");
        open();
        Text1 = control<TextBox>("Text1");
        Picture2 = control<PictureBox>("Picture2");
    }

    QString output(const char* serial) const
    {
        return folder.filePath(QStringLiteral("out/wall[%1].bmp").arg(QLatin1String(serial)));
    }
    QStringList outputFolder() const
    {
        return QDir(folder.filePath(QStringLiteral("out")))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QString status() const { return form->findChild<QLabel*>(QStringLiteral("StatusLine"))->text(); }

    QString put(const char* name, const QByteArray& bytes) const
    {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Drops the picture on the preview box and says how long the drop took.
    void drop(const QString& picture)
    {
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(SimulateDrop(Picture2, {picture}));
        std::cout << "[ drop     ] " << GetParam().name << ": " << timer.elapsed() << " ms, "
                  << status().toStdString() << '\n';
    }

    // The crop of the undamaged picture, saved by a drop of its own and then removed again.
    QImage intactCrop(const QByteArray& intact)
    {
        drop(put("intact", intact));
        const QImage crop(output("00003"));
        EXPECT_FALSE(crop.isNull()) << status().toStdString();
        QFile::remove(output("00003"));
        Text1->setText(output("00003"));
        return crop;
    }

    void expectRefused(const QString& picture)
    {
        EXPECT_TRUE(status().contains(QDir::toNativeSeparators(picture))) << status().toStdString();
        EXPECT_EQ(Text1->text(), output("00003"));
        EXPECT_EQ(outputFolder(), QStringList());
    }

    TextBox* Text1 = nullptr;
    PictureBox* Picture2 = nullptr;
};

TEST_P(HostileDrop, EndsWithAMessageAndNeverASilentWrongSave)
{
    const HostileCase& hostile = GetParam();
    const QImage expected = hostile.intact.isEmpty() ? QImage() : intactCrop(hostile.intact);
    const QString picture = put(hostile.fileName, hostile.bytes);
    drop(picture);

    const QImage saved(output("00003"));
    switch (hostile.outcome) {
    case Outcome::Refused:
        expectRefused(picture);
        break;
    case Outcome::IntactOrRefused:
        if (saved.isNull()) {
            expectRefused(picture);
        } else {
            EXPECT_EQ(saved, expected);
            EXPECT_EQ(Text1->text(), output("00004"));
        }
        break;
    case Outcome::SavedBlackBeyond:
        ASSERT_EQ(saved.size(), QSize(480, 640)) << status().toStdString();
        // The crop starts at column 60: stripes of ten columns run red, blue, beyond the palette.
        EXPECT_EQ(saved.pixelColor(0, 0), QColor(Qt::red));
        EXPECT_EQ(saved.pixelColor(10, 0), QColor(Qt::blue));
        EXPECT_EQ(saved.pixelColor(20, 639), QColor(Qt::black));
        EXPECT_TRUE(status().contains(QDir::toNativeSeparators(output("00003")))) << status().toStdString();
        EXPECT_EQ(Text1->text(), output("00004"));
        break;
    case Outcome::SavedIndexZeroBeyondTheRuns:
        ASSERT_EQ(saved.size(), QSize(480, 640)) << status().toStdString();
        // Runs cover rows 400 to 799; column 70 of the picture lies in a blue stripe.
        for (int y : {0, 100, 319})
            EXPECT_EQ(saved.pixelColor(10, y), QColor(Qt::red)) << y;
        for (int y : {320, 639})
            EXPECT_EQ(saved.pixelColor(10, y), QColor(Qt::blue)) << y;
        EXPECT_EQ(Text1->text(), output("00004"));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, HostileDrop, testing::ValuesIn(HostileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
