#pragma once

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <vector>

class QFile;

// Hands out the pixel data of a PNG's IDAT chunks in file order, piece by piece, checking each chunk's CRC
// when the chunk has been handed out whole. Reads the file in large blocks.
class PngIdatReader
{
  public:
    // `file` stands at the start of the first IDAT chunk (its length field).
    explicit PngIdatReader(QFile& file);

    // The next piece of pixel data: true with `length` 0 once the IDAT chunks are over; false with a message
    // when a chunk is damaged or the file ends inside one.
    bool next(const uchar*& data, std::size_t& length, QString& error);

    // Reads the rest of the chunk in progress and checks its CRC, so damage in the chunk the last piece came
    // from is never missed while the chunks after it are never read.
    bool finishChunk(QString& error);

  private:
    bool startChunk(QString& error);
    bool endChunk(QString& error);
    bool refill(QString& error);
    bool readBytes(uchar* target, std::size_t count, QString& error);

    QFile& file_;
    std::vector<uchar> buffer_;
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
    quint32 chunkLeft_ = 0;
    quint32 crc_ = 0;
    bool inChunk_ = false;
    bool over_ = false;
};
