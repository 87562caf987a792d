#include "codecs/jpeg/jpegpicturesource.h"

#include "codecs/jpeg/jpegmessages.h"
#include "codecs/jpeg/libjpegdecoder.h"
#include "codecs/jpeg/libjpegheader.h"
#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/stream/markers.h"
#include "codecs/jpeg/window/baselinewindow.h"
#include "codecs/jpeg/window/progressivewindow.h"
#include "codecs/picture/fileread.h"
#include "codecs/picture/pictureregion.h"

#include <QFile>
#include <new>
#include <optional>

namespace {

// Greyscale, YCbCr or RGB, and CMYK or YCCK: what libjpeg takes a frame of so many components for.
bool componentsShowColours(std::size_t componentCount)
{
    return componentCount == 1 || componentCount == 3 || componentCount == 4;
}

class JpegPictureSource final : public PictureSource
{
  public:
    // `structure` is the file's as far as its window needs (the first scan of a sequential picture, every
    // scan of a progressive one); nullopt when it cannot be read.
    JpegPictureSource(WholeFileBytes file, QSize size, std::optional<JpegStructure> structure)
        : file_(std::move(file)), size_(size), structure_(std::move(structure))
    {
    }

    QSize size() const override { return size_; }

    std::optional<QImage> decodeRegion(const QRect& region, const QColor&, QString& error) override
    {
        if (!regionFitsPicture(region, size_, error))
            return std::nullopt;
        std::optional<QImage> allocated = newRegionImage(region.size(), QImage::Format_RGB888, error);
        if (!allocated)
            return std::nullopt;
        QImage& crop = *allocated;
        // Cutting the MCUs around the region out into a small JPEG spares libjpeg the Huffman codes of the
        // rows above and beside the region, and for a progressive picture the whole picture's coefficients.
        // The walk that cuts it decodes every code up to the window's end, and damage it meets there is the
        // picture's. A picture no window can be cut from, or whose window libjpeg does not take, is read by
        // libjpeg whole, whose verdict counts.
        const WindowCut cut = cutWindow(region);
        if (cut.damaged) {
            error = JpegMessages::DataDamaged();
            return std::nullopt;
        }
        if (cut.window) {
            const WindowPlace& place = cut.window->place;
            const QRect windowRect(place.left, place.top, place.width, place.height);
            QString windowError;
            if (decodeFrom(cut.window->file, windowRect, region, crop, windowError))
                return crop;
        }
        if (!decodeFrom(file_, QRect(QPoint(0, 0), size_), region, crop, error))
            return std::nullopt;
        return crop;
    }

  private:
    WindowCut cutWindow(const QRect& region) const
    {
        if (!structure_)
            return {};
        WindowCut cut =
            CutJpegWindow(file_, *structure_, region.x(), region.y(), region.width(), region.height());
        if (cut.window || cut.damaged)
            return cut;
        return CutProgressiveJpegWindow(file_, *structure_, region.x(), region.y(), region.width(),
                                        region.height());
    }

    // Decodes the part of `region` that the JPEG `bytes` holds, whose picture lies at `picture`.
    static bool decodeFrom(std::span<const std::uint8_t> bytes, const QRect& picture, const QRect& region,
                           QImage& crop, QString& error)
    {
        LibjpegDecoder decoder(bytes);
        if (!decoder.readHeader(error))
            return false;
        if (decoder.pictureSize() != picture.size()) {
            error = JpegMessages::NotThePictureOfTheHeader();
            return false;
        }
        return decoder.decodeRegion(region.translated(-picture.topLeft()), crop, error);
    }

    WholeFileBytes file_;
    QSize size_;
    std::optional<JpegStructure> structure_;
};

std::optional<FileBytes> readWholeFile(const QString& path, QString& error)
{
    QFile file;
    if (!openForReading(file, path, error))
        return std::nullopt;
    FileBytes bytes;
    try {
        bytes.resize(std::size_t(file.size()));
    } catch (const std::bad_alloc&) {
        error = JpegMessages::NoMemoryForFile();
        return std::nullopt;
    }
    if (file.read(reinterpret_cast<char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size())) {
        error = JpegMessages::CannotReadFile(file.errorString());
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::unique_ptr<PictureSource> openJpegPicture(const QString& path, WholeFileBytes wholeFile, QString& error)
{
    if (wholeFile.empty()) {
        std::optional<FileBytes> read = readWholeFile(path, error);
        if (!read)
            return nullptr;
        wholeFile = std::move(*read);
    }
    // The structure is read once, here, and handed on. Where it shows a header libjpeg reads alike, its
    // size and components stand for libjpeg's reading; any other header is left to libjpeg, with its
    // message when it refuses it.
    JpegStructureReader reader(wholeFile);
    const bool headerRead = reader.readToFirstScan();
    QSize size;
    if (headerRead && LibjpegReadsHeaderAlike(wholeFile, reader.structure())) {
        const JpegStructure& structure = reader.structure();
        if (!componentsShowColours(structure.components.size())) {
            error = JpegMessages::ColoursUnreadable(int(structure.components.size()));
            return nullptr;
        }
        size = QSize(structure.width, structure.height);
    } else {
        LibjpegDecoder decoder(wholeFile);
        if (!decoder.readHeader(error))
            return nullptr;
        size = decoder.pictureSize();
    }
    // A progressive window is cut from every scan.
    const bool progressive = headerRead && reader.structure().frameMarker == jpegmarker::progressiveFrame;
    std::optional<JpegStructure> structure;
    if (headerRead && (!progressive || reader.readLaterScans()))
        structure = reader.takeStructure();
    return std::make_unique<JpegPictureSource>(std::move(wholeFile), size, std::move(structure));
}
