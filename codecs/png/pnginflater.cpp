#include "codecs/png/pnginflater.h"

#include "codecs/png/pngidatreader.h"
#include "codecs/png/pngmessages.h"

#include <algorithm>
#include <isa-l/igzip_lib.h>
#include <limits>

namespace {

constexpr int deflateMethod = 8;
constexpr int largestWindowBits = 15;
constexpr int presetDictionaryFlag = 0x20;

} // namespace

PngInflater::PngInflater(PngIdatReader& chunks) : chunks_(chunks), state_(std::make_unique<inflate_state>())
{
    isal_inflate_init(state_.get());
    state_->crc_flag = ISAL_DEFLATE;
}

PngInflater::~PngInflater() = default;

bool PngInflater::fill(uchar* target, std::size_t length, QString& error)
{
    if (!headerRead_ && !readZlibHeader(error))
        return false;
    while (length > 0) {
        if (state_->avail_in == 0 && !inputOver_) {
            bool fed = false;
            if (!feed(fed, error))
                return false;
            inputOver_ = !fed;
        }
        const auto room = quint32(std::min<std::size_t>(length, std::numeric_limits<quint32>::max()));
        const quint32 inBefore = state_->avail_in;
        state_->next_out = target;
        state_->avail_out = room;
        if (isal_inflate(state_.get()) < 0) {
            error = PngMessages::CompressedDataDamaged();
            return false;
        }
        const std::size_t produced = room - state_->avail_out;
        if (produced == 0 && state_->avail_in == inBefore) {
            // Nothing moved: the stream is over, or no input is left to move it on.
            error = state_->block_state == ISAL_BLOCK_FINISH || inputOver_
                        ? PngMessages::PixelDataEndsEarly()
                        : PngMessages::CompressedDataDamaged();
            return false;
        }
        target += produced;
        length -= produced;
    }
    return true;
}

bool PngInflater::readZlibHeader(QString& error)
{
    uchar header[2];
    for (uchar& byte : header) {
        if (state_->avail_in == 0) {
            bool fed = false;
            if (!feed(fed, error))
                return false;
            if (!fed) {
                error = PngMessages::PixelDataEndsEarly();
                return false;
            }
        }
        byte = *state_->next_in++;
        --state_->avail_in;
    }
    const int method = header[0] & 0x0f;
    const int windowBits = (header[0] >> 4) + 8;
    if (method != deflateMethod || windowBits > largestWindowBits ||
        (header[0] * 256 + header[1]) % 31 != 0 || (header[1] & presetDictionaryFlag) != 0) {
        error = PngMessages::CompressedHeaderBad();
        return false;
    }
    headerRead_ = true;
    return true;
}

// Points the inflater at the next piece of pixel data; `fed` is false when there is none left.
bool PngInflater::feed(bool& fed, QString& error)
{
    const uchar* data = nullptr;
    std::size_t length = 0;
    if (!chunks_.next(data, length, error))
        return false;
    fed = length > 0;
    // ISA-L only reads its input; a piece is never longer than one chunk, which fits its 32-bit count.
    state_->next_in = const_cast<uchar*>(data);
    state_->avail_in = quint32(length);
    return true;
}
