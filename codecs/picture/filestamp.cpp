#include "codecs/picture/filestamp.h"

#include "codecs/picture/fileread.h"

#include <QFile>

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
