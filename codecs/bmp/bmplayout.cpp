#include "codecs/bmp/bmplayout.h"

#include "codecs/bmp/bmpmessages.h"
#include "imagesize/headerbytes.h"

#include <QFile>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <span>

using imagesize::readU16LE;
using imagesize::readU32LE;

namespace {

constexpr qint64 fileHeaderBytes = 14;
constexpr quint32 infoHeaderBytes = 40;
// OS/2's 2.x header: the 40-byte header's fields, then fields of its own.
constexpr quint32 os2HeaderBytes = 64;
constexpr quint32 v4HeaderBytes = 108;
constexpr quint32 v5HeaderBytes = 124;
constexpr qint64 maskBytes = 12;
constexpr quint32 uncompressed = 0;
constexpr quint32 runLength8 = 1;
constexpr quint32 runLength4 = 2;
constexpr quint32 bitFields = 3;
constexpr int largestColourTable = 256;
// The longest headers with their masks, then the largest colour table: all the layout is read from.
constexpr qint64 largestHeaderBytes = fileHeaderBytes + v5HeaderBytes + maskBytes + largestColourTable * 4;

using Bytes = std::span<const std::uint8_t>;

// Qt's reader leaves the rows missing from a cut-short file as whatever memory it got, so a bitmap left to
// it must hold all its uncompressed rows. Compressed ones are left to Qt as they are.
BmpHeaderVerdict leftToQtIfWhole(Bytes head, quint32 headerBytes, qint64 fileSize, QString& error)
{
    constexpr quint32 coreHeaderBytes = 12;
    // The compression field ends the first 20 bytes of the longer headers.
    constexpr quint32 headerBytesWithCompression = 20;
    if (headerBytes < coreHeaderBytes) {
        error = BmpMessages::HeaderDamaged();
        return BmpHeaderVerdict::Damaged;
    }
    const bool core = headerBytes == coreHeaderBytes;
    const qint64 width = core ? readU16LE(head, 18) : qint32(readU32LE(head, 18));
    const qint64 height = core ? readU16LE(head, 20) : qint32(readU32LE(head, 22));
    const quint16 bits = core ? readU16LE(head, 24) : readU16LE(head, 28);
    const quint32 compression = headerBytes < headerBytesWithCompression ? uncompressed : readU32LE(head, 30);
    if (compression != uncompressed && compression != bitFields)
        return BmpHeaderVerdict::LeftToQt;
    const qint64 rowBytes = (std::abs(width) * bits + 31) / 32 * 4;
    const qint64 pixelStart = std::max<qint64>(readU32LE(head, 10), fileHeaderBytes + headerBytes);
    const qint64 pixelBytes = fileSize - pixelStart;
    // Divided rather than multiplied: a damaged header's sizes overflow the product.
    if (pixelBytes < 0 || (rowBytes > 0 && std::abs(height) > pixelBytes / rowBytes)) {
        error = BmpMessages::CutShort();
        return BmpHeaderVerdict::Damaged;
    }
    return BmpHeaderVerdict::LeftToQt;
}

// The colour masks of a bit-field bitmap, or the fixed ones of the other kinds. An uncompressed 32-bit
// bitmap keeps its top byte as alpha when its version 4 or 5 header names that byte the alpha mask, as Qt's
// reader does; any other alpha mask leaves it opaque.
void readChannels(Bytes head, quint32 headerBytes, bool fields, int bits, BmpLayout& layout)
{
    constexpr std::size_t masks = fileHeaderBytes + infoHeaderBytes;
    if (fields) {
        layout.red = BmpChannel::fromMask(readU32LE(head, masks));
        layout.green = BmpChannel::fromMask(readU32LE(head, masks + 4));
        layout.blue = BmpChannel::fromMask(readU32LE(head, masks + 8));
        // The 40-byte header's three masks follow it; the longer headers hold an alpha mask too.
        if (headerBytes != infoHeaderBytes)
            layout.alpha = BmpChannel::fromMask(readU32LE(head, masks + 12));
        layout.hasAlpha = layout.alpha.mask != 0;
    } else if (bits == 16) {
        layout.red = BmpChannel::fromMask(0x7c00);
        layout.green = BmpChannel::fromMask(0x03e0);
        layout.blue = BmpChannel::fromMask(0x001f);
    } else if (bits > 16) {
        layout.red = BmpChannel::fromMask(0xff0000);
        layout.green = BmpChannel::fromMask(0x00ff00);
        layout.blue = BmpChannel::fromMask(0x0000ff);
        constexpr quint32 topByte = 0xff000000;
        if (bits == 32 && headerBytes >= v4HeaderBytes && readU32LE(head, masks + 12) == topByte) {
            layout.alpha = BmpChannel::fromMask(topByte);
            layout.hasAlpha = true;
        }
    }
}

} // namespace

BmpChannel BmpChannel::fromMask(quint32 mask)
{
    BmpChannel channel;
    channel.mask = mask;
    if (mask != 0) {
        while (((mask >> channel.shift) & 1) == 0)
            ++channel.shift;
    }
    channel.scale = 256 / ((quint64(mask) >> channel.shift) + 1);
    return channel;
}

BmpHeaderVerdict readBmpLayout(QFile& file, BmpLayout& layout, QString& error)
{
    const QByteArray read = file.read(largestHeaderBytes);
    const Bytes head(reinterpret_cast<const std::uint8_t*>(read.constData()), std::size_t(read.size()));
    const auto got = qint64(head.size());
    if (got < fileHeaderBytes + 4) {
        error = BmpMessages::CutShort();
        return BmpHeaderVerdict::Damaged;
    }
    const quint32 pixelOffset = readU32LE(head, 10);
    const quint32 headerBytes = readU32LE(head, 14);
    const auto leftToQt = [&] { return leftToQtIfWhole(head, headerBytes, file.size(), error); };
    if (headerBytes != infoHeaderBytes && headerBytes != os2HeaderBytes && headerBytes != v4HeaderBytes &&
        headerBytes != v5HeaderBytes)
        return leftToQt();
    if (got < fileHeaderBytes + qint64(headerBytes)) {
        error = BmpMessages::CutShort();
        return BmpHeaderVerdict::Damaged;
    }
    const auto width = qint32(readU32LE(head, 18));
    const auto height = qint32(readU32LE(head, 22));
    const quint16 planes = readU16LE(head, 26);
    const quint16 bits = readU16LE(head, 28);
    const quint32 compression = readU32LE(head, 30);
    const quint32 coloursUsed = readU32LE(head, 46);
    const bool plain = compression == uncompressed &&
                       (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
    // OS/2 gives compression 3 another meaning.
    const bool fields =
        compression == bitFields && (bits == 16 || bits == 32) && headerBytes != os2HeaderBytes;
    const bool runs = (compression == runLength8 && bits == 8) || (compression == runLength4 && bits == 4);
    // Runs are stored bottom-up only. Qt's reader would draw top-down runs upside down, leaving the pixels
    // no run reaches as whatever memory it got.
    if (runs && height < 0) {
        error = BmpMessages::RunLengthTopDown();
        return BmpHeaderVerdict::Damaged;
    }
    const bool v5Reserved = headerBytes == v5HeaderBytes && readU32LE(head, fileHeaderBytes + 120) != 0;
    if (planes != 1 || (!plain && !fields && !runs) || width <= 0 || height == 0 ||
        height == std::numeric_limits<qint32>::min() || v5Reserved)
        return leftToQt();

    // Only bit fields have their masks after the 40-byte header; the longer headers hold them.
    const bool masksFollowHeader = fields && headerBytes == infoHeaderBytes;
    qint64 headerEnd = fileHeaderBytes + qint64(headerBytes) + (masksFollowHeader ? maskBytes : 0);
    if (got < headerEnd) {
        error = BmpMessages::CutShort();
        return BmpHeaderVerdict::Damaged;
    }

    layout.width = width;
    layout.height = height < 0 ? -height : height;
    layout.topDown = height < 0;
    layout.bitsPerPixel = bits;
    layout.runLength = runs;
    layout.rowBytes = (qint64(width) * bits + 31) / 32 * 4;
    readChannels(head, headerBytes, fields, bits, layout);
    // Qt refuses masks with all 32 bits set.
    for (const BmpChannel& channel : {layout.red, layout.green, layout.blue, layout.alpha}) {
        if (channel.mask == 0xffffffffu)
            return leftToQt();
    }
    if (bits <= 8) {
        const quint32 colourCount = coloursUsed != 0 ? coloursUsed : 1u << bits;
        if (colourCount > largestColourTable) {
            error = BmpMessages::ColourTableTooLarge();
            return BmpHeaderVerdict::Damaged;
        }
        if (got < headerEnd + qint64(colourCount) * 4) {
            error = BmpMessages::CutShort();
            return BmpHeaderVerdict::Damaged;
        }
        for (quint32 i = 0; i < colourCount; ++i) {
            const std::size_t entry = std::size_t(headerEnd) + 4 * i;
            layout.colours.append(qRgb(head[entry + 2], head[entry + 1], head[entry]));
        }
        headerEnd += qint64(colourCount) * 4;
    }
    layout.headerBytes = read.first(headerEnd);
    // Qt reads the pixels straight after the headers when the offset points into them.
    layout.pixelStart = pixelOffset > headerEnd && pixelOffset <= quint32(std::numeric_limits<qint32>::max())
                            ? qint64(pixelOffset)
                            : headerEnd;
    const qint64 pixelBytes = file.size() - layout.pixelStart;
    // How far runs reach shows only as they are read.
    if (pixelBytes < 0 || (!layout.runLength && layout.height > pixelBytes / layout.rowBytes)) {
        error = BmpMessages::CutShort();
        return BmpHeaderVerdict::Damaged;
    }
    return BmpHeaderVerdict::Decodable;
}
