#include "tests/support/pictures/pngfiles.h"

#include <cstdlib>
#include <zlib.h>

namespace testpictures {

namespace {

constexpr int TruecolourType = 2;

// Deflates `input` into the stream, flushing so that every byte given so far can be inflated.
QByteArray Deflate(z_stream& stream, QByteArray input, int flush)
{
    QByteArray output;
    stream.next_in = reinterpret_cast<Bytef*>(input.data());
    stream.avail_in = uInt(input.size());
    char buffer[4096];
    do {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        deflate(&stream, flush);
        output.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
    } while (stream.avail_out == 0);
    return output;
}

qsizetype ChunkLength(const QByteArray& png, qsizetype chunk)
{
    return qsizetype(quint8(png[chunk]) << 24 | quint8(png[chunk + 1]) << 16 | quint8(png[chunk + 2]) << 8 |
                     quint8(png[chunk + 3]));
}

// The offset of each chunk of `type`, walking the chunks by their lengths.
QList<qsizetype> ChunkOffsets(const QByteArray& png, const QByteArray& type)
{
    QList<qsizetype> offsets;
    for (qsizetype at = PngFileSignature().size(); at + 8 <= png.size(); at += 12 + ChunkLength(png, at)) {
        if (png.mid(at + 4, 4) == type)
            offsets.append(at);
    }
    return offsets;
}

} // namespace

QByteArray PngFileSignature()
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8);
}

QByteArray PngChunk(const QByteArray& type, const QByteArray& data)
{
    const QByteArray typeAndData = type + data;
    const auto crc =
        quint32(crc32(0, reinterpret_cast<const Bytef*>(typeAndData.constData()), uInt(typeAndData.size())));
    return U32BE(quint32(data.size())) + typeAndData + U32BE(crc);
}

QByteArray PngStart(quint32 width, quint32 height, int bitDepth, int colourType, bool interlaced)
{
    const QByteArray header =
        U32BE(width) + U32BE(height) +
        ByteValues({quint8(bitDepth), quint8(colourType), 0, 0, quint8(interlaced ? 1 : 0)});
    return PngFileSignature() + PngChunk("IHDR", header);
}

QByteArray PngEnd()
{
    return PngChunk("IEND", {});
}

QByteArray ZlibStream(const QByteArray& data)
{
    uLongf length = compressBound(uLong(data.size()));
    QByteArray stream(qsizetype(length), '\0');
    compress2(reinterpret_cast<Bytef*>(stream.data()), &length,
              reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size()), 9);
    stream.resize(qsizetype(length));
    return stream;
}

std::vector<uchar> PngFilteredRow(int filterType, const uchar* row, const uchar* previous, std::size_t length,
                                  std::size_t bpp)
{
    std::vector<uchar> stored(length);
    for (std::size_t i = 0; i < length; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0;
        const int above = previous[i];
        const int aboveLeft = i >= bpp ? previous[i - bpp] : 0;
        const int estimate = left + above - aboveLeft;
        const int toLeft = std::abs(estimate - left);
        const int toAbove = std::abs(estimate - above);
        const int toAboveLeft = std::abs(estimate - aboveLeft);
        const int paeth = toLeft <= toAbove && toLeft <= toAboveLeft ? left
                          : toAbove <= toAboveLeft                   ? above
                                                                     : aboveLeft;
        const int predictions[] = {0, left, above, (left + above) / 2, paeth};
        stored[i] = uchar((row[i] - predictions[filterType]) & 0xff);
    }
    return stored;
}

QByteArray WithBadChunkCrc(QByteArray png, const QByteArray& type, int index)
{
    const QList<qsizetype> chunks = ChunkOffsets(png, type);
    const qsizetype chunk = chunks.at(index < 0 ? chunks.size() + index : index);
    const qsizetype crc = chunk + 8 + ChunkLength(png, chunk);
    png[crc] = char(png[crc] ^ 0x5a);
    return png;
}

RowMarkedBytes PngWithARowPerChunk(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    RowMarkedBytes png{PngStart(quint32(rgb.width()), quint32(rgb.height()), 8, TruecolourType), {}};
    z_stream stream{};
    deflateInit(&stream, Z_DEFAULT_COMPRESSION);
    for (int y = 0; y < rgb.height(); ++y) {
        QByteArray row(1, '\0'); // filter type none
        row.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
        const bool last = y == rgb.height() - 1;
        png.bytes += PngChunk("IDAT", Deflate(stream, row, last ? Z_FINISH : Z_SYNC_FLUSH));
        png.rowEnds.append(png.bytes.size());
    }
    deflateEnd(&stream);
    png.bytes += PngEnd();
    return png;
}

QByteArray PngClaiming(quint32 width, quint32 height, bool interlaced)
{
    z_stream stream{};
    deflateInit(&stream, Z_DEFAULT_COMPRESSION);
    const QByteArray shortRow = Deflate(stream, QByteArray(1 + 3 * 16, '\x40'), Z_SYNC_FLUSH);
    deflateEnd(&stream);
    return PngStart(width, height, 8, TruecolourType, interlaced) + PngChunk("IDAT", shortRow) + PngEnd();
}

} // namespace testpictures
