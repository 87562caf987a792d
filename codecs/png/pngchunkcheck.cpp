#include "codecs/png/pngchunkcheck.h"

#include "codecs/png/pngmessages.h"
#include "imagesize/headerbytes.h"

#include <array>
#include <zlib.h>

namespace {

constexpr qint64 signatureBytes = 8;
constexpr qint64 lengthAndTypeBytes = 8;
constexpr qint64 crcBytes = 4;
constexpr quint32 largestChunkLength = 0x7fffffff;

} // namespace

bool checkChunkInProgress(QFile& file, QString& error)
{
    const qint64 stoppedAt = file.pos();
    const QString damaged = PngMessages::ChunkDamaged();
    qint64 chunkStart = signatureBytes;
    std::array<uchar, 64 * 1024> buffer{};
    while (chunkStart < stoppedAt) {
        if (!file.seek(chunkStart) ||
            file.read(reinterpret_cast<char*>(buffer.data()), lengthAndTypeBytes) != lengthAndTypeBytes) {
            error = damaged;
            return false;
        }
        const quint32 length = imagesize::readU32BE(buffer, 0);
        if (length > largestChunkLength) {
            error = damaged;
            return false;
        }
        const qint64 chunkEnd = chunkStart + lengthAndTypeBytes + qint64(length) + crcBytes;
        if (stoppedAt < chunkEnd) {
            uLong crc = crc32(0, buffer.data() + 4, 4);
            for (qint64 left = length; left > 0;) {
                const qint64 piece = qMin(left, qint64(buffer.size()));
                if (file.read(reinterpret_cast<char*>(buffer.data()), piece) != piece) {
                    error = damaged;
                    return false;
                }
                crc = crc32(crc, buffer.data(), uInt(piece));
                left -= piece;
            }
            if (file.read(reinterpret_cast<char*>(buffer.data()), crcBytes) != crcBytes ||
                imagesize::readU32BE(buffer, 0) != crc) {
                error = damaged;
                return false;
            }
            return true;
        }
        chunkStart = chunkEnd;
    }
    return true;
}
