#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

std::optional<QByteArray> LoadIniFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    if (!info.isFile() || info.size() > LargestIniFile)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Reading one byte past what the opened file holds tells a file that grew since the size check;
    // asking for no more than that keeps a read from setting aside the whole limit.
    QByteArray content = file.read(std::min(file.size(), LargestIniFile) + 1);
    if (file.error() != QFileDevice::NoError || content.size() > LargestIniFile)
        return std::nullopt;
    return content;
}

bool SaveIniFile(const QString& path, const QByteArray& content)
{
    if (content.size() > LargestIniFile)
        return false;
    // The user's configuration folder may not hold a folder for Kadrelle yet: the first save makes it.
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() does not notice a short write of the buffered bytes it flushes, so flush and check first.
    // Without commit() the destructor throws the unfinished copy away.
    if (file.write(content) != content.size() || !file.flush())
        return false;
    return file.commit();
}
