#pragma once

#include <QFrame>
#include <QImage>

// A picture box with a 2-pixel sunken border, measured in pixels. Painting goes into a persistent image
// while AutoRedraw is on, and that image stays on show after AutoRedraw is switched off again. Cls with
// AutoRedraw on empties the image; with AutoRedraw off it leaves it, since nothing is drawn outside it.
class PictureBox : public QFrame
{
    Q_OBJECT

  public:
    static constexpr int BorderWidth = 2;

    explicit PictureBox(QWidget* parent = nullptr);

    void SetAutoRedraw(bool on) { autoRedraw_ = on; }
    bool AutoRedraw() const { return autoRedraw_; }
    void Cls();
    // Copies the picture 1:1 into the persistent image with its top-left corner at dest; AutoRedraw is on.
    void PaintPicture(const QImage& picture, QPoint dest);
    // The persistent image.
    QImage Image() const { return image_; }
    // The outer size, border included: the drawing area is 2 × BorderWidth smaller each way.
    void SetOuterSize(int width, int height) { resize(width, height); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage blankImage() const;

    bool autoRedraw_ = false;
    QImage image_;
};
