#pragma once

#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

// True once the process has its own SIGTERM handler in place (bit 15 of the caught-signal mask), which
// the program sets up once its window is loaded.
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

// Starts the window program on the offscreen platform and waits until it has read its settings and a
// SIGTERM would close it.
inline std::unique_ptr<QProcess> StartWindowProgram(const QString& program)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->start(program, {});
    EXPECT_TRUE(process->waitForStarted());
    for (int wait = 0; wait < 300 && !CatchesSigterm(process->processId()); ++wait)
        QThread::msleep(50);
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
