#pragma once

#include <QRegularExpression>
#include <QSet>
#include <QString>

// The long options ("--name") a help text or a manual page names.
inline QSet<QString> LongOptions(const QString& text)
{
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : option.globalMatch(text))
        found.insert(match.captured());
    return found;
}
