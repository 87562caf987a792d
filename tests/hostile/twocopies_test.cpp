// Two copies of the program beside one settings file, closed one after the other: the file is whole and
// holds the last one's values.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace {

// True once the process has its own SIGTERM handler in place, which it sets up after reading the settings.
bool catchesSigterm(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ULL << (SIGTERM - 1))) != 0;
    return false;
}

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

    // Starts a copy and waits until it has read the settings and can be closed by SIGTERM.
    std::unique_ptr<QProcess> start() const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->start(program(), {});
        EXPECT_TRUE(process->waitForStarted());
        for (int wait = 0; wait < 300 && !catchesSigterm(process->processId()); ++wait)
            QThread::msleep(50);
        EXPECT_TRUE(catchesSigterm(process->processId()));
        return process;
    }

    static void close(QProcess& process)
    {
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        ASSERT_TRUE(process.waitForFinished(15000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
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
    const std::unique_ptr<QProcess> firstCopy = start();
    writeSettings(second);
    const std::unique_ptr<QProcess> secondCopy = start();

    close(*firstCopy);
    EXPECT_EQ(settings(), first);
    close(*secondCopy);
    EXPECT_EQ(settings(), second);
    QStringList files = QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, (QStringList{QStringLiteral("Kadrelle.ini"), QStringLiteral("kadrelle")}));
}

} // namespace
