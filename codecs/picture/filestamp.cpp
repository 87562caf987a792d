#include "codecs/picture/filestamp.h"

#include <QFile>

std::optional<QByteArray> readFileBytes(QFile& file, qint64 offset, qint64 length)
{
    if (!file.seek(offset))
        return std::nullopt;
    QByteArray bytes = file.read(length);
    if (bytes.size() != length)
        return std::nullopt;
    return bytes;
}

bool FileStamp::matches(QFile& file) const
{
    if (!fileSize_)
        return true;
    if (file.size() != *fileSize_)
        return false;
    for (const KeptBytes& kept : kept_) {
        if (readFileBytes(file, kept.offset, kept.bytes.size()) != kept.bytes)
            return false;
    }
    return true;
}
