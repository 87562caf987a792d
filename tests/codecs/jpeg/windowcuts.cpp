#include "tests/codecs/jpeg/windowcuts.h"

#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/window/progressivewindow.h"
#include "tests/codecs/regionchecks.h"
#include "tests/support/pictures/bytelayout.h"
#include "tests/support/pictures/filebytes.h"

#include <gtest/gtest.h>

using namespace testpictures;

WindowCut cutBaselineWindow(const QByteArray& file, const QRect& region, const WindowCutSharing& sharing)
{
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::First);
    if (!structure)
        return {};
    return CutJpegWindow(ByteSpan(file), *structure, region.x(), region.y(), region.width(), region.height(),
                         sharing);
}

WindowCut cutProgressiveWindow(const QByteArray& file, const QRect& region)
{
    const std::optional<JpegStructure> structure = ReadJpegStructure(ByteSpan(file), ScansToRead::All);
    if (!structure)
        return {};
    return CutProgressiveJpegWindow(ByteSpan(file), *structure, region.x(), region.y(), region.width(),
                                    region.height());
}

QImage regionOfWindow(const JpegWindow& window, const QRect& region)
{
    const QImage decoded = QImage::fromData(window.file.data(), int(window.file.size()), "JPEG");
    return decoded.copy(region.translated(-window.place.left, -window.place.top))
        .convertToFormat(QImage::Format_RGB888);
}

void expectWindowsHoldTheFullDecodesPixels(const QString& path, QSize size, WindowCutter cut)
{
    const QColor background(23, 140, 201);
    const QByteArray file = ReadFileBytes(path);
    for (const QRect& region : probeRegions(size)) {
        const std::optional<JpegWindow> window = cut(file, region).window;
        ASSERT_TRUE(window) << region.x() << "," << region.y();
        EXPECT_TRUE(QRect(window->place.left, window->place.top, window->place.width, window->place.height)
                        .contains(region));
        EXPECT_EQ(differenceBetween(regionOfWindow(*window, region), referenceCrop(path, region, background)),
                  "")
            << "region " << region.x() << "," << region.y() << " " << region.width() << "x"
            << region.height();
    }
}
