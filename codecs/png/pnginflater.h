#pragma once

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <memory>

class PngIdatReader;
struct inflate_state;

// Inflates a PNG's zlib stream with Intel's ISA-L. The zlib header is checked here and the stream inflated
// as raw deflate; the Adler-32 at its end is never needed, as a region stops before the stream's end and
// every chunk's CRC already guards the data.
class PngInflater
{
  public:
    explicit PngInflater(PngIdatReader& chunks);
    ~PngInflater();
    PngInflater(const PngInflater&) = delete;
    PngInflater& operator=(const PngInflater&) = delete;

    // Fills `target` with the next `length` inflated bytes; false with a message when the data is damaged
    // or ends before.
    bool fill(uchar* target, std::size_t length, QString& error);

  private:
    bool readZlibHeader(QString& error);
    bool feed(bool& fed, QString& error);

    PngIdatReader& chunks_;
    std::unique_ptr<inflate_state> state_;
    bool headerRead_ = false;
    bool inputOver_ = false;
};
