#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

// True once the process has its own SIGTERM handler in place (bit 15 of the caught-signal mask), which
// the program sets up first thing.
inline bool CatchesSigterm(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ULL << (SIGTERM - 1))) != 0;
    return false;
}

// Tells when a file that is there has been opened and closed again without being written: the program reads
// its settings file so, once, while its window starts.
class FileReadWatch
{
  public:
    explicit FileReadWatch(const QString& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (fd_ >= 0)
            inotify_add_watch(fd_, QFile::encodeName(path).constData(), IN_CLOSE_NOWRITE);
    }
    ~FileReadWatch()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FileReadWatch(const FileReadWatch&) = delete;
    FileReadWatch& operator=(const FileReadWatch&) = delete;

    bool waitForRead(int milliseconds) const
    {
        pollfd ready{fd_, POLLIN, 0};
        return fd_ >= 0 && poll(&ready, 1, milliseconds) == 1;
    }

  private:
    int fd_;
};

// Starts the window program on the offscreen platform with the settings file beside it, and waits until it
// has read that file and a SIGTERM would close it.
inline std::unique_ptr<QProcess> StartWindowProgram(const QString& program)
{
    const FileReadWatch settingsRead(QFileInfo(program).dir().filePath(QStringLiteral("Kadrelle.ini")));
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->start(program, {});
    EXPECT_TRUE(process->waitForStarted());
    EXPECT_TRUE(settingsRead.waitForRead(15000));
    EXPECT_TRUE(CatchesSigterm(process->processId()));
    return process;
}

// Closes it with SIGTERM and expects a clean exit.
inline void CloseWithSigterm(QProcess& process)
{
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(15000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}
