#include "toolkit/picturebox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setAutoFillBackground(true);
}

QImage PictureBox::blankImage() const
{
    QImage blank(contentsRect().size(), QImage::Format_RGB888);
    blank.fill(palette().color(backgroundRole()));
    return blank;
}

void PictureBox::Cls()
{
    if (!autoRedraw_)
        return;
    image_ = blankImage();
    update();
}

void PictureBox::PaintPicture(const QImage& picture, QPoint dest)
{
    Q_ASSERT(autoRedraw_);
    if (image_.size() != contentsRect().size()) {
        QImage resized = blankImage();
        QPainter(&resized).drawImage(0, 0, image_);
        image_ = resized;
    }
    QPainter(&image_).drawImage(dest, picture);
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter(this).drawImage(contentsRect().topLeft(), image_);
}
