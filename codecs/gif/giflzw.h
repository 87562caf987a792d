#pragma once

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <vector>

class QFile;

// The bytes of an image's data sub-blocks in order, read from the file in large pieces.
class GifSubBlockBytes
{
  public:
    // `file` stands anywhere; the first sub-block's length byte is at `start`.
    GifSubBlockBytes(QFile& file, qint64 start);

    // The next data byte; false once the sub-blocks end (the empty block, or a file that ends).
    bool next(uchar& byte)
    {
        if (blockLeft_ == 0 && !startBlock())
            return false;
        if (at_ == end_ && !refill())
            return false;
        --blockLeft_;
        byte = buffer_[at_++];
        return true;
    }

  private:
    bool startBlock();
    bool refill();

    QFile& file_;
    qint64 next_;
    std::vector<uchar> buffer_;
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    int blockLeft_ = 0;
    bool over_ = false;
};

// Decodes the variable-length LZW codes of a GIF image (GIF89a, appendix F) into colour indexes.
class GifLzwDecoder
{
  public:
    GifLzwDecoder(GifSubBlockBytes& data, int minimumCodeSize);

    // Fills `indexes` with up to `count` next colour indexes and returns how many: fewer once the data
    // ends (an end code, or the sub-blocks end), or when it is damaged().
    int take(uchar* indexes, int count);

    // True once a code named no string: a code past the table's next entry, or a first code after a clear
    // that is no colour index.
    bool damaged() const { return damaged_; }

  private:
    static constexpr int largestCodeBits = 12;
    static constexpr int tableSize = 1 << largestCodeBits;

    bool readCode(int& code);
    void clearTable();
    bool expand(int code);

    GifSubBlockBytes& data_;
    const int minimumCodeSize_;
    const int clearCode_;
    const int endCode_;
    int codeBits_ = 0;
    int nextCode_ = 0;
    int previousCode_ = -1;
    uchar firstIndex_ = 0;
    std::uint32_t bits_ = 0;
    int bitCount_ = 0;
    bool ended_ = false;
    bool damaged_ = false;
    std::array<std::uint16_t, tableSize> prefixes_{};
    std::array<uchar, tableSize> suffixes_{};
    // A code's string comes out last index first: it waits here, reversed, until it is taken.
    std::array<uchar, tableSize + 1> pending_{};
    int pendingCount_ = 0;
};
