// PNG pictures written by libpng: every colour type at every bit depth the format allows for it, with and
// without a transparency chunk, Adam7 interlaced or not, one filter type for all rows or libpng's choice,
// short or long palettes, and the pixel data split into chunks of several sizes.
#include "tests/differential/differentialpicture.h"
#include "tests/support/pictures/libpngwritten.h"

#include <png.h>

using namespace testpictures;

namespace {

struct ColourType
{
    const char* name;
    int type;
    std::vector<int> depths;
    bool transparencyAllowed;
};

// The bit depths each PNG colour type allows (ISO/IEC 15948, table 11.1).
const std::vector<ColourType> colourTypes = {
    {"grey", PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}, true},
    {"rgb", PNG_COLOR_TYPE_RGB, {8, 16}, true},
    {"palette", PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}, true},
    {"greyAlpha", PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}, false},
    {"rgba", PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}, false},
};

const std::vector<int> filterChoices = {
    0, PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH, PNG_ALL_FILTERS};

} // namespace

std::vector<DifferentialPicture> PngPictures()
{
    Choices choices(0x9e6);
    std::vector<DifferentialPicture> pictures;
    for (const ColourType& colourType : colourTypes) {
        for (const int depth : colourType.depths) {
            for (int repeat = 0; repeat < 8; ++repeat) {
                PngVariant variant;
                variant.colourType = colourType.type;
                variant.bitDepth = depth;
                variant.interlaced = choices.chance(50);
                // Qt's reader reads 16-bit RGB with a transparent colour misaligned: no reference there.
                variant.transparency = colourType.transparencyAllowed &&
                                       !(colourType.type == PNG_COLOR_TYPE_RGB && depth == 16) &&
                                       choices.chance(50);
                variant.smallChunks = choices.chance(40);
                variant.filters = choices.oneOf(filterChoices);
                const bool palette = colourType.type == PNG_COLOR_TYPE_PALETTE;
                if (palette)
                    variant.paletteSize = choices.between(1, 1 << depth);
                const QSize size = choices.chance(25)
                                       ? QSize(choices.between(1, 20), choices.between(1, 20))
                                       : QSize(choices.between(20, 220), choices.between(20, 160));
                const QString name =
                    QStringLiteral("%1%2%3%4%5_filters%6%7_%8x%9")
                        .arg(colourType.name)
                        .arg(depth)
                        .arg(variant.interlaced ? "_interlaced" : "")
                        .arg(variant.transparency ? "_transparency" : "")
                        .arg(variant.smallChunks ? "_smallChunks" : "")
                        .arg(variant.filters)
                        .arg(palette ? QStringLiteral("_palette%1").arg(variant.paletteSize) : QString())
                        .arg(size.width())
                        .arg(size.height());
                pictures.push_back({name, LibpngWritten(size.width(), size.height(), variant)});
            }
        }
    }
    return pictures;
}
