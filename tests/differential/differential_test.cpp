// The differential test: a few hundred pictures made from the formats' own rules (differentialpicture.h),
// each opened as a drop opens it and cropped at several places, every crop compared pixel for pixel with
// Qt's full decode of the same file.
#include "codecs/openpicture.h"
#include "tests/codecs/regionchecks.h"
#include "tests/differential/differentialpicture.h"
#include "tests/support/pictures/filebytes.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

const QColor background(23, 140, 201);

// Crops as a drop makes them, of the target's proportions around the centre, and others at the corners,
// edges and anywhere, of every size down to a pixel, and the whole picture.
QList<QRect> cropsOf(QSize size, Choices& choices)
{
    const int w = size.width();
    const int h = size.height();
    QList<QRect> crops = {QRect(0, 0, w, h), QRect(w - 1, h - 1, 1, 1)};
    const int portraitWidth = std::min(w, h * 3 / 4);
    if (portraitWidth > 0)
        crops.append(QRect((w - portraitWidth) / 2, (h - portraitWidth * 4 / 3) / 2, portraitWidth,
                           std::min(h, portraitWidth * 4 / 3)));
    for (int i = 0; i < 5; ++i) {
        const int width = choices.between(1, w);
        const int height = choices.between(1, h);
        crops.append(QRect(choices.between(0, w - width), choices.between(0, h - height), width, height));
    }
    crops.append(QRect(0, h - std::min(h, 9), std::min(w, 13), std::min(h, 9)));
    crops.append(QRect(w - std::min(w, 17), 0, std::min(w, 17), std::min(h, 5)));
    return crops;
}

// Qt's full decode of the file, whole; nothing when Qt cannot read it.
QImage qtsFullDecode(const QString& path, const DifferentialPicture& picture)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    QImage whole = reader.read();
    if (picture.blackBeyondPalette && whole.colorCount() > 0) {
        const int known = whole.colorCount();
        whole.setColorCount(whole.format() == QImage::Format_Mono ? 2 : 256);
        for (int i = known; i < whole.colorCount(); ++i)
            whole.setColor(i, qRgb(0, 0, 0));
    }
    return whole;
}

// The crop of the full decode drawn over the background; outside `defined` only the background shows.
QImage expectedCrop(const QImage& whole, const QRect& crop, const QRect& defined)
{
    QImage expected(crop.size(), QImage::Format_RGB888);
    expected.fill(background);
    QPainter painter(&expected);
    painter.setClipRect(defined.translated(-crop.topLeft()));
    painter.drawImage(QPoint(0, 0), whole, crop);
    return expected;
}

struct Family
{
    const char* name;
    const char* fileName;
    std::vector<DifferentialPicture> (*pictures)();
};

class Differential : public testing::TestWithParam<Family>
{
};

TEST_P(Differential, EveryCropMatchesQtsFullDecode)
{
    QTemporaryDir folder;
    Choices choices(0xc7);
    int cropsCompared = 0;
    for (const DifferentialPicture& picture : GetParam().pictures()) {
        SCOPED_TRACE(picture.name.toStdString());
        const QString path = folder.filePath(GetParam().fileName);
        ASSERT_TRUE(WriteFileBytes(path, picture.bytes));
        const QImage whole = qtsFullDecode(path, picture);
        ASSERT_FALSE(whole.isNull());
        QString error;
        const std::unique_ptr<PictureSource> source =
            OpenPicture(path, ProbeImage(QFileInfo(path).filesystemFilePath(), 0), error);
        ASSERT_TRUE(source) << error.toStdString();
        ASSERT_EQ(source->size(), whole.size());
        const QRect defined = picture.qtDefines.isEmpty() ? whole.rect() : picture.qtDefines;
        for (const QRect& crop : cropsOf(whole.size(), choices)) {
            const std::optional<QImage> decoded = source->decodeRegion(crop, background, error);
            ASSERT_TRUE(decoded) << error.toStdString();
            ASSERT_EQ(decoded->format(), QImage::Format_RGB888);
            ASSERT_EQ(decoded->size(), crop.size());
            EXPECT_EQ(differenceBetween(*decoded, expectedCrop(whole, crop, defined)), "")
                << "crop " << crop.x() << "," << crop.y() << " " << crop.width() << "x" << crop.height();
            ++cropsCompared;
        }
    }
    RecordProperty("cropsCompared", cropsCompared);
}

INSTANTIATE_TEST_SUITE_P(Formats, Differential,
                         testing::Values(Family{"jpegSequential", "picture.jpg", JpegSequentialPictures},
                                         Family{"jpegProgressive", "picture.jpg", JpegProgressivePictures},
                                         Family{"png", "picture.png", PngPictures},
                                         Family{"bmp", "picture.bmp", BmpPictures},
                                         Family{"gif", "picture.gif", GifPictures}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
