#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// True once the process has its own SIGTERM handler in place (bit 15 of the caught-signal mask).
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

} // namespace

TEST(Termination, SigtermWritesTheSettingsAndExitsCleanly)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString program = folder.filePath(QStringLiteral("kadrelle"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KADRELLE_EXECUTABLE), program));
    QFile settings(folder.filePath(QStringLiteral("Kadrelle.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(
        "[Kadrelle]\nDATAFILE=/pics/wall[00004].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\nVALWIDTH= 0300 \n");
    settings.close();

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted());
    for (int wait = 0; wait < 300 && !catchesSigterm(process.processId()); ++wait)
        QThread::msleep(50);
    ASSERT_TRUE(catchesSigterm(process.processId()));
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(15000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);

    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll().replace("\r\n", "\n").trimmed(),
              QByteArray("[Kadrelle]\nDATAFILE=/pics/wall[00004].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\n"
                         "VALWIDTH=300\nVALHEIGHT=400"));
}
