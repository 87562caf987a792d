#include "codecs/jpeg/jpegpicturesource.h"

#include "codecs/jpeg/libjpegdecoder.h"
#include "codecs/jpeg/libjpegheader.h"
#include "codecs/jpeg/stream/jpegstructure.h"
#include "codecs/jpeg/stream/markers.h"
#include "codecs/jpeg/window/baselinewindow.h"
#include "codecs/jpeg/window/progressivewindow.h"
#include "codecs/picture/fileread.h"
#include "codecs/picture/pictureregion.h"
#include "codecs/picture/qtpicturesource.h"

#include <QFile>
#include <new>
#include <optional>

namespace {

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
        // Cutting the MCUs around the region out into a small JPEG spares libjpeg the Huffman codes of the
        // rows above and beside the region, and for a progressive picture the whole picture's coefficients;
        // pictures that cannot be cut are read by libjpeg whole.
        std::optional<JpegWindow> window;
        if (structure_) {
            window =
                CutJpegWindow(file_, *structure_, region.x(), region.y(), region.width(), region.height());
            if (!window)
                window = CutProgressiveJpegWindow(file_, *structure_, region.x(), region.y(), region.width(),
                                                  region.height());
        }
        const QRect picture =
            window ? QRect(window->place.left, window->place.top, window->place.width, window->place.height)
                   : QRect(QPoint(0, 0), size_);
        LibjpegDecoder decoder(window ? std::span<const std::uint8_t>(window->file) : std::span(file_));
        if (!decoder.readHeader(error))
            return std::nullopt;
        if (decoder.pictureSize() != picture.size() || !decoder.decodesItself()) {
            error = QStringLiteral("The JPEG data does not hold the picture its header describes.");
            return std::nullopt;
        }
        QImage crop(region.size(), QImage::Format_RGB888);
        if (crop.isNull()) {
            error = QStringLiteral("There is not enough memory for the region.");
            return std::nullopt;
        }
        if (!decoder.decodeRegion(region.translated(-picture.topLeft()), crop, error))
            return std::nullopt;
        return crop;
    }

  private:
    WholeFileBytes file_;
    QSize size_;
    std::optional<JpegStructure> structure_;
};

// Qt's JPEG reader fills the rows of a file cut short with grey and reports nothing: a picture whose scans
// the end-of-image marker does not follow is refused before Qt reads it.
QtPictureSource::DecodeCheck endCheck(bool endsWhole)
{
    return [endsWhole](const QString&, QString& error) {
        if (!endsWhole)
            error = QStringLiteral("The JPEG file is cut short.");
        return endsWhole;
    };
}

std::optional<FileBytes> readWholeFile(const QString& path, QString& error)
{
    QFile file;
    if (!openForReading(file, path, error))
        return std::nullopt;
    FileBytes bytes;
    try {
        bytes.resize(std::size_t(file.size()));
    } catch (const std::bad_alloc&) {
        error = QStringLiteral("There is not enough memory to read the JPEG file.");
        return std::nullopt;
    }
    if (file.read(reinterpret_cast<char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size())) {
        error = QStringLiteral("The JPEG file cannot be read: %1").arg(file.errorString());
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
    // size and components stand for libjpeg's reading (libjpeg takes three components for YCbCr or RGB,
    // both ours to decode); any other header is left to libjpeg, with its message when it refuses it.
    JpegStructureReader reader(wholeFile);
    const bool headerRead = reader.readToFirstScan();
    QSize size;
    bool decodesItself = false;
    if (headerRead && LibjpegReadsHeaderAlike(wholeFile, reader.structure())) {
        const JpegStructure& structure = reader.structure();
        size = QSize(structure.width, structure.height);
        decodesItself = structure.components.size() == 1 || structure.components.size() == 3;
    } else {
        LibjpegDecoder decoder(wholeFile);
        if (!decoder.readHeader(error))
            return nullptr;
        size = decoder.pictureSize();
        decodesItself = decoder.decodesItself();
    }
    // A progressive window is cut from every scan, and Qt's reader is trusted only with a picture whose
    // scans end whole.
    const bool progressive = headerRead && reader.structure().frameMarker == jpegmarker::progressiveFrame;
    const bool scansRead = headerRead && (progressive || !decodesItself) && reader.readLaterScans();
    if (!decodesItself)
        return std::make_unique<QtPictureSource>(path, size,
                                                 endCheck(scansRead && reader.structure().reachedEndOfImage));
    std::optional<JpegStructure> structure;
    if (headerRead && (!progressive || scansRead))
        structure = reader.takeStructure();
    return std::make_unique<JpegPictureSource>(std::move(wholeFile), size, std::move(structure));
}
