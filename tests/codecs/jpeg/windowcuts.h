#pragma once

#include "codecs/jpeg/window/baselinewindow.h"
#include "codecs/jpeg/window/jpegwindow.h"
#include "tests/support/pictures/libjpegwritten.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

// Windows cut out of files the tests wrote, as a drop cuts them: the structure read as far as the cut
// needs, then the cut; no window when the structure cannot be read.

WindowCut cutBaselineWindow(const QByteArray& file, const QRect& region,
                            const WindowCutSharing& sharing = {});
WindowCut cutProgressiveWindow(const QByteArray& file, const QRect& region);

// The window's part that covers `region` (in the picture's pixels), decoded by Qt.
QImage regionOfWindow(const JpegWindow& window, const QRect& region);

// A picture of `size` that libjpeg writes as `variant`.
struct WindowCase
{
    const char* name;
    QSize size;
    testpictures::JpegVariant variant;
};

using WindowCutter = WindowCut (*)(const QByteArray& file, const QRect& region);

// Cuts a window around each of probeRegions(size) out of the picture at `path`: each window holds its
// region, and Qt's decode of it the region's pixels of Qt's full decode.
void expectWindowsHoldTheFullDecodesPixels(const QString& path, QSize size, WindowCutter cut);
