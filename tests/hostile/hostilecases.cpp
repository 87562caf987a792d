#include "tests/hostile/hostilecases.h"

#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/giffiles.h"
#include "tests/support/pictures/jpegfiles.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"
#include "tests/support/pictures/pngfiles.h"

using namespace testpictures;

namespace {

// Stripes of 10 columns whose indexes run 0 (red), 1 (blue), 200 (beyond the colour table).
int StripeBeyondThePalette(int x)
{
    return (x / 10) % 3 == 2 ? 200 : (x / 10) % 3;
}

// A bitmap of `bits` a pixel with the red and blue colour table.
QByteArray RedAndBlueBmp(int width, int height, int bits, quint32 compression, const QByteArray& pixelData,
                         quint32 infoHeaderBytes = 40)
{
    return BmpFile({.width = quint32(width),
                    .height = quint32(height),
                    .bitsPerPixel = quint16(bits),
                    .compression = compression,
                    .infoHeaderBytes = infoHeaderBytes,
                    .colourTable = {qRgb(255, 0, 0), qRgb(0, 0, 255)},
                    .coloursUsed = 2},
                   pixelData);
}

// An 8-bit bitmap whose pixels take those stripes. An information header of 64 bytes (the OS/2 2.x kind)
// leaves the bitmap to Qt's reader.
QByteArray BmpWithIndexesBeyondItsPalette(int width, int height, quint32 infoHeaderBytes = 40)
{
    const int rowBytes = BmpRowBytes(width, 8);
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x)
            row[x] = char(StripeBeyondThePalette(x));
        pixels += row;
    }
    return RedAndBlueBmp(width, height, 8, BmpRgb, pixels, infoHeaderBytes);
}

// The same stripes run-length encoded, which leaves the bitmap to Qt's reader.
QByteArray BmpRle8WithIndexesBeyondItsPalette(int width, int height)
{
    return RedAndBlueBmp(width, height, 8, BmpRle8,
                         BmpRuns(8, width, height, 10, [](int x, int) { return StripeBeyondThePalette(x); }));
}

// A run-length encoded bitmap of 8 or 4 bits with the colours red and blue in stripes of 10 columns, whose
// runs stop after the bottom `rowsWithRuns` rows: with an end-of-picture code, or where the file is cut.
QByteArray BmpRunLengthEndingAfter(int bits, int width, int height, int rowsWithRuns, bool endCode)
{
    return RedAndBlueBmp(
        width, height, bits, bits == 8 ? BmpRle8 : BmpRle4,
        BmpRuns(
            bits, width, rowsWithRuns, 10, [](int x, int) { return (x / 10) % 2; }, endCode));
}

} // namespace

QList<HostileCase> HostileCases()
{
    const QImage picture = CoordinatePicture(IntactSize.width(), IntactSize.height());
    const RowMarkedBytes png = PngWithARowPerChunk(picture);
    const QByteArray bmp = Bmp24(picture);
    const qsizetype bmpRow = BmpRowBytes(IntactSize.width(), 24);
    // Rows are stored bottom-up: the crop's top row is the last of its rows in the file.
    const qsizetype bmpAfterCrop = Bmp24PixelStart + (IntactSize.height() - CropTop) * bmpRow;
    // A baseline JPEG with 4:4:4 sampling and a restart marker after every row of 8-pixel blocks.
    const QByteArray jpeg = LibjpegWritten(picture, {1, 1, false, false, (IntactSize.width() + 7) / 8});
    const qsizetype jpegHeaderEnd = jpeg.indexOf("\xff\xda");
    // A CMYK JPEG, which the JPEG reader leaves to Qt's.
    const QByteArray cmyk = LibjpegWritten(picture, {1, 1, false, false, 0, true});
    const QByteArray progressive = LibjpegWritten(picture, {1, 1, false, true});
    const RowMarkedBytes gif = GifWithRowEnds(IntactSize.width(), IntactSize.height());

    return {
        {"pngClaiming64250x64250", "huge.png", PngClaiming(64250, 64250), {}, Outcome::Refused},
        {"bmpClaiming935820x854554", "huge.bmp", BmpClaiming(935820, 854554), {}, Outcome::Refused},
        {"jpegFrameOf65535x65535", "huge.jpg", WithJpegFrameSize(jpeg, 65535, 65535), {}, Outcome::Refused},
        {"interlacedPngClaiming64250x64250",
         "huge.png",
         PngClaiming(64250, 64250, true),
         {},
         Outcome::Refused},
        {"jpegFrameOf65500x65500", "huge.jpg", WithJpegFrameSize(jpeg, 65500, 65500), {}, Outcome::Refused},
        {"progressiveJpegFrameOf65500x65500",
         "huge.jpg",
         WithJpegFrameSize(progressive, 65500, 65500),
         {},
         Outcome::Refused},
        {"progressiveJpegFrameOf13000x13000",
         "large.jpg",
         WithJpegFrameSize(progressive, 13000, 13000),
         {},
         Outcome::Refused},
        {"gifClaiming65535x65535", "huge.gif", GifClaiming(65535, 65535), {}, Outcome::Refused},
        {"gifClaiming16383x16383", "large.gif", GifClaiming(16383, 16383), {}, Outcome::Refused},
        {"pngCutInsideTheHeader", "cut.png", png.bytes.left(20), {}, Outcome::Refused},
        {"pngCutInsideThePixelData", "cut.png", png.bytes.left(png.rowEnds[400]), {}, Outcome::Refused},
        {"pngCutRightAfterTheCropsLastRow", "cut.png", png.bytes.left(png.rowEnds[CropLastRow]), png.bytes,
         Outcome::IntactOrRefused},
        {"bmpCutInsideTheHeader", "cut.bmp", bmp.left(30), {}, Outcome::Refused},
        {"bmpCutInsideThePixelData",
         "cut.bmp",
         bmp.left(Bmp24PixelStart + 400 * bmpRow),
         {},
         Outcome::Refused},
        {"bmpCutRightAfterTheCropsLastRow", "cut.bmp", bmp.left(bmpAfterCrop), bmp, Outcome::IntactOrRefused},
        {"jpegCutInsideTheHeader", "cut.jpg", jpeg.left(jpegHeaderEnd / 2), {}, Outcome::Refused},
        {"jpegCutInsideThePixelData",
         "cut.jpg",
         jpeg.left(OffsetAfterRestartMarker(jpeg, 40)),
         {},
         Outcome::Refused},
        {"jpegCutRightAfterTheCropsLastRow", "cut.jpg",
         jpeg.left(OffsetAfterRestartMarker(jpeg, CropLastRow / 8)), jpeg, Outcome::IntactOrRefused},
        {"cmykJpegCutInsideThePixelData", "cmyk.jpg", cmyk.left(cmyk.size() / 2), {}, Outcome::Refused},
        {"gifCutInsideTheHeader", "cut.gif", gif.bytes.left(11), {}, Outcome::Refused},
        {"gifCutInsideThePixelData", "cut.gif", gif.bytes.left(gif.rowEnds[400]), {}, Outcome::Refused},
        {"gifCutRightAfterTheCropsLastRow", "cut.gif", gif.bytes.left(gif.rowEnds[CropLastRow]), gif.bytes,
         Outcome::IntactOrRefused},
        {"gifWithoutAnImage", "empty.gif", GifWithoutImage(600, 800), {}, Outcome::Refused},
        {"bmpWithIndexesBeyondItsPalette",
         "palette.bmp",
         BmpWithIndexesBeyondItsPalette(IntactSize.width(), IntactSize.height()),
         {},
         Outcome::SavedBlackBeyond},
        {"os2BmpWithIndexesBeyondItsPalette",
         "palette.bmp",
         BmpWithIndexesBeyondItsPalette(IntactSize.width(), IntactSize.height(), 64),
         {},
         Outcome::SavedBlackBeyond},
        {"runLengthBmpWithIndexesBeyondItsPalette",
         "palette.bmp",
         BmpRle8WithIndexesBeyondItsPalette(IntactSize.width(), IntactSize.height()),
         {},
         Outcome::SavedBlackBeyond},
        {"runLength4BmpEndingBeforeTheCropsTop",
         "runs.bmp",
         BmpRunLengthEndingAfter(4, IntactSize.width(), IntactSize.height(), 400, true),
         {},
         Outcome::SavedIndexZeroBeyondTheRuns},
        {"runLength8BmpEndingBeforeTheCropsTop",
         "runs.bmp",
         BmpRunLengthEndingAfter(8, IntactSize.width(), IntactSize.height(), 400, true),
         {},
         Outcome::SavedIndexZeroBeyondTheRuns},
        {"runLengthBmpCutInsideThePixelData",
         "runs.bmp",
         BmpRunLengthEndingAfter(8, IntactSize.width(), IntactSize.height(), 400, false),
         {},
         Outcome::Refused},
        {"pngWithABadChecksum", "crc.png", WithBadChunkCrc(png.bytes, "IDAT"), {}, Outcome::Refused},
    };
}
