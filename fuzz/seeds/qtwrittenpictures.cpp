#include "fuzz/seeds/qtwrittenpictures.h"

#include "tests/support/pictures/patterns.h"
#include "tests/support/pictures/qtwritten.h"

using namespace testpictures;

Seeds QtWrittenPictures()
{
    const QImage pattern = TranslucentCornerPicture(40, 30);
    const QImage opaque = pattern.convertToFormat(QImage::Format_RGB32);
    const QImage large = TranslucentCornerPicture(80, 60).convertToFormat(QImage::Format_RGB32);
    return {
        {"qt-png-rgb", QtWritten(opaque, "png")},
        {"qt-png-argb", QtWritten(pattern, "png")},
        {"qt-png-gray8", QtWritten(opaque.convertToFormat(QImage::Format_Grayscale8), "png")},
        {"qt-png-gray16", QtWritten(opaque.convertToFormat(QImage::Format_Grayscale16), "png")},
        {"qt-png-indexed", QtWritten(pattern.convertToFormat(QImage::Format_Indexed8), "png")},
        {"qt-png-mono", QtWritten(opaque.convertToFormat(QImage::Format_Mono), "png")},
        {"qt-png-rgba64", QtWritten(pattern.convertToFormat(QImage::Format_RGBA64), "png")},
        {"qt-png-one-pixel", QtWritten(TranslucentCornerPicture(1, 1), "png")},
        {"qt-jpeg-baseline", QtWritten(opaque, "jpeg", 75)},
        {"qt-jpeg-baseline-fine", QtWritten(large, "jpeg", 95)},
        {"qt-jpeg-progressive", QtWritten(large, "jpeg", 60, true)},
        {"qt-jpeg-gray", QtWritten(opaque.convertToFormat(QImage::Format_Grayscale8), "jpeg", 80)},
        {"qt-jpeg-one-pixel",
         QtWritten(TranslucentCornerPicture(1, 1).convertToFormat(QImage::Format_RGB32), "jpeg")},
        {"qt-bmp-24bit", QtWritten(opaque, "bmp")},
        {"qt-bmp-32bit", QtWritten(pattern, "bmp")},
        {"qt-bmp-indexed", QtWritten(pattern.convertToFormat(QImage::Format_Indexed8), "bmp")},
        {"qt-bmp-mono", QtWritten(opaque.convertToFormat(QImage::Format_Mono), "bmp")},
    };
}
