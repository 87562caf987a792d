#pragma once

#include "codecs/png/pngdirectrows.h"

#include <QImage>
#include <optional>
#include <png.h>

// What the header chunks say, copied out of libpng.
struct PngHeader
{
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    // Samples a stored pixel has.
    int channels = 0;
    int bitDepth = 0;
    int colourType = 0;
    int interlace = 0;
    int paletteSize = 0;
    png_color palette[PNG_MAX_PALETTE_LENGTH]{};
    bool transparency = false;
    int alphaCount = 0;
    png_byte paletteAlpha[PNG_MAX_PALETTE_LENGTH]{};
    png_color_16 transparentColour{};
};

// The QImage format Qt's reader decodes a PNG into, with the libpng transforms that produce its rows.
struct PngLayout
{
    QImage::Format format = QImage::Format_Invalid;
    int bitsPerPixel = 0;
    bool invertMono = false;
    bool pack = false;
    bool expand = false;
    bool greyToRgb = false;
    bool fill8 = false;
    bool fill16 = false;
    bool bgr = false;
    bool swap16 = false;
    // Qt turns palette indexes beyond the palette into index 0.
    bool zeroIndexesBeyondPalette = false;
};

PngLayout layoutLikeQt(const PngHeader& header);

// How rows of this layout are copied without libpng, when their pixels need at most a swap of bytes.
std::optional<PngPixelCopy> directCopy(const PngHeader& header, const PngLayout& layout);

// The colour table Qt's reader gives a Mono or Indexed8 picture, set by the same calls.
void setColoursLikeQt(QImage& pixels, const PngHeader& header);

// Sets the pixels whose index lies beyond the colour table to index 0, as Qt's reader does.
void zeroIndexesBeyondPalette(QImage& pixels);
