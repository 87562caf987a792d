#pragma once

#include <cstdint>
#include <vector>

// Appends entropy-coded bits to a JPEG stream, most significant first, stuffing a 0x00 after every 0xFF.
class BitWriter
{
  public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    // Appends the low `count` (0..32) bits of `bits`.
    void put(std::uint32_t bits, int count)
    {
        if (count == 0)
            return;
        pending_ = pending_ << count | (bits & (0xFFFFFFFFU >> (32 - count)));
        pendingCount_ += count;
        while (pendingCount_ >= 8) {
            pendingCount_ -= 8;
            const auto byte = std::uint8_t(pending_ >> pendingCount_);
            out_.push_back(byte);
            if (byte == 0xFF)
                out_.push_back(0x00);
        }
    }

    // Completes the last byte with one bits, as the end of a scan's data is padded.
    void padToByte() { put(0xFF, (8 - pendingCount_) % 8); }

  private:
    std::vector<std::uint8_t>& out_;
    std::uint64_t pending_ = 0;
    int pendingCount_ = 0;
};
