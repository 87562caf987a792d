#include "fuzz/seeds/handbuiltpictures.h"

#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/giffiles.h"
#include "tests/support/pictures/jpegfiles.h"
#include "tests/support/pictures/patterns.h"
#include "tests/support/pictures/pngfiles.h"

#include <array>

using namespace testpictures;

namespace {

// A byte of a test pattern that differs from row to row and from column to column.
char PatternByte(int x, int y, int channel)
{
    return char((x * 29 + y * 71 + channel * 113) & 0xFF);
}

// --- Windows bitmaps ---

QList<QRgb> BmpColours(int count)
{
    QList<QRgb> colours;
    for (int colour = 0; colour < count; ++colour)
        colours.append(quint32(colour) * 0x00103050u);
    return colours;
}

// An 8-bit bitmap whose last pixel names a colour beyond its palette of paletteColours.
QByteArray Bmp8(int width, int height, int paletteColours)
{
    const int rowBytes = BmpRowBytes(width, 8);
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x)
            row[x] = char((x + y) % paletteColours);
        pixels += row;
    }
    pixels[pixels.size() - rowBytes + width - 1] = char(paletteColours);
    return BmpFile({.width = quint32(width),
                    .height = quint32(height),
                    .bitsPerPixel = 8,
                    .colourTable = BmpColours(paletteColours),
                    .coloursUsed = quint32(paletteColours)},
                   pixels);
}

// Run-length encoded 8-bit rows: one run per row, an end of line after each, an end of bitmap at the end.
QByteArray RunLengthBmp8(int width, int height)
{
    return BmpFile({.width = quint32(width),
                    .height = quint32(height),
                    .bitsPerPixel = 8,
                    .compression = BmpRle8,
                    .colourTable = BmpColours(16),
                    .coloursUsed = 16},
                   BmpRuns(8, width, height, width, [](int, int y) { return y % 16; }));
}

// --- GIF ---

// A screen with a global table of 4 colours, background colour 0.
QByteArray GifScreenOf4Colours(const char* version, int width, int height)
{
    constexpr quint8 GlobalTableOf4 = 0x81;
    return GifScreen(version, quint16(width), quint16(height), GlobalTableOf4) +
           GifColourTable(
               {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0xc0, 0x40, 0x20), qRgb(0x10, 0x80, 0xf0)});
}

QByteArray GifImageData(int width, int height)
{
    return GifLiteralCodes(2, width, height, [](int x, int y) { return (x / 3 + y) % 4; }).bytes;
}

QByteArray GifImage(int left, int top, int width, int height, bool interlaced)
{
    constexpr quint8 Interlaced = 0x40;
    return GifImageDescriptor(quint16(left), quint16(top), quint16(width), quint16(height),
                              interlaced ? Interlaced : 0) +
           GifImageData(width, height);
}

// --- PNG ---

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

QByteArray Png(int width, int height, int bitDepth, int colourType, bool interlaced)
{
    QByteArray bytes = PngStart(quint32(width), quint32(height), bitDepth, colourType, interlaced);
    if (colourType == 3) {
        QByteArray palette;
        for (int entry = 0; entry < (1 << bitDepth); ++entry) {
            for (int channel = 0; channel < 3; ++channel)
                palette += PatternByte(entry, channel, channel);
        }
        bytes += PngChunk("PLTE", palette);
        bytes += PngChunk("tRNS", ByteValues({0x00, 0x80, 0xff}));
    }
    const int bitsPerPixel = PngChannels(colourType) * bitDepth;
    bytes += PngChunk("IDAT", ZlibStream(PngPixelData(width, height, bitsPerPixel, interlaced)));
    return bytes + PngEnd();
}

// --- JPEG headers: markers without pixel data, as the size probe reads them ---

QByteArray JpegHeader(quint8 frameMarker, quint16 width, quint16 height)
{
    constexpr quint8 CommentMarker = 0xFE;
    return JpegStartOfImage() + JpegJfifSegment() + JpegMarkerSegment(CommentMarker, "made by hand") +
           ByteValues({0xFF, 0xFF}) + JpegFrame(frameMarker, width, height) + JpegEndOfImage();
}

} // namespace

Seeds HandBuiltPictures()
{
    Seeds seeds{
        {"bmp-24bit-bottomup", Bmp24(PhotoLikePicture(13, 9))},
        {"bmp-24bit-topdown", Bmp24(PhotoLikePicture(40, 30), true)},
        {"bmp-8bit-index-beyond-palette", Bmp8(37, 29, 5)},
        {"bmp-rle8", RunLengthBmp8(40, 30)},
        {"bmp-header-only-huge", BmpHeaders({.width = 935820, .height = 854554})},
        {"gif87a-one-frame", GifScreenOf4Colours("87a", 40, 30) + GifImage(0, 0, 40, 30, false) + GifTrailer},
        {"gif89a-transparent-interlaced",
         GifScreenOf4Colours("89a", 37, 29) + GifTransparency(3) + GifImage(0, 0, 37, 29, true) + GifTrailer},
        {"gif89a-two-frames-offset", GifScreenOf4Colours("89a", 40, 30) + GifImage(0, 0, 20, 15, false) +
                                         GifTransparency(3) + GifImage(10, 8, 30, 22, false) + GifTrailer},
        {"gif-no-image", GifScreenOf4Colours("89a", 40, 30) + GifTrailer},
        {"gif-huge-screen-truncated", GifScreenOf4Colours("89a", 65535, 65535) +
                                          GifImageDescriptor(0, 0, 65535, 65535) +
                                          GifImageData(40, 1).left(12)},
        {"jpeg-baseline-header", JpegHeader(0xC0, 40, 30)},
        {"jpeg-progressive-header", JpegHeader(0xC2, 640, 480)},
        {"jpeg-header-65535", JpegHeader(0xC1, 65535, 65535)},
        {"png-header-only-huge", PngStart(64250, 64250, 8, 2) + PngEnd()},
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
    seeds.push_back({"png-bad-idat-checksum", WithBadChunkCrc(Png(40, 30, 8, 2, false), "IDAT")});
    return seeds;
}
