#include "tests/hostile/hostilepictures.h"

#include "tests/codecs/testpictures.h"
#include "tests/support/bytewriting.h"

#include <QTemporaryDir>
#include <zlib.h>

namespace HostilePictures {

namespace {

void AppendU32BE(QByteArray& bytes, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((value >> shift) & 0xff));
}

void AppendPngChunk(QByteArray& png, const char* type, const QByteArray& data)
{
    AppendU32BE(png, quint32(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    png += typed;
    AppendU32BE(png,
                quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
}

QByteArray PngStart(quint32 width, quint32 height, bool interlaced = false)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    AppendU32BE(header, width);
    AppendU32BE(header, height);
    header.append(char(8)).append(char(2)).append(2, '\0').append(char(interlaced ? 1 : 0)); // 8-bit RGB
    AppendPngChunk(png, "IHDR", header);
    return png;
}

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

QByteArray PngRow(const QImage& rgb, int y)
{
    QByteArray row(1, '\0'); // filter type none
    row.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
    return row;
}

} // namespace

QColor SourcePixel(int x, int y)
{
    return QColor(x & 255, y & 255, ((x >> 8) & 15) | ((y >> 8) & 15) << 4);
}

QImage PositionPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixelColor(x, y, SourcePixel(x, y));
    return picture;
}

RowChunkedPng PngWithARowPerChunk(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    RowChunkedPng result{PngStart(quint32(rgb.width()), quint32(rgb.height())), {}};
    z_stream stream{};
    deflateInit(&stream, Z_DEFAULT_COMPRESSION);
    for (int y = 0; y < rgb.height(); ++y) {
        const bool last = y == rgb.height() - 1;
        AppendPngChunk(result.bytes, "IDAT", Deflate(stream, PngRow(rgb, y), last ? Z_FINISH : Z_SYNC_FLUSH));
        result.rowEnds.append(result.bytes.size());
    }
    deflateEnd(&stream);
    AppendPngChunk(result.bytes, "IEND", {});
    return result;
}

QByteArray PngClaiming(quint32 width, quint32 height, bool interlaced)
{
    QByteArray png = PngStart(width, height, interlaced);
    z_stream stream{};
    deflateInit(&stream, Z_DEFAULT_COMPRESSION);
    AppendPngChunk(png, "IDAT", Deflate(stream, QByteArray(1 + 3 * 16, '\x40'), Z_SYNC_FLUSH));
    deflateEnd(&stream);
    AppendPngChunk(png, "IEND", {});
    return png;
}

QByteArray WithBadIdatCrc(QByteArray png)
{
    const qsizetype chunk = png.indexOf("IDAT") - 4;
    const qsizetype length = qsizetype(quint8(png[chunk]) << 24 | quint8(png[chunk + 1]) << 16 |
                                       quint8(png[chunk + 2]) << 8 | quint8(png[chunk + 3]));
    png[chunk + 8 + length] = char(png[chunk + 8 + length] ^ 0x5a);
    return png;
}

qsizetype Bmp24RowBytes(int width)
{
    return (qsizetype(width) * 3 + 3) / 4 * 4;
}

namespace {

QByteArray BmpHeaders(qint32 width, qint32 height, int bits, quint32 colours, quint32 pixelBytes,
                      quint32 compression = 0, quint32 infoHeaderBytes = 40)
{
    const quint32 pixelStart = 14 + infoHeaderBytes + colours * 4;
    QByteArray bytes("BM");
    AppendU32LE(bytes, pixelStart + pixelBytes);
    AppendU32LE(bytes, 0);
    AppendU32LE(bytes, pixelStart);
    AppendU32LE(bytes, infoHeaderBytes);
    AppendU32LE(bytes, quint32(width));
    AppendU32LE(bytes, quint32(height));
    AppendU16LE(bytes, 1);
    AppendU16LE(bytes, quint32(bits));
    AppendU32LE(bytes, compression);
    AppendU32LE(bytes, pixelBytes);
    AppendU32LE(bytes, 0);
    AppendU32LE(bytes, 0);
    AppendU32LE(bytes, colours);
    AppendU32LE(bytes, 0);
    return bytes.append(qsizetype(infoHeaderBytes - 40), '\0');
}

} // namespace

QByteArray Bmp24(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const qsizetype rowBytes = Bmp24RowBytes(rgb.width());
    QByteArray bytes = BmpHeaders(rgb.width(), rgb.height(), 24, 0, quint32(rowBytes * rgb.height()));
    for (int y = rgb.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        const uchar* source = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            row[3 * x] = char(source[3 * x + 2]);
            row[3 * x + 1] = char(source[3 * x + 1]);
            row[3 * x + 2] = char(source[3 * x]);
        }
        bytes += row;
    }
    return bytes;
}

QByteArray BmpClaiming(qint32 width, qint32 height)
{
    return BmpHeaders(width, height, 24, 0, 0) + QByteArray(64, '\x7f');
}

QByteArray BmpWithIndexesBeyondItsPalette(int width, int height, quint32 infoHeaderBytes)
{
    const qsizetype rowBytes = (qsizetype(width) + 3) / 4 * 4;
    QByteArray bytes = BmpHeaders(width, height, 8, 2, quint32(rowBytes * height), 0, infoHeaderBytes);
    AppendU32LE(bytes, 0x00ff0000); // index 0: red
    AppendU32LE(bytes, 0x000000ff); // index 1: blue
    for (int y = 0; y < height; ++y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x)
            row[x] = char((x / 10) % 3 == 2 ? 200 : (x / 10) % 3);
        bytes += row;
    }
    return bytes;
}

QByteArray BmpRle8WithIndexesBeyondItsPalette(int width, int height)
{
    QByteArray runs;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; x += 10)
            runs.append(char(10)).append(char((x / 10) % 3 == 2 ? 200 : (x / 10) % 3));
        runs.append(2, '\0'); // end of the row
    }
    runs.append('\0').append(char(1)); // end of the picture
    constexpr quint32 runLength8 = 1;
    QByteArray bytes = BmpHeaders(width, height, 8, 2, quint32(runs.size()), runLength8);
    AppendU32LE(bytes, 0x00ff0000);
    AppendU32LE(bytes, 0x000000ff);
    return bytes + runs;
}

QByteArray BmpRunLengthEndingAfter(int bits, int width, int height, int rowsWithRuns, bool endCode)
{
    QByteArray runs;
    for (int y = 0; y < rowsWithRuns; ++y) {
        for (int x = 0; x < width; x += 10) {
            const int index = (x / 10) % 2;
            runs.append(char(10)).append(char(bits == 8 ? index : index << 4 | index));
        }
        runs.append(2, '\0');
    }
    if (endCode)
        runs.append('\0').append(char(1));
    const quint32 compression = bits == 8 ? 1 : 2;
    QByteArray bytes = BmpHeaders(width, height, bits, 2, quint32(runs.size()), compression);
    AppendU32LE(bytes, 0x00ff0000);
    AppendU32LE(bytes, 0x000000ff);
    return bytes + runs;
}

QByteArray JpegWithRestartPerBlockRow(const QImage& picture)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("restarts.jpg"));
    const int blocksPerRow = (picture.width() + 7) / 8;
    writeJpeg(path, picture.convertToFormat(QImage::Format_RGB888), {1, 1, false, false, blocksPerRow});
    return readBytes(path);
}

QByteArray CmykJpeg(const QImage& picture)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cmyk.jpg"));
    writeJpeg(path, picture.convertToFormat(QImage::Format_RGB888), {1, 1, false, false, 0, true});
    return readBytes(path);
}

qsizetype JpegRestartAfterBlockRow(const QByteArray& jpeg, int blockRow)
{
    qsizetype at = jpeg.indexOf("\xff\xda");
    for (int seen = 0; at >= 0 && at + 1 < jpeg.size(); ++at) {
        const auto marker = quint8(jpeg[at + 1]);
        if (quint8(jpeg[at]) == 0xff && marker >= 0xd0 && marker <= 0xd7 && seen++ == blockRow)
            return at + 2;
    }
    return -1;
}

QByteArray ProgressiveJpeg(const QImage& picture)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("progressive.jpg"));
    writeJpeg(path, picture.convertToFormat(QImage::Format_RGB888), {1, 1, false, true});
    return readBytes(path);
}

QByteArray WithHugeJpegFrame(QByteArray jpeg, quint16 side)
{
    qsizetype frame = jpeg.indexOf("\xff\xc0");
    if (frame < 0)
        frame = jpeg.indexOf("\xff\xc2");
    for (int i : {5, 7}) {
        jpeg[frame + i] = char(side >> 8);
        jpeg[frame + i + 1] = char(side & 0xff);
    }
    return jpeg;
}

namespace {

QByteArray GifScreen(quint16 width, quint16 height)
{
    QByteArray gif("GIF89a");
    AppendU16LE(gif, width);
    AppendU16LE(gif, height);
    gif.append(char(0x80)).append(2, '\0'); // a global table of two colours
    gif.append("\x00\x00\x00\xff\xff\xff", 6);
    return gif;
}

} // namespace

RowMarkedGif GifWithRowEnds(int width, int height)
{
    QByteArray gif("GIF89a");
    AppendU16LE(gif, quint32(width));
    AppendU16LE(gif, quint32(height));
    gif.append(char(0xf7)).append(2, '\0'); // a global table of 256 colours
    for (int i = 0; i < 256; ++i)
        gif.append(char(i)).append(char(255 - i)).append(char((i * 7) & 255));
    gif.append(',');
    AppendU16LE(gif, 0);
    AppendU16LE(gif, 0);
    AppendU16LE(gif, quint32(width));
    AppendU16LE(gif, quint32(height));
    gif.append('\0').append(char(8)); // no local table; 8-bit LZW codes

    // Nine-bit codes, each a pixel: a clear code every 250 pixels keeps the code table from growing to ten
    // bits. The stream is laid out first, noting the stream offset where each row's codes end.
    constexpr quint32 clear = 256;
    constexpr quint32 end = 257;
    QByteArray stream;
    quint32 bits = 0;
    int bitCount = 0;
    const auto put = [&](quint32 code) {
        bits |= code << bitCount;
        bitCount += 9;
        for (; bitCount >= 8; bitCount -= 8, bits >>= 8)
            stream.append(char(bits & 0xff));
    };
    QList<qsizetype> streamRowEnds;
    put(clear);
    int sinceClear = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            put(quint32(x + 3 * y) & 0xff);
            if (++sinceClear == 250) {
                put(clear);
                sinceClear = 0;
            }
        }
        streamRowEnds.append(stream.size() + (bitCount > 0 ? 1 : 0));
    }
    put(end);
    if (bitCount > 0)
        stream.append(char(bits & 0xff));

    // Sub-blocks of 255 bytes, each after its length byte.
    const qsizetype streamStart = gif.size();
    for (qsizetype at = 0; at < stream.size(); at += 255) {
        const QByteArray block = stream.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    gif.append('\0').append(';');
    RowMarkedGif result{gif, {}};
    for (qsizetype streamEnd : streamRowEnds)
        result.rowEnds.append(streamStart + streamEnd + (streamEnd + 254) / 255);
    return result;
}

QByteArray GifWithoutImage(quint16 width, quint16 height)
{
    return GifScreen(width, height) + ';';
}

QByteArray GifClaiming(quint16 width, quint16 height)
{
    QByteArray gif = GifScreen(width, height);
    gif.append(',');
    AppendU16LE(gif, 0);
    AppendU16LE(gif, 0);
    AppendU16LE(gif, width);
    AppendU16LE(gif, height);
    gif.append('\0');
    // Minimum code size 2; one data block holding the clear code and the end code.
    gif.append("\x02\x02\x44\x01\x00", 5);
    return gif + ';';
}

} // namespace HostilePictures
