#include "readercase.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/giffiles.h"

#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QSize>

using namespace testpictures;

namespace {

// A picture Qt writes, and what the probe must find beside its size.
struct WrittenCase
{
    std::string name;
    QByteArray fileFormat;
    QImage::Format pixelFormat;
    bool progressive;
    std::int32_t kind;
    std::int32_t bitsPerPixel;
    int pngColourType = -1;
};

const std::vector<QSize> Sizes{{1, 1}, {37, 23}, {640, 480}, {3000, 7}};

QImage filledImage(QSize size, QImage::Format format)
{
    QImage image(size, format);
    if (format == QImage::Format_Mono) {
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        image.fill(1);
    } else if (format == QImage::Format_Indexed8) {
        QList<QRgb> colours;
        for (int i = 0; i < 256; ++i)
            colours << qRgb(i, 255 - i, i / 2);
        image.setColorTable(colours);
        image.fill(200);
    } else {
        image.fill(QColor(200, 120, 40, 128));
    }
    return image;
}

class QtWritten : public testing::TestWithParam<std::tuple<WrittenCase, QSize>>
{
};

// Confirms the writer made the kind of file the case is about: the PNG colour type, or the JPEG frame code.
void expectIntendedKind(const WrittenCase& sample, const QByteArray& bytes)
{
    if (sample.pngColourType >= 0) {
        EXPECT_EQ(static_cast<unsigned char>(bytes.at(25)), sample.pngColourType);
    }
    if (sample.kind == 3) {
        EXPECT_TRUE(
            bytes.contains(sample.progressive ? QByteArray("\xFF\xC2", 2) : QByteArray("\xFF\xC0", 2)));
    }
}

TEST_P(QtWritten, ProbeFindsTheWrittenSize)
{
    const auto& [sample, size] = GetParam();
    ScratchFolder folder;
    const std::filesystem::path path = folder.path() / ("picture." + sample.fileFormat.toStdString());
    QImageWriter writer(QString::fromStdString(path.string()), sample.fileFormat);
    writer.setProgressiveScanWrite(sample.progressive);
    ASSERT_TRUE(writer.write(filledImage(size, sample.pixelFormat))) << writer.errorString().toStdString();
    expectIntendedKind(sample, ReadFileBytes(QString::fromStdString(path.string())));

    const ImageSizeInfo expected{sample.kind, size.width(), size.height(), sample.bitsPerPixel};
    EXPECT_EQ(GetImageSize(path, 0), expected);
    EXPECT_EQ(GetImageSize(path, 5), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, QtWritten,
    testing::Combine(
        testing::Values(WrittenCase{"PngGreyscale8", "png", QImage::Format_Grayscale8, false, 4, 8, 0},
                        WrittenCase{"PngGreyscale16", "png", QImage::Format_Grayscale16, false, 4, 16, 0},
                        WrittenCase{"PngRgb888", "png", QImage::Format_RGB888, false, 4, 24, 2},
                        WrittenCase{"PngRgb32", "png", QImage::Format_RGB32, false, 4, 24, 2},
                        WrittenCase{"PngIndexed8", "png", QImage::Format_Indexed8, false, 4, 8, 3},
                        WrittenCase{"PngMono", "png", QImage::Format_Mono, false, 4, 1, 3},
                        WrittenCase{"PngArgb32", "png", QImage::Format_ARGB32, false, 4, 0, 6},
                        WrittenCase{"PngRgba64", "png", QImage::Format_RGBA64, false, 4, 0, 6},
                        WrittenCase{"JpegBaseline", "jpg", QImage::Format_RGB32, false, 3, 24},
                        WrittenCase{"JpegProgressive", "jpg", QImage::Format_RGB32, true, 3, 24},
                        WrittenCase{"JpegGreyscale", "jpg", QImage::Format_Grayscale8, false, 3, 24},
                        WrittenCase{"BmpRgb32", "bmp", QImage::Format_RGB32, false, 1, 24},
                        WrittenCase{"BmpIndexed8", "bmp", QImage::Format_Indexed8, false, 1, 8},
                        WrittenCase{"BmpMono", "bmp", QImage::Format_Mono, false, 1, 1}),
        testing::ValuesIn(Sizes)),
    [](const auto& info) {
        const QSize size = std::get<1>(info.param);
        return std::get<0>(info.param).name + "_" + std::to_string(size.width()) + "x" +
               std::to_string(size.height());
    });

// Qt writes no GIF, so this one is built by hand: a two-colour table and LZW data of 3-bit codes in which a
// clear code before every two pixels keeps the code width from growing.
QByteArray minimalGif(QSize size)
{
    const auto width = static_cast<std::uint16_t>(size.width());
    const auto height = static_cast<std::uint16_t>(size.height());
    return GifScreen("89a", width, height, 0x80) + GifColourTable({qRgb(0, 0, 0), qRgb(255, 255, 255)}) +
           GifImageDescriptor(0, 0, width, height) +
           GifLiteralCodes(2, width, height, [](int, int) { return 1; }).bytes + GifTrailer;
}

class HandWrittenGif : public testing::TestWithParam<QSize>
{
};

TEST_P(HandWrittenGif, ProbeFindsTheSizeQtReads)
{
    ScratchFolder folder;
    const std::filesystem::path path = folder.write("picture.gif", minimalGif(GetParam()));
    const QImage image(QString::fromStdString(path.string()));
    ASSERT_EQ(image.size(), GetParam()) << "Qt does not read the hand-written GIF";
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), qRgb(255, 255, 255));
    const ImageSizeInfo expected{2, GetParam().width(), GetParam().height(), 1};
    EXPECT_EQ(GetImageSize(path, 0), expected);
    EXPECT_EQ(GetImageSize(path, 5), expected);
}

INSTANTIATE_TEST_SUITE_P(Pictures, HandWrittenGif, testing::ValuesIn(Sizes), [](const auto& info) {
    return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
});

} // namespace
