#include "tests/support/processwatch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Bytes the process has read so far through read() and its kin.
qint64 BytesRead(qint64 pid)
{
    QFile io(QStringLiteral("/proc/%1/io").arg(pid));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

class Termination : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(KADRELLE_EXECUTABLE), program()));
    }

    QString program() const { return folder.filePath(QStringLiteral("kadrelle")); }

    void writeSettings(const QByteArray& content)
    {
        QFile file(folder.filePath(QStringLiteral("Kadrelle.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    QByteArray settings() const
    {
        QFile file(folder.filePath(QStringLiteral("Kadrelle.ini")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(Termination, SigtermWritesTheSettingsAndExitsCleanly)
{
    writeSettings(
        "[Kadrelle]\nDATAFILE=/pics/wall[00004].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\nVALWIDTH= 0300 \n");

    CloseWithSigterm(*StartWindowProgram(program()));

    EXPECT_EQ(settings().replace("\r\n", "\n").trimmed(),
              QByteArray("[Kadrelle]\nDATAFILE=/pics/wall[00004].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\n"
                         "VALWIDTH=300\nVALHEIGHT=400"));
}

// The signal handler is in place before the settings file is read, so a SIGTERM that comes during a long
// start waits for the window, which then closes and writes its settings.
TEST_F(Termination, SigtermDuringTheStartWaitsForTheWindow)
{
    QByteArray content =
        "[Kadrelle]\nDATAFILE=/pics/wall[00004].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\nVALWIDTH=300\n"
        "VALHEIGHT=500\n[Padding]\n";
    while (content.size() < 60 * 1024 * 1024)
        content += "a=1\n";
    writeSettings(content);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program(), {});
    ASSERT_TRUE(process.waitForStarted());
    const qint64 pid = process.processId();
    QElapsedTimer waited;
    waited.start();
    while (!CatchesSigterm(pid) && waited.elapsed() < 15000) {
    }
    const qint64 readBeforeHandler = BytesRead(pid);
    ::kill(static_cast<pid_t>(pid), SIGTERM);

    EXPECT_GE(readBeforeHandler, 0);
    EXPECT_LT(readBeforeHandler, content.size());
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(settings(), content);
}
