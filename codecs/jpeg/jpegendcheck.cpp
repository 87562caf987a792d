#include "codecs/jpeg/jpegendcheck.h"

#include "imagesize/headerbytes.h"

#include <QFile>
#include <array>

namespace {

constexpr uchar markerStart = 0xff;
constexpr uchar startOfScan = 0xda;
constexpr uchar endOfImage = 0xd9;
constexpr qint64 chunkBytes = 64 * 1024;

bool readBytes(QFile& file, uchar* bytes, qint64 count)
{
    return file.read(reinterpret_cast<char*>(bytes), count) == count;
}

// Moves to the first byte after the first scan's header.
bool skipToScanData(QFile& file)
{
    std::array<uchar, 4> marker{};
    if (!readBytes(file, marker.data(), 2))
        return false;
    while (readBytes(file, marker.data(), 2)) {
        // Fill bytes may stand before a marker.
        while (marker[0] == markerStart && marker[1] == markerStart && readBytes(file, &marker[1], 1)) {
        }
        if (marker[0] != markerStart || !readBytes(file, &marker[2], 2))
            return false;
        const qint64 segmentEnd = file.pos() + imagesize::readU16BE(marker, 2) - 2;
        if (segmentEnd > file.size() || !file.seek(segmentEnd))
            return false;
        if (marker[1] == startOfScan)
            return true;
    }
    return false;
}

// Entropy-coded data escapes every 0xff it holds, so an 0xff followed by the end-of-image code is the marker.
bool findEndOfImage(QFile& file)
{
    std::array<uchar, chunkBytes> chunk{};
    bool afterMarkerStart = false;
    for (qint64 got = file.read(reinterpret_cast<char*>(chunk.data()), chunkBytes); got > 0;
         got = file.read(reinterpret_cast<char*>(chunk.data()), chunkBytes)) {
        for (qint64 i = 0; i < got; ++i) {
            if (afterMarkerStart && chunk[std::size_t(i)] == endOfImage)
                return true;
            afterMarkerStart = chunk[std::size_t(i)] == markerStart;
        }
    }
    return false;
}

} // namespace

bool checkJpegEndsWhole(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (!skipToScanData(file) || !findEndOfImage(file)) {
        error = QStringLiteral("The JPEG file is cut short.");
        return false;
    }
    return true;
}
