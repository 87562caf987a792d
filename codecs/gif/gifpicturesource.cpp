#include "codecs/gif/gifpicturesource.h"

#include "codecs/gif/giflayout.h"
#include "codecs/gif/giflzw.h"
#include "codecs/gif/gifmessages.h"
#include "codecs/picture/filepicturesource.h"
#include "codecs/picture/fileread.h"
#include "codecs/picture/pictureregion.h"

#include <QFile>
#include <array>
#include <vector>

namespace {

constexpr QRgb transparent = 0;

// The colour of every index: the frame's table, opaque; transparent for the transparent index and for
// indexes the table does not reach.
std::array<QRgb, 256> coloursOf(const GifLayout& layout)
{
    std::array<QRgb, 256> colours{};
    for (int index = 0; index < qMin(int(layout.colours.size()), 256); ++index)
        colours[std::size_t(index)] = layout.colours[index] | 0xff000000u;
    if (layout.transparentIndex >= 0)
        colours[std::size_t(layout.transparentIndex)] = transparent;
    return colours;
}

// The order an interlaced image stores its rows in (GIF89a, appendix E): every eighth row from 0, every
// eighth from 4, every fourth from 2, every second from 1.
std::vector<int> storedRowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    rows.reserve(std::size_t(height));
    if (!interlaced) {
        for (int row = 0; row < height; ++row)
            rows.push_back(row);
        return rows;
    }
    constexpr std::array<std::array<int, 2>, 4> passes{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
    for (const auto& [first, step] : passes) {
        for (int row = first; row < height; row += step)
            rows.push_back(row);
    }
    return rows;
}

class GifPictureSource final : public FilePictureSource
{
  public:
    GifPictureSource(const QString& path, GifLayout layout, FileStamp stamp)
        : FilePictureSource(path, QSize(layout.screenWidth, layout.screenHeight), std::move(stamp)),
          layout_(std::move(layout)), colours_(coloursOf(layout_))
    {
    }

    // The first image drawn on a transparent logical screen: the pixels outside it, and those of its
    // transparent index or of an index its colour table does not reach, are drawn over `background`.
    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background, QString& error) override
    {
        QFile file;
        if (!openForRegion(file, region, error))
            return std::nullopt;
        std::optional<QImage> allocated = newRegionImage(region.size(), QImage::Format_ARGB32, error);
        if (!allocated)
            return std::nullopt;
        QImage& pixels = *allocated;
        pixels.fill(transparent);
        if (!drawFrame(file, region, pixels, error))
            return std::nullopt;
        return flattenOnto(pixels, pixels.rect(), background, error);
    }

  private:
    // Decodes the frame's rows in the order they are stored, up to the last one the region needs.
    bool drawFrame(QFile& file, const QRect& region, QImage& pixels, QString& error) const
    {
        const QRect& frame = layout_.frame;
        const QRect drawn = frame.intersected(region);
        if (drawn.isEmpty())
            return true;
        int rowsToDraw = drawn.height();
        GifSubBlockBytes data(file, layout_.dataStart);
        GifLzwDecoder decoder(data, layout_.minimumCodeSize);
        std::vector<uchar> indexes(std::size_t(frame.width()));
        for (const int frameRow : storedRowOrder(frame.height(), layout_.interlaced)) {
            if (decoder.take(indexes.data(), frame.width()) != frame.width()) {
                error =
                    decoder.damaged() ? GifMessages::ImageDataDamaged() : GifMessages::ImageDataEndsEarly();
                return false;
            }
            const int y = frame.top() + frameRow;
            if (y < drawn.top() || y > drawn.bottom())
                continue;
            auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y - region.top()));
            for (int x = drawn.left(); x <= drawn.right(); ++x)
                line[x - region.left()] = colours_[indexes[std::size_t(x - frame.left())]];
            if (--rowsToDraw == 0)
                return true;
        }
        return true;
    }

    GifLayout layout_;
    std::array<QRgb, 256> colours_;
};

} // namespace

std::unique_ptr<PictureSource> openGifPicture(const QString& path, QString& error)
{
    QFile file;
    if (!openForReading(file, path, error))
        return nullptr;
    GifLayout layout;
    if (!readGifLayout(file, layout, error))
        return nullptr;
    FileStamp stamp(file.size(), {{0, layout.headerBytes}});
    return std::make_unique<GifPictureSource>(path, std::move(layout), std::move(stamp));
}
