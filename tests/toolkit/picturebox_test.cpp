#include "toolkit/picturebox.h"

#include <gtest/gtest.h>

namespace {

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

} // namespace

TEST(PictureBox, OuterSizeIsTheDrawingAreaPlusTheBorder)
{
    PictureBox box;
    box.SetOuterSize(484, 644);
    EXPECT_EQ(box.contentsRect().size(), QSize(480, 640));
}

TEST(PictureBox, PaintingGoesIntoThePersistentImageWhichOutlivesAutoRedraw)
{
    PictureBox box;
    box.SetOuterSize(14, 14);
    box.SetAutoRedraw(true);
    box.Cls();
    box.PaintPicture(filled({4, 4}, Qt::red), {2, 3});
    box.SetAutoRedraw(false);
    box.Cls();
    const QImage image = box.Image();
    ASSERT_EQ(image.size(), QSize(10, 10));
    EXPECT_EQ(image.pixelColor(2, 3), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(5, 6), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(1, 3), QColor(Qt::red));
}

TEST(PictureBox, ClsWithAutoRedrawOnEmptiesTheImageToTheBackground)
{
    PictureBox box;
    QPalette palette = box.palette();
    palette.setColor(box.backgroundRole(), QColor(1, 2, 3));
    box.setPalette(palette);
    box.SetOuterSize(8, 8);
    box.SetAutoRedraw(true);
    box.PaintPicture(filled({4, 4}, Qt::blue), {0, 0});
    box.Cls();
    EXPECT_EQ(box.Image(), filled({4, 4}, QColor(1, 2, 3)));
}
