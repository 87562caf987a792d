// The scalable icon, drawn by an independent SVG renderer, matches the PNG icons drawn at the same size.
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString IconPath(const QString& size, const char* extension)
{
    return QStringLiteral(KADRELLE_ICON_FOLDER "/%1/apps/kadrelle.%2").arg(size, QLatin1String(extension));
}

QImage RenderScalableIcon(int size)
{
    QProcess rsvg;
    rsvg.start(QStringLiteral(RSVG_CONVERT),
               {QStringLiteral("--width=%1").arg(size), QStringLiteral("--height=%1").arg(size),
                IconPath(QStringLiteral("scalable"), "svg")});
    if (!rsvg.waitForFinished(30000) || rsvg.exitCode() != 0)
        return QImage();
    return QImage::fromData(rsvg.readAllStandardOutput(), "PNG");
}

class ScalableIcon : public testing::TestWithParam<int>
{
};

TEST_P(ScalableIcon, LooksLikeTheDrawnIcon)
{
    const int size = GetParam();
    const QImage drawn = QImage(IconPath(QStringLiteral("%1x%1").arg(size), "png"))
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage rendered = RenderScalableIcon(size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_EQ(drawn.size(), QSize(size, size));
    ASSERT_EQ(rendered.size(), QSize(size, size));

    // Edges are smoothed a little differently by each renderer; the shapes, their places and colours agree.
    int differing = 0;
    qint64 totalDifference = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb a = drawn.pixel(x, y);
            const QRgb b = rendered.pixel(x, y);
            const int difference = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                             std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            totalDifference += difference;
            differing += difference > 64 ? 1 : 0;
        }
    EXPECT_LE(differing, size * size / 100) << "pixels that differ clearly";
    EXPECT_LE(totalDifference / (size * size), 1) << "mean difference per pixel";
}

INSTANTIATE_TEST_SUITE_P(HicolorSizes, ScalableIcon, testing::Values(22, 48, 256));

} // namespace
