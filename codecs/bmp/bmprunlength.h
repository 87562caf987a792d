#pragma once

#include <QFile>
#include <QImage>
#include <QRect>
#include <QString>

// Expands the runs of a run-length encoded bitmap (8 or 4 bits a pixel, rows bottom-up, starting at
// `pixelStart` in `file`) into `indexes`, an Indexed8 image of `region`'s size filled with index 0: pixels
// that no run reaches (after an early end of row or of the picture, or skipped by a jump) keep index 0.
// Reading stops once the region is complete. False with a message when the runs end before that.
bool expandRunLength(QFile& file, qint64 pixelStart, int pictureHeight, int bitsPerPixel, const QRect& region,
                     QImage& indexes, QString& error);
