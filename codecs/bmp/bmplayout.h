#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>

class QFile;

// One colour channel packed in a pixel value, scaled up to eight bits the way Qt's reader scales it.
struct BmpChannel
{
    quint32 mask = 0;
    int shift = 0;
    quint32 scale = 0;

    static BmpChannel fromMask(quint32 mask);

    int value(quint32 pixel) const { return int(((pixel & mask) >> shift) * scale); }
};

// What a bitmap's headers say, checked: the file holds the whole pixel array.
struct BmpLayout
{
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    qint64 pixelStart = 0;
    qint64 rowBytes = 0;
    QList<QRgb> colours;
    BmpChannel red, green, blue, alpha;
    bool hasAlpha = false;
    bool runLength = false;
    // The bytes the layout was read from: the headers, the masks and the colour table.
    QByteArray headerBytes;
};

enum class BmpHeaderVerdict { Decodable, LeftToQt, Damaged };

// Reads the headers from the start of `file` as Qt's reader reads them. Bitmaps outside the kinds our decoder
// reads are left to Qt; Damaged, with a message in `error`, when the headers or the pixel array are cut
// short or the colour table is too large.
BmpHeaderVerdict readBmpLayout(QFile& file, BmpLayout& layout, QString& error);
