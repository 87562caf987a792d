#include "codecs/gif/giflayout.h"

#include "codecs/gif/gifmessages.h"
#include "codecs/picture/fileread.h"
#include "imagesize/headerbytes.h"

#include <QFile>
#include <cstdint>
#include <span>

using imagesize::readU16LE;

namespace {

constexpr qint64 headerBytes = 6;
constexpr qint64 screenDescriptorBytes = 7;
constexpr qint64 imageDescriptorBytes = 9;
constexpr char extensionIntroducer = 0x21;
constexpr char imageSeparator = 0x2c;
constexpr char trailer = 0x3b;
constexpr uchar graphicControlLabel = 0xf9;
constexpr uchar colourTableFlag = 0x80;
constexpr uchar interlaceFlag = 0x40;
constexpr uchar transparencyFlag = 0x01;
constexpr int graphicControlBytes = 4;
// The LZW codes of a GIF are at most 12 bits wide, so literal colour indexes take at most 8.
constexpr int largestMinimumCodeSize = 8;

using Bytes = std::span<const std::uint8_t>;

Bytes bytesOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

// Colours in a table that a descriptor's packed field announces, 0 when it has none.
int colourTableSize(uchar packed)
{
    return (packed & colourTableFlag) != 0 ? 2 << (packed & 0x07) : 0;
}

bool readByte(QFile& file, uchar& byte)
{
    return file.getChar(reinterpret_cast<char*>(&byte));
}

std::optional<QList<QRgb>> readColourTable(QFile& file, int colourCount)
{
    const std::optional<QByteArray> table = readFileBytes(file, file.pos(), qint64(colourCount) * 3);
    if (!table)
        return std::nullopt;
    QList<QRgb> colours;
    for (int i = 0; i < colourCount; ++i)
        colours.append(qRgb(uchar((*table)[3 * i]), uchar((*table)[3 * i + 1]), uchar((*table)[3 * i + 2])));
    return colours;
}

// Skips data sub-blocks through the empty block that ends them.
bool skipSubBlocks(QFile& file)
{
    uchar length = 0;
    while (readByte(file, length)) {
        if (length == 0)
            return true;
        if (file.pos() + length > file.size() || !file.seek(file.pos() + length))
            return false;
    }
    return false;
}

// A graphic control extension's first sub-block: packed fields, delay, transparent colour index.
bool readGraphicControl(QFile& file, int& transparentIndex)
{
    uchar length = 0;
    if (!readByte(file, length))
        return false;
    const std::optional<QByteArray> block = readFileBytes(file, file.pos(), length);
    if (!block)
        return false;
    transparentIndex = length >= graphicControlBytes && (uchar((*block)[0]) & transparencyFlag) != 0
                           ? uchar((*block)[3])
                           : -1;
    return length == 0 || skipSubBlocks(file);
}

} // namespace

bool readGifLayout(QFile& file, GifLayout& layout, QString& error)
{
    error = GifMessages::CutShort();
    const std::optional<QByteArray> start = readFileBytes(file, 0, headerBytes + screenDescriptorBytes);
    if (!start)
        return false;
    if (!start->startsWith("GIF")) {
        error = GifMessages::NotAGif();
        return false;
    }
    layout.screenWidth = readU16LE(bytesOf(*start), 6);
    layout.screenHeight = readU16LE(bytesOf(*start), 8);
    const auto screenPacked = uchar((*start)[10]);
    std::optional<QList<QRgb>> globalColours = readColourTable(file, colourTableSize(screenPacked));
    if (!globalColours)
        return false;
    char introducer = 0;
    while (file.getChar(&introducer)) {
        if (introducer == extensionIntroducer) {
            uchar label = 0;
            if (!readByte(file, label))
                return false;
            const bool read = label == graphicControlLabel ? readGraphicControl(file, layout.transparentIndex)
                                                           : skipSubBlocks(file);
            if (!read)
                return false;
        } else if (introducer == imageSeparator) {
            const std::optional<QByteArray> descriptor =
                readFileBytes(file, file.pos(), imageDescriptorBytes);
            if (!descriptor)
                return false;
            const Bytes fields = bytesOf(*descriptor);
            layout.frame =
                QRect(readU16LE(fields, 0), readU16LE(fields, 2), readU16LE(fields, 4), readU16LE(fields, 6));
            const uchar packed = fields[8];
            layout.interlaced = (packed & interlaceFlag) != 0;
            std::optional<QList<QRgb>> localColours = readColourTable(file, colourTableSize(packed));
            uchar minimumCodeSize = 0;
            if (!localColours || !readByte(file, minimumCodeSize))
                return false;
            layout.colours = colourTableSize(packed) != 0 ? *localColours : *globalColours;
            layout.minimumCodeSize = minimumCodeSize;
            layout.dataStart = file.pos();
            if (!skipSubBlocks(file))
                return false;
            if (minimumCodeSize < 1 || minimumCodeSize > largestMinimumCodeSize) {
                error = GifMessages::ImageDataDamaged();
                return false;
            }
            if (layout.screenWidth == 0 || layout.screenHeight == 0) {
                error = GifMessages::ScreenEmpty();
                return false;
            }
            const std::optional<QByteArray> header = readFileBytes(file, 0, layout.dataStart);
            if (!header)
                return false;
            layout.headerBytes = *header;
            error.clear();
            return true;
        } else {
            error = introducer == trailer ? GifMessages::NoImage() : GifMessages::BlocksDamaged();
            return false;
        }
    }
    return false;
}
