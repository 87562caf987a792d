#include "codecs/picture/fileread.h"

#include <QFile>

bool openForReading(QFile& file, const QString& path, QString& error)
{
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return true;
}

std::optional<QByteArray> readFileBytes(QFile& file, qint64 offset, qint64 length)
{
    if (!file.seek(offset))
        return std::nullopt;
    QByteArray bytes = file.read(length);
    if (bytes.size() != length)
        return std::nullopt;
    return bytes;
}
