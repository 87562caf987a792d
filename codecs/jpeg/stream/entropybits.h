#pragma once

#include "codecs/jpeg/stream/markers.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads the bits of a scan's entropy-coded data, most significant first (NEXTBIT, T.81 F.2.2.5, a whole
// word at a time), taking the stuffed 0x00 out of every 0xFF 0x00 (B.1.1.5). At a marker it supplies zero
// bits and remembers that it met one, as libjpeg does.
class EntropyBits
{
  public:
    // Reads from `data` up to `end`; bytes past `end` are never touched.
    EntropyBits(const std::uint8_t* data, const std::uint8_t* end) : begin_(data), next_(data), end_(end) {}

    // At least `wanted` (at most 56) bits become available to peek().
    void fill(int wanted)
    {
        if (count_ >= wanted)
            return;
        if (end_ - next_ >= 8) {
            const std::uint64_t word = loadBigEndian(next_);
            if (!holdsMarkerPrefix(word)) {
                // Takes whole bytes until the buffer holds 56 to 63 bits; the bits beyond count_ are the
                // following bytes' own bits, which a later fill writes again unchanged.
                bits_ |= word >> count_;
                const int bytes = (63 - count_) >> 3;
                next_ += bytes;
                dataBytes_ += std::uint64_t(bytes);
                count_ |= 56;
                return;
            }
        }
        while (count_ <= 56)
            appendByte(nextDataByte());
    }

    // The next `count` bits (1..32) as a number, without taking them; fill() must have made them available.
    std::uint32_t peek(int count) const { return std::uint32_t(bits_ >> (64 - count)); }
    void skip(int count)
    {
        bits_ <<= count;
        count_ -= count;
    }
    // The next `count` bits (0..32), taken.
    std::uint32_t take(int count)
    {
        if (count == 0)
            return 0;
        const std::uint32_t value = peek(count);
        skip(count);
        return value;
    }

    // True once a bit past the data's end (a marker, or the end of the bytes) was taken.
    bool overran() const { return bitsRead() > (dataBytes_ - suppliedZeros_) * 8; }

    // How many data bits (stuffing left out) were read so far.
    std::uint64_t bitsRead() const { return dataBytes_ * 8 - std::uint64_t(count_); }

    // The byte holding the next unread bit, and how many of its bits (from the most significant) were read.
    // Meaningful only while no bit past the data's end was taken.
    struct Position
    {
        const std::uint8_t* byte = nullptr;
        int bitsReadOfByte = 0;
    };
    Position position() const
    {
        const std::uint8_t* at = next_;
        const int unreadDataBits = count_ - 8 * int(suppliedZeros_);
        // A stuffed 0x00 always follows its 0xFF, so stepping back over one steps over both.
        for (int unreadBytes = (unreadDataBits + 7) / 8; unreadBytes > 0; --unreadBytes)
            at -= (at - begin_ >= 2 && at[-1] == jpegmarker::stuffedZero && at[-2] == jpegmarker::prefix) ? 2
                                                                                                          : 1;
        return {at, (8 - unreadDataBits % 8) % 8};
    }

  private:
    static std::uint64_t loadBigEndian(const std::uint8_t* bytes)
    {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, sizeof word);
        if constexpr (std::endian::native == std::endian::little)
            word = __builtin_bswap64(word);
        return word;
    }

    // True when any byte of `word` is 0xFF.
    static bool holdsMarkerPrefix(std::uint64_t word)
    {
        const std::uint64_t inverted = ~word;
        return ((inverted - 0x0101010101010101ULL) & ~inverted & 0x8080808080808080ULL) != 0;
    }

    void appendByte(std::uint8_t byte)
    {
        bits_ &= count_ == 0 ? 0 : ~std::uint64_t(0) << (64 - count_);
        bits_ |= std::uint64_t(byte) << (56 - count_);
        count_ += 8;
        ++dataBytes_;
    }

    std::uint8_t nextDataByte()
    {
        if (metMarker_ || next_ == end_)
            return markerMet();
        const std::uint8_t byte = *next_;
        if (byte != jpegmarker::prefix) {
            ++next_;
            return byte;
        }
        if (end_ - next_ >= 2 && next_[1] == jpegmarker::stuffedZero) {
            next_ += 2;
            return byte;
        }
        return markerMet();
    }

    std::uint8_t markerMet()
    {
        metMarker_ = true;
        ++suppliedZeros_;
        return 0;
    }

    const std::uint8_t* begin_;
    const std::uint8_t* next_;
    const std::uint8_t* end_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    std::uint64_t dataBytes_ = 0;
    bool metMarker_ = false;
    // Zero bytes supplied at a marker, counted in dataBytes_.
    std::uint64_t suppliedZeros_ = 0;
};
