// Two copies of the program beside one settings file, closed one after the other: the file is whole and
// holds the last one's values.
#include "tests/support/processwatch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class TwoCopies : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(KADRELLE_EXECUTABLE), program()));
    }

    QString program() const { return folder_.filePath(QStringLiteral("kadrelle")); }
    QString settingsPath() const { return folder_.filePath(QStringLiteral("Kadrelle.ini")); }

    void writeSettings(const QByteArray& content) const
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray settings() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll().replace("\r\n", "\n") : QByteArray();
    }

    QTemporaryDir folder_;
};

TEST_F(TwoCopies, TheLastToCloseLeavesAWholeFileOfItsOwnValues)
{
    const QByteArray first = "[Kadrelle]\nDATAFILE=/first/a[00001].bmp\nSCREENSELECT=Option1\nFIXSIZE=0\n"
                             "VALWIDTH=240\nVALHEIGHT=400\n";
    const QByteArray second = "[Kadrelle]\nDATAFILE=/second/b[00009].bmp\nSCREENSELECT=Option2\nFIXSIZE=1\n"
                              "VALWIDTH=300\nVALHEIGHT=500\n";
    writeSettings(first);
    const std::unique_ptr<QProcess> firstCopy = StartWindowProgram(program());
    writeSettings(second);
    const std::unique_ptr<QProcess> secondCopy = StartWindowProgram(program());

    CloseWithSigterm(*firstCopy);
    EXPECT_EQ(settings(), first);
    CloseWithSigterm(*secondCopy);
    EXPECT_EQ(settings(), second);
    QStringList files = QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, (QStringList{QStringLiteral("Kadrelle.ini"), QStringLiteral("kadrelle")}));
}

} // namespace
