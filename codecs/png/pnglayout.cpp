#include "codecs/png/pnglayout.h"

PngLayout layoutLikeQt(const PngHeader& header)
{
    PngLayout layout;
    const bool alpha = (header.colourType & PNG_COLOR_MASK_ALPHA) != 0;
    if (header.colourType == PNG_COLOR_TYPE_GRAY) {
        if (header.bitDepth == 1) {
            layout.format = QImage::Format_Mono;
            layout.bitsPerPixel = 1;
            layout.invertMono = true;
        } else if (header.bitDepth == 16 && !header.transparency) {
            layout.format = QImage::Format_Grayscale16;
            layout.bitsPerPixel = 16;
            layout.swap16 = true;
        } else if (header.bitDepth == 16) {
            layout.format = QImage::Format_RGBA64;
            layout.bitsPerPixel = 64;
            layout.expand = layout.greyToRgb = layout.swap16 = true;
        } else if (header.bitDepth == 8 && !header.transparency) {
            layout.format = QImage::Format_Grayscale8;
            layout.bitsPerPixel = 8;
        } else {
            layout.format = QImage::Format_Indexed8;
            layout.bitsPerPixel = 8;
            layout.pack = header.bitDepth < 8;
        }
    } else if (header.colourType == PNG_COLOR_TYPE_PALETTE && header.paletteSize > 0) {
        layout.format = header.bitDepth == 1 ? QImage::Format_Mono : QImage::Format_Indexed8;
        layout.bitsPerPixel = header.bitDepth == 1 ? 1 : 8;
        layout.pack = header.bitDepth != 1;
        layout.zeroIndexesBeyondPalette = header.bitDepth != 1;
    } else if (header.bitDepth == 16) {
        // Qt leaves 16-bit RGB with a transparent colour unexpanded and reads its rows misaligned;
        // expanding the transparent colour to alpha gives the picture as drawn.
        const bool opaque = !alpha && !header.transparency;
        layout.format = opaque ? QImage::Format_RGBX64 : QImage::Format_RGBA64;
        layout.bitsPerPixel = 64;
        layout.fill16 = opaque;
        layout.expand = header.transparency;
        layout.greyToRgb = (header.colourType & PNG_COLOR_MASK_COLOR) == 0;
        layout.swap16 = true;
    } else if (header.colourType == PNG_COLOR_TYPE_RGB && !header.transparency) {
        // Qt widens these rows to 32 bits; their stored bytes are already the 24-bit pixels a crop needs,
        // and leaving them as they are spares a transform of every row above the crop.
        layout.format = QImage::Format_RGB888;
        layout.bitsPerPixel = 24;
    } else {
        const bool opaque = !alpha && !header.transparency;
        layout.format = opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32;
        layout.bitsPerPixel = 32;
        layout.expand = true;
        layout.greyToRgb = header.colourType == PNG_COLOR_TYPE_GRAY_ALPHA;
        layout.fill8 = opaque;
        layout.bgr = true;
    }
    return layout;
}

std::optional<PngPixelCopy> directCopy(const PngHeader& header, const PngLayout& layout)
{
    if (header.interlace != PNG_INTERLACE_NONE || header.bitDepth != 8)
        return std::nullopt;
    switch (header.colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_RGB:
        if (layout.expand)
            return std::nullopt;
        return PngPixelCopy::Bytes;
    case PNG_COLOR_TYPE_PALETTE:
        if (layout.format != QImage::Format_Indexed8)
            return std::nullopt;
        return PngPixelCopy::Bytes;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return PngPixelCopy::RgbaAsBgra;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return PngPixelCopy::GreyAlphaAsBgra;
    default:
        return std::nullopt;
    }
}

void setColoursLikeQt(QImage& pixels, const PngHeader& header)
{
    if (header.colourType == PNG_COLOR_TYPE_GRAY && header.bitDepth == 1) {
        pixels.setColorCount(2);
        pixels.setColor(1, qRgb(0, 0, 0));
        pixels.setColor(0, qRgb(255, 255, 255));
        if (header.transparency && header.transparentColour.gray == 0)
            pixels.setColor(1, qRgba(0, 0, 0, 0));
        else if (header.transparency && header.transparentColour.gray == 1)
            pixels.setColor(0, qRgba(255, 255, 255, 0));
    } else if (header.colourType == PNG_COLOR_TYPE_GRAY) {
        const int colourCount = header.bitDepth < 8 ? 1 << header.bitDepth : 256;
        pixels.setColorCount(colourCount);
        for (int i = 0; i < colourCount; ++i) {
            const int grey = i * 255 / (colourCount - 1);
            pixels.setColor(i, qRgb(grey, grey, grey));
        }
        if (header.transparency && header.transparentColour.gray < colourCount)
            pixels.setColor(header.transparentColour.gray, 0);
    } else {
        const int colourCount = pixels.format() == QImage::Format_Mono ? 2 : header.paletteSize;
        pixels.setColorCount(colourCount);
        for (int i = 0; i < header.paletteSize && i < colourCount; ++i) {
            const png_color& entry = header.palette[i];
            const int alpha = i < header.alphaCount ? header.paletteAlpha[i] : 255;
            pixels.setColor(i, qRgba(entry.red, entry.green, entry.blue, alpha));
        }
    }
}

void zeroIndexesBeyondPalette(QImage& pixels)
{
    const int colourCount = pixels.colorCount();
    for (int y = 0; y < pixels.height(); ++y) {
        uchar* line = pixels.scanLine(y);
        for (int x = 0; x < pixels.width(); ++x) {
            if (line[x] >= colourCount)
                line[x] = 0;
        }
    }
}
