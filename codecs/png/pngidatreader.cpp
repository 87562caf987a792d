#include "codecs/png/pngidatreader.h"

#include "codecs/png/pngmessages.h"
#include "imagesize/headerbytes.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <isa-l/crc.h>

namespace {

// Large enough that the system calls cost little next to inflating, small enough to stay in the cache.
constexpr std::size_t readBlockBytes = 256 * 1024;
constexpr quint32 largestChunkLength = 0x7fffffff;
constexpr uchar idatType[] = {'I', 'D', 'A', 'T'};

} // namespace

PngIdatReader::PngIdatReader(QFile& file) : file_(file), buffer_(readBlockBytes) {}

bool PngIdatReader::next(const uchar*& data, std::size_t& length, QString& error)
{
    length = 0;
    while (!over_ && (!inChunk_ || chunkLeft_ == 0)) {
        if (inChunk_ && !endChunk(error))
            return false;
        if (!startChunk(error))
            return false;
    }
    if (over_)
        return true;
    if (bufferStart_ == bufferEnd_ && !refill(error))
        return false;
    data = buffer_.data() + bufferStart_;
    length = std::min(std::size_t(chunkLeft_), bufferEnd_ - bufferStart_);
    // The whole chunk is checked before the caller's decode is reported as done (finishChunk).
    crc_ = crc32_gzip_refl(crc_, data, length);
    bufferStart_ += length;
    chunkLeft_ -= quint32(length);
    return true;
}

bool PngIdatReader::finishChunk(QString& error)
{
    if (!inChunk_)
        return true;
    while (chunkLeft_ > 0) {
        if (bufferStart_ == bufferEnd_ && !refill(error))
            return false;
        const std::size_t piece = std::min(std::size_t(chunkLeft_), bufferEnd_ - bufferStart_);
        crc_ = crc32_gzip_refl(crc_, buffer_.data() + bufferStart_, piece);
        bufferStart_ += piece;
        chunkLeft_ -= quint32(piece);
    }
    return endChunk(error);
}

bool PngIdatReader::startChunk(QString& error)
{
    uchar header[8];
    if (!readBytes(header, sizeof header, error))
        return false;
    if (std::memcmp(header + 4, idatType, sizeof idatType) != 0) {
        over_ = true;
        return true;
    }
    const quint32 length = imagesize::readU32BE(header, 0);
    if (length > largestChunkLength) {
        error = PngMessages::ChunkDamaged();
        return false;
    }
    inChunk_ = true;
    chunkLeft_ = length;
    crc_ = crc32_gzip_refl(0, header + 4, 4);
    return true;
}

bool PngIdatReader::endChunk(QString& error)
{
    uchar stored[4];
    if (!readBytes(stored, sizeof stored, error))
        return false;
    inChunk_ = false;
    if (imagesize::readU32BE(stored, 0) != crc_) {
        error = PngMessages::ChunkDamaged();
        return false;
    }
    return true;
}

bool PngIdatReader::refill(QString& error)
{
    const qint64 read = file_.read(reinterpret_cast<char*>(buffer_.data()), qint64(buffer_.size()));
    if (read <= 0) {
        error = PngMessages::ChunkDamaged();
        return false;
    }
    bufferStart_ = 0;
    bufferEnd_ = std::size_t(read);
    return true;
}

bool PngIdatReader::readBytes(uchar* target, std::size_t count, QString& error)
{
    while (count > 0) {
        if (bufferStart_ == bufferEnd_ && !refill(error))
            return false;
        const std::size_t piece = std::min(count, bufferEnd_ - bufferStart_);
        std::memcpy(target, buffer_.data() + bufferStart_, piece);
        bufferStart_ += piece;
        target += piece;
        count -= piece;
    }
    return true;
}
