#include "codecs/gif/giflzw.h"

#include <QFile>

namespace {

constexpr std::size_t readPieceBytes = 64 * 1024;

} // namespace

GifSubBlockBytes::GifSubBlockBytes(QFile& file, qint64 start) : file_(file), next_(start) {}

bool GifSubBlockBytes::refill()
{
    buffer_.resize(readPieceBytes);
    const qint64 read =
        file_.seek(next_) ? file_.read(reinterpret_cast<char*>(buffer_.data()), qint64(buffer_.size())) : -1;
    if (read <= 0) {
        over_ = true;
        return false;
    }
    next_ += read;
    at_ = 0;
    end_ = std::size_t(read);
    return true;
}

bool GifSubBlockBytes::startBlock()
{
    if (over_ || (at_ == end_ && !refill()))
        return false;
    blockLeft_ = buffer_[at_++];
    over_ = blockLeft_ == 0;
    return !over_;
}

GifLzwDecoder::GifLzwDecoder(GifSubBlockBytes& data, int minimumCodeSize)
    : data_(data), minimumCodeSize_(minimumCodeSize), clearCode_(1 << minimumCodeSize),
      endCode_(clearCode_ + 1)
{
    for (int index = 0; index < clearCode_; ++index)
        suffixes_[std::size_t(index)] = uchar(index);
    clearTable();
}

void GifLzwDecoder::clearTable()
{
    codeBits_ = minimumCodeSize_ + 1;
    nextCode_ = clearCode_ + 2;
    previousCode_ = -1;
}

// Codes are packed from the lowest bit of each byte up.
bool GifLzwDecoder::readCode(int& code)
{
    while (bitCount_ < codeBits_) {
        uchar byte = 0;
        if (!data_.next(byte))
            return false;
        bits_ |= std::uint32_t(byte) << bitCount_;
        bitCount_ += 8;
    }
    code = int(bits_ & ((1U << codeBits_) - 1));
    bits_ >>= codeBits_;
    bitCount_ -= codeBits_;
    return true;
}

// Puts the string of `code` into the pending indexes and adds the table's next entry: the previous
// code's string followed by this string's first index.
bool GifLzwDecoder::expand(int code)
{
    if (previousCode_ < 0) {
        if (code >= clearCode_)
            return false;
        firstIndex_ = uchar(code);
        pending_[std::size_t(pendingCount_++)] = firstIndex_;
        previousCode_ = code;
        return true;
    }
    if (code > nextCode_)
        return false;
    int walked = code;
    // A code not in the table yet names the previous string and that string's first index.
    if (code == nextCode_) {
        pending_[std::size_t(pendingCount_++)] = firstIndex_;
        walked = previousCode_;
    }
    while (walked > endCode_) {
        pending_[std::size_t(pendingCount_++)] = suffixes_[std::size_t(walked)];
        walked = prefixes_[std::size_t(walked)];
    }
    firstIndex_ = suffixes_[std::size_t(walked)];
    pending_[std::size_t(pendingCount_++)] = firstIndex_;
    if (nextCode_ < tableSize) {
        prefixes_[std::size_t(nextCode_)] = std::uint16_t(previousCode_);
        suffixes_[std::size_t(nextCode_)] = firstIndex_;
        ++nextCode_;
        if (nextCode_ == 1 << codeBits_ && codeBits_ < largestCodeBits)
            ++codeBits_;
    }
    previousCode_ = code;
    return true;
}

int GifLzwDecoder::take(uchar* indexes, int count)
{
    int taken = 0;
    while (taken < count) {
        if (pendingCount_ > 0) {
            indexes[taken++] = pending_[std::size_t(--pendingCount_)];
            continue;
        }
        int code = 0;
        if (ended_ || !readCode(code) || code == endCode_) {
            ended_ = true;
            break;
        }
        if (code == clearCode_) {
            clearTable();
        } else if (!expand(code)) {
            damaged_ = ended_ = true;
            break;
        }
    }
    return taken;
}
