#include "fuzz/seeds/encodedpictures.h"

#include "tests/support/pictures/giffiles.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"

using namespace testpictures;

namespace {

QByteArray Jpeg(const JpegVariant& variant, const std::vector<JpegScanStep>& script = {})
{
    return LibjpegWritten(PhotoLikePicture(45, 37), variant, script);
}

// Each component's DC alone, then its AC band, the luma's one bit short when `lumaShort`.
std::vector<JpegScanStep> ScanPerComponent(bool lumaShort)
{
    return {{{0}, 0, 0, 0, 0},  {{1}, 0, 0, 0, 0}, {{2}, 0, 0, 0, 0}, {{0}, 1, 63, 0, lumaShort ? 1 : 0},
            {{1}, 1, 63, 0, 0}, {{2}, 1, 63, 0, 0}};
}

QByteArray Gif(QRect frame, bool local, int transparentIndex, bool interlaced, int minimumCodeSize)
{
    GifPicture picture;
    picture.screenWidth = 40;
    picture.screenHeight = 30;
    picture.frame = frame;
    QList<QRgb> colours;
    for (int i = 0; i < 1 << minimumCodeSize; ++i)
        colours.append(qRgb(i * 13, 255 - i * 7, i * 29));
    (local ? picture.localColours : picture.globalColours) = colours;
    picture.transparentIndex = transparentIndex;
    picture.interlaced = interlaced;
    picture.minimumCodeSize = minimumCodeSize;
    const int count = 1 << minimumCodeSize;
    picture.indexAt = [count](int x, int y) { return (x / 3 + y * 5) % count; };
    return GifFile(picture);
}

} // namespace

Seeds EncodedPictures()
{
    JpegVariant cmyk{1, 1, false, false, 0, true};
    JpegVariant ycckProgressive{2, 2, false, true, 0, true, 0, false, true};
    JpegVariant arithmetic{2, 2, false, false, 0, false, 0, true};
    JpegVariant arithmeticProgressive{2, 1, false, true, 0, false, 0, true};
    JpegVariant restarts{2, 2, false, false, 2};
    JpegVariant luma4x4{4, 4, false, true};
    JpegVariant progressive{2, 2, false, true};
    JpegVariant optimized{2, 1};
    optimized.optimizeCoding = true;
    JpegVariant rgb{1, 1};
    rgb.rgb = true;
    return {
        {"jpeg-cmyk", Jpeg(cmyk)},
        {"jpeg-ycck-progressive", Jpeg(ycckProgressive)},
        {"jpeg-arithmetic", Jpeg(arithmetic)},
        {"jpeg-arithmetic-progressive", Jpeg(arithmeticProgressive)},
        {"jpeg-restarts", Jpeg(restarts)},
        {"jpeg-optimized-tables", Jpeg(optimized)},
        {"jpeg-rgb", Jpeg(rgb)},
        {"jpeg-scan-per-component", Jpeg({2, 2}, {{{0}, 0, 63, 0, 0}, {{1, 2}, 0, 63, 0, 0}})},
        {"jpeg-progressive-luma-short", Jpeg(progressive, ScanPerComponent(true))},
        {"jpeg-progressive-luma4x4", Jpeg(luma4x4, ScanPerComponent(false))},
        {"gif-offset-local-table", Gif({7, 5, 20, 17}, true, -1, false, 4)},
        {"gif-offset-transparent-interlaced", Gif({3, 2, 30, 25}, false, 2, true, 3)},
        {"gif-past-the-screen", Gif({25, 20, 30, 20}, true, -1, true, 2)},
        {"gif-whole-screen-codes-of-8-bits", Gif({0, 0, 40, 30}, false, -1, false, 8)},
    };
}
