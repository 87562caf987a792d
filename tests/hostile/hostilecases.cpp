#include "tests/hostile/hostilecases.h"

#include "tests/hostile/hostilepictures.h"

using namespace HostilePictures;

QList<HostileCase> HostileCases()
{
    const QImage picture = PositionPicture(IntactSize.width(), IntactSize.height());
    const RowChunkedPng png = PngWithARowPerChunk(picture);
    const QByteArray bmp = Bmp24(picture);
    const qsizetype bmpRow = Bmp24RowBytes(IntactSize.width());
    // Rows are stored bottom-up: the crop's top row is the last of its rows in the file.
    const qsizetype bmpAfterCrop = BmpPixelStart + (IntactSize.height() - CropTop) * bmpRow;
    const QByteArray jpeg = JpegWithRestartPerBlockRow(picture);
    const qsizetype jpegHeaderEnd = jpeg.indexOf("\xff\xda");
    const QByteArray cmyk = CmykJpeg(picture);
    const RowMarkedGif gif = GifWithRowEnds(IntactSize.width(), IntactSize.height());

    return {
        {"pngClaiming64250x64250", "huge.png", PngClaiming(64250, 64250), {}, Outcome::Refused},
        {"bmpClaiming935820x854554", "huge.bmp", BmpClaiming(935820, 854554), {}, Outcome::Refused},
        {"jpegFrameOf65535x65535", "huge.jpg", WithHugeJpegFrame(jpeg, 65535), {}, Outcome::Refused},
        {"interlacedPngClaiming64250x64250",
         "huge.png",
         PngClaiming(64250, 64250, true),
         {},
         Outcome::Refused},
        {"jpegFrameOf65500x65500", "huge.jpg", WithHugeJpegFrame(jpeg, 65500), {}, Outcome::Refused},
        {"progressiveJpegFrameOf65500x65500",
         "huge.jpg",
         WithHugeJpegFrame(ProgressiveJpeg(picture), 65500),
         {},
         Outcome::Refused},
        {"progressiveJpegFrameOf13000x13000",
         "large.jpg",
         WithHugeJpegFrame(ProgressiveJpeg(picture), 13000),
         {},
         Outcome::Refused},
        {"gifClaiming65535x65535", "huge.gif", GifClaiming(65535, 65535), {}, Outcome::Refused},
        {"gifClaiming16383x16383", "large.gif", GifClaiming(16383, 16383), {}, Outcome::Refused},
        {"pngCutInsideTheHeader", "cut.png", png.bytes.left(20), {}, Outcome::Refused},
        {"pngCutInsideThePixelData", "cut.png", png.bytes.left(png.rowEnds[400]), {}, Outcome::Refused},
        {"pngCutRightAfterTheCropsLastRow", "cut.png", png.bytes.left(png.rowEnds[CropLastRow]), png.bytes,
         Outcome::IntactOrRefused},
        {"bmpCutInsideTheHeader", "cut.bmp", bmp.left(30), {}, Outcome::Refused},
        {"bmpCutInsideThePixelData", "cut.bmp", bmp.left(BmpPixelStart + 400 * bmpRow), {}, Outcome::Refused},
        {"bmpCutRightAfterTheCropsLastRow", "cut.bmp", bmp.left(bmpAfterCrop), bmp, Outcome::IntactOrRefused},
        {"jpegCutInsideTheHeader", "cut.jpg", jpeg.left(jpegHeaderEnd / 2), {}, Outcome::Refused},
        {"jpegCutInsideThePixelData",
         "cut.jpg",
         jpeg.left(JpegRestartAfterBlockRow(jpeg, 40)),
         {},
         Outcome::Refused},
        {"jpegCutRightAfterTheCropsLastRow", "cut.jpg",
         jpeg.left(JpegRestartAfterBlockRow(jpeg, CropLastRow / 8)), jpeg, Outcome::IntactOrRefused},
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
        {"pngWithABadChecksum", "crc.png", WithBadIdatCrc(png.bytes), {}, Outcome::Refused},
    };
}
