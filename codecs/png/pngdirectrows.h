#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QtGlobal>

class QFile;

// How a non-interlaced 8-bit PNG's pixels become the bytes of the QImage format Qt's reader gives them.
enum class PngPixelCopy {
    Bytes,           // the stored bytes as they are: RGB888, Grayscale8, Indexed8
    RgbaAsBgra,      // RGBA into ARGB32's bytes B, G, R, A
    GreyAlphaAsBgra, // grey and alpha into ARGB32's bytes
};

// Decodes the rows of a non-interlaced 8-bit PNG down to `region`'s last row and copies the region's
// pixels into `pixels` (of the region's size). `file` stands at the start of the first IDAT chunk. Inflates
// with ISA-L and unfilters only the columns up to the region's right edge; holds two rows. False with a
// message when the data the region needs is damaged or missing.
bool decodePngRowsDirectly(QFile& file, quint32 pictureWidth, int channels, PngPixelCopy copy,
                           const QRect& region, QImage& pixels, QString& error);
