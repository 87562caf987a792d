#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QString>

class QFile;

// What a GIF file's blocks say up to its first image's data (GIF89a, sections 17 to 23), checked: the
// blocks are whole through the end of that image's data.
struct GifLayout
{
    int screenWidth = 0;
    int screenHeight = 0;
    // The first image's place on the logical screen, as its descriptor gives it (it may reach past it).
    QRect frame;
    bool interlaced = false;
    // The first image's colour table: its local table, or the global one; empty when it has neither.
    QList<QRgb> colours;
    // The colour index a graphic control extension before the image makes transparent, or -1.
    int transparentIndex = -1;
    int minimumCodeSize = 0;
    // The offset of the image's first data sub-block.
    qint64 dataStart = 0;
    // The bytes the layout was read from: everything before the image's data.
    QByteArray headerBytes;
};

// Reads the blocks from the start of `file`. False with a message when they are cut short or damaged, when
// the file holds no image, or the logical screen has no size.
bool readGifLayout(QFile& file, GifLayout& layout, QString& error);
