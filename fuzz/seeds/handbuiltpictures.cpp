#include "fuzz/seeds/handbuiltpictures.h"

#include <array>
#include <cstdint>
#include <zlib.h>

namespace {

void AppendU16LE(QByteArray& bytes, std::uint32_t value)
{
    bytes += char(value & 0xFF);
    bytes += char((value >> 8) & 0xFF);
}

void AppendU32LE(QByteArray& bytes, std::uint32_t value)
{
    AppendU16LE(bytes, value & 0xFFFF);
    AppendU16LE(bytes, value >> 16);
}

void AppendU16BE(QByteArray& bytes, std::uint32_t value)
{
    bytes += char((value >> 8) & 0xFF);
    bytes += char(value & 0xFF);
}

void AppendU32BE(QByteArray& bytes, std::uint32_t value)
{
    AppendU16BE(bytes, value >> 16);
    AppendU16BE(bytes, value & 0xFFFF);
}

// A byte of a test pattern that differs from row to row and from column to column.
char PatternByte(int x, int y, int channel)
{
    return char((x * 29 + y * 71 + channel * 113) & 0xFF);
}

// --- Windows bitmaps ---

QByteArray BmpHeaders(std::int32_t width, std::int32_t height, int bitsPerPixel, std::uint32_t compression,
                      std::uint32_t paletteColours, std::uint32_t pixelBytes)
{
    const std::uint32_t pixelOffset = 54 + 4 * paletteColours;
    QByteArray bytes("BM");
    AppendU32LE(bytes, pixelOffset + pixelBytes);
    AppendU32LE(bytes, 0);
    AppendU32LE(bytes, pixelOffset);
    AppendU32LE(bytes, 40);
    AppendU32LE(bytes, std::uint32_t(width));
    AppendU32LE(bytes, std::uint32_t(height));
    AppendU16LE(bytes, 1);
    AppendU16LE(bytes, std::uint32_t(bitsPerPixel));
    AppendU32LE(bytes, compression);
    AppendU32LE(bytes, pixelBytes);
    AppendU32LE(bytes, 2835);
    AppendU32LE(bytes, 2835);
    AppendU32LE(bytes, paletteColours);
    AppendU32LE(bytes, 0);
    for (std::uint32_t colour = 0; colour < paletteColours; ++colour)
        AppendU32LE(bytes, colour * 0x00103050u);
    return bytes;
}

// rowsDown: a negative height marks rows stored top to bottom.
QByteArray Bmp24(int width, int height, bool rowsDown)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    QByteArray bytes =
        BmpHeaders(width, rowsDown ? -height : height, 24, 0, 0, std::uint32_t(rowBytes * height));
    for (int y = 0; y < height; ++y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width * 3; ++x)
            row[x] = PatternByte(x / 3, y, x % 3);
        bytes += row;
    }
    return bytes;
}

// An 8-bit bitmap whose last pixel names a colour beyond its palette of paletteColours.
QByteArray Bmp8(int width, int height, std::uint32_t paletteColours)
{
    const int rowBytes = (width + 3) / 4 * 4;
    QByteArray bytes = BmpHeaders(width, height, 8, 0, paletteColours, std::uint32_t(rowBytes * height));
    for (int y = 0; y < height; ++y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x)
            row[x] = char((x + y) % paletteColours);
        bytes += row;
    }
    bytes[bytes.size() - rowBytes + width - 1] = char(paletteColours);
    return bytes;
}

// Run-length encoded 8-bit rows: one run per row, an end of line after each, an end of bitmap at the end.
QByteArray BmpRle8(int width, int height)
{
    QByteArray runs;
    for (int y = 0; y < height; ++y) {
        runs += char(width);
        runs += char(y % 16);
        runs += QByteArray("\0\0", 2);
    }
    runs += QByteArray("\0\1", 2);
    return BmpHeaders(width, height, 8, 1, 16, std::uint32_t(runs.size())) + runs;
}

// --- GIF ---

// LZW codes packed from the lowest bit up in sub-blocks of at most 255 bytes.
class GifCodeWriter
{
  public:
    void write(int code, int width)
    {
        for (int bit = 0; bit < width; ++bit) {
            if (used_ % 8 == 0)
                packed_ += '\0';
            if (code & (1 << bit))
                packed_[packed_.size() - 1] = char(packed_.back() | (1 << (used_ % 8)));
            ++used_;
        }
    }
    QByteArray subBlocks() const
    {
        QByteArray blocks;
        for (qsizetype start = 0; start < packed_.size(); start += 255) {
            const QByteArray block = packed_.mid(start, 255);
            blocks += char(block.size());
            blocks += block;
        }
        return blocks + '\0';
    }

  private:
    QByteArray packed_;
    int used_ = 0;
};

// Image data with a 4-colour table: a clear code before every two pixels keeps every code 3 bits wide.
QByteArray GifImageData(int width, int height)
{
    constexpr int ClearCode = 4;
    constexpr int EndCode = 5;
    constexpr int CodeWidth = 3;
    GifCodeWriter codes;
    int pixel = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, ++pixel) {
            if (pixel % 2 == 0)
                codes.write(ClearCode, CodeWidth);
            codes.write((x / 3 + y) % 4, CodeWidth);
        }
    }
    codes.write(EndCode, CodeWidth);
    return QByteArray(1, '\2') + codes.subBlocks();
}

QByteArray GifImageDescriptor(int left, int top, int width, int height, bool interlaced)
{
    QByteArray bytes(1, ',');
    AppendU16LE(bytes, std::uint32_t(left));
    AppendU16LE(bytes, std::uint32_t(top));
    AppendU16LE(bytes, std::uint32_t(width));
    AppendU16LE(bytes, std::uint32_t(height));
    bytes += char(interlaced ? 0x40 : 0x00);
    return bytes;
}

QByteArray GifImage(int left, int top, int width, int height, bool interlaced)
{
    return GifImageDescriptor(left, top, width, height, interlaced) + GifImageData(width, height);
}

QByteArray GifScreen(const char* version, int width, int height)
{
    QByteArray bytes(version);
    AppendU16LE(bytes, std::uint32_t(width));
    AppendU16LE(bytes, std::uint32_t(height));
    // A global table of 4 colours, background colour 0.
    bytes += QByteArray("\x81\x00\x00", 3);
    bytes += QByteArray("\x00\x00\x00\xff\xff\xff\xc0\x40\x20\x10\x80\xf0", 12);
    return bytes;
}

// A graphic control extension that makes colour 3 transparent.
QByteArray GifTransparency()
{
    return QByteArray("\x21\xf9\x04\x01\x0a\x00\x03\x00", 8);
}

// --- PNG ---

QByteArray PngChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk;
    AppendU32BE(chunk, std::uint32_t(data.size()));
    const QByteArray typeAndData = QByteArray(type, 4) + data;
    chunk += typeAndData;
    AppendU32BE(chunk, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typeAndData.constData()),
                                           uInt(typeAndData.size()))));
    return chunk;
}

QByteArray PngHeader(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType, bool interlaced)
{
    QByteArray header;
    AppendU32BE(header, width);
    AppendU32BE(header, height);
    header += char(bitDepth);
    header += char(colourType);
    header += QByteArray("\0\0", 2);
    header += char(interlaced ? 1 : 0);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header);
}

int PngChannels(int colourType)
{
    constexpr std::array<int, 7> channels{1, 0, 3, 1, 2, 0, 4};
    return channels[std::size_t(colourType)];
}

// Rows of `width` pixels, each after a filter byte that cycles through the five filters.
QByteArray PngRows(int width, int height, int bitsPerPixel, int passOffset)
{
    QByteArray rows;
    const int rowBytes = (width * bitsPerPixel + 7) / 8;
    for (int y = 0; y < height; ++y) {
        rows += char((y + passOffset) % 5);
        for (int x = 0; x < rowBytes; ++x)
            rows += PatternByte(x, y + passOffset, 0);
    }
    return rows;
}

struct Adam7Pass
{
    int firstRow, firstColumn, rowStep, columnStep;
};

constexpr std::array<Adam7Pass, 7> Adam7Passes{{
    {0, 0, 8, 8},
    {0, 4, 8, 8},
    {4, 0, 8, 4},
    {0, 2, 4, 4},
    {2, 0, 4, 2},
    {0, 1, 2, 2},
    {1, 0, 2, 1},
}};

QByteArray PngPixelData(int width, int height, int bitsPerPixel, bool interlaced)
{
    if (!interlaced)
        return PngRows(width, height, bitsPerPixel, 0);
    QByteArray data;
    int passIndex = 0;
    for (const Adam7Pass& pass : Adam7Passes) {
        const int passWidth = (width - pass.firstColumn + pass.columnStep - 1) / pass.columnStep;
        const int passHeight = (height - pass.firstRow + pass.rowStep - 1) / pass.rowStep;
        if (passWidth > 0 && passHeight > 0)
            data += PngRows(passWidth, passHeight, bitsPerPixel, ++passIndex);
    }
    return data;
}

QByteArray Deflated(const QByteArray& data)
{
    uLongf packedSize = compressBound(uLong(data.size()));
    QByteArray packed(qsizetype(packedSize), '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size()), 9);
    packed.truncate(qsizetype(packedSize));
    return packed;
}

QByteArray Png(int width, int height, int bitDepth, int colourType, bool interlaced)
{
    QByteArray bytes =
        PngHeader(std::uint32_t(width), std::uint32_t(height), bitDepth, colourType, interlaced);
    if (colourType == 3) {
        QByteArray palette;
        for (int entry = 0; entry < (1 << bitDepth); ++entry) {
            for (int channel = 0; channel < 3; ++channel)
                palette += PatternByte(entry, channel, channel);
        }
        bytes += PngChunk("PLTE", palette);
        bytes += PngChunk("tRNS", QByteArray("\x00\x80\xff", 3));
    }
    const int bitsPerPixel = PngChannels(colourType) * bitDepth;
    bytes += PngChunk("IDAT", Deflated(PngPixelData(width, height, bitsPerPixel, interlaced)));
    return bytes + PngChunk("IEND", {});
}

// --- JPEG headers: markers without pixel data, as the size probe reads them ---

QByteArray JpegSegment(std::uint8_t marker, const QByteArray& data)
{
    QByteArray segment("\xff");
    segment += char(marker);
    AppendU16BE(segment, std::uint32_t(data.size() + 2));
    return segment + data;
}

QByteArray JpegFrame(std::uint8_t marker, std::uint32_t width, std::uint32_t height)
{
    QByteArray frame(1, '\x08');
    AppendU16BE(frame, height);
    AppendU16BE(frame, width);
    frame += QByteArray("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    return JpegSegment(marker, frame);
}

QByteArray JpegHeader(std::uint8_t frameMarker, std::uint32_t width, std::uint32_t height)
{
    return QByteArray("\xff\xd8", 2) + JpegSegment(0xE0, QByteArray("JFIF\0\1\1\0\0\1\0\1\0\0", 14)) +
           JpegSegment(0xFE, "made by hand") + QByteArray("\xff\xff", 2) +
           JpegFrame(frameMarker, width, height) + QByteArray("\xff\xd9", 2);
}

} // namespace

Seeds HandBuiltPictures()
{
    Seeds seeds{
        {"bmp-24bit-bottomup", Bmp24(13, 9, false)},
        {"bmp-24bit-topdown", Bmp24(40, 30, true)},
        {"bmp-8bit-index-beyond-palette", Bmp8(37, 29, 5)},
        {"bmp-rle8", BmpRle8(40, 30)},
        {"bmp-header-only-huge", BmpHeaders(935820, 854554, 24, 0, 0, 0)},
        {"gif87a-one-frame", GifScreen("GIF87a", 40, 30) + GifImage(0, 0, 40, 30, false) + ';'},
        {"gif89a-transparent-interlaced",
         GifScreen("GIF89a", 37, 29) + GifTransparency() + GifImage(0, 0, 37, 29, true) + ';'},
        {"gif89a-two-frames-offset", GifScreen("GIF89a", 40, 30) + GifImage(0, 0, 20, 15, false) +
                                         GifTransparency() + GifImage(10, 8, 30, 22, false) + ';'},
        {"gif-no-image", GifScreen("GIF89a", 40, 30) + ';'},
        {"gif-huge-screen-truncated", GifScreen("GIF89a", 65535, 65535) +
                                          GifImageDescriptor(0, 0, 65535, 65535, false) +
                                          GifImageData(40, 1).left(12)},
        {"jpeg-baseline-header", JpegHeader(0xC0, 40, 30)},
        {"jpeg-progressive-header", JpegHeader(0xC2, 640, 480)},
        {"jpeg-header-65535", JpegHeader(0xC1, 65535, 65535)},
        {"png-header-only-huge", PngHeader(64250, 64250, 8, 2, false) + PngChunk("IEND", {})},
    };
    struct PngVariant
    {
        int bitDepth, colourType;
        bool interlaced;
    };
    constexpr std::array<PngVariant, 19> PngVariants{{
        {1, 0, false}, {2, 0, false},  {4, 0, false},  {8, 0, false}, {16, 0, false},
        {8, 2, false}, {16, 2, false}, {1, 3, false},  {2, 3, false}, {4, 3, false},
        {8, 3, false}, {8, 4, false},  {16, 4, false}, {8, 6, false}, {16, 6, false},
        {1, 0, true},  {4, 3, true},   {8, 2, true},   {16, 6, true},
    }};
    for (const PngVariant& variant : PngVariants) {
        seeds.push_back({QStringLiteral("png-type%1-%2bit%3")
                             .arg(variant.colourType)
                             .arg(variant.bitDepth)
                             .arg(variant.interlaced ? "-interlaced" : ""),
                         Png(37, 29, variant.bitDepth, variant.colourType, variant.interlaced)});
    }
    QByteArray badChecksum = Png(40, 30, 8, 2, false);
    badChecksum[badChecksum.size() - 13] = char(badChecksum[badChecksum.size() - 13] ^ 0x55);
    seeds.push_back({"png-bad-idat-checksum", badChecksum});
    return seeds;
}
