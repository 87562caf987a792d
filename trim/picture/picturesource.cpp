#include "trim/picture/picturesource.h"

#include <QImageReader>
#include <QPainter>

namespace {

// Decodes through Qt's readers: the whole picture, then the region.
class QtPictureSource final : public PictureSource
{
public:
    QtPictureSource(const QString& path, QSize size) : path_(path), size_(size) {}

    QSize size() const override { return size_; }

    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background, QString& error) override
    {
        QImageReader reader(path_);
        reader.setAutoTransform(false);
        QImage picture = reader.read();
        if (picture.isNull()) {
            error = reader.errorString();
            return std::nullopt;
        }
        QImage crop(region.size(), QImage::Format_RGB888);
        crop.fill(background);
        QPainter painter(&crop);
        painter.drawImage(QPoint(0, 0), picture, region);
        return crop;
    }

private:
    QString path_;
    QSize size_;
};

} // namespace

std::unique_ptr<PictureSource> PictureSource::open(const QString& path, QString& error)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid()) {
        error = reader.errorString();
        return nullptr;
    }
    return std::make_unique<QtPictureSource>(path, size);
}
