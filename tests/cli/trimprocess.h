#pragma once

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The built kadrelle-trim run as a whole process, and what it left.

struct Finished
{
    int exitCode = -1; // -1 when it did not end normally (a crash, or still running after a minute)
    QString out;
    QString err;
};

inline Finished RunTrim(QProcess& process, const QStringList& arguments)
{
    process.start(QStringLiteral(KADRELLE_TRIM_PATH), arguments);
    const bool ended = process.waitForFinished(60000);
    return Finished{ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                    QString::fromLocal8Bit(process.readAllStandardOutput()),
                    QString::fromLocal8Bit(process.readAllStandardError())};
}

inline Finished RunTrim(const QStringList& arguments)
{
    QProcess process;
    return RunTrim(process, arguments);
}

// A run whose locale is set by the given variables ("LANG=en_GB.UTF-8") alone of those Qt reads.
inline Finished RunTrimInLocale(const QStringList& localeVariables, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LANG", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& variable : localeVariables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    return RunTrim(process, arguments);
}

inline QStringList Lines(const QString& text)
{
    return text.split('\n', Qt::SkipEmptyParts);
}

inline QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// The summary line kadrelle-trim ends with on standard error.
inline QRegularExpression Summary(int saved, int failed)
{
    return QRegularExpression(
        QStringLiteral("^kadrelle-trim: 保存 %1 件、失敗 %2 件、[0-9]+\\.[0-9][0-9] 秒\\n$")
            .arg(saved)
            .arg(failed));
}
