#include "codecs/jpeg/jpegpicturesource.h"

#include "codecs/jpeg/jpegendcheck.h"
#include "codecs/jpeg/window/progressivewindow.h"
#include "codecs/jpeg/window/windowcut.h"
#include "codecs/picture/guardedcall.h"
#include "codecs/picture/pictureregion.h"
#include "codecs/picture/qtpicturesource.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>
// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace {

constexpr std::size_t rgbBytes = 3;

struct JpegErrors
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failDecode(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (info->err->msg_code == JERR_NO_BACKING_STORE)
        std::snprintf(errors->message, sizeof errors->message,
                      "The progressive picture needs more than %d MiB to decode.", WholeDecodeLimitMiB);
    else
        (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg only warns about damaged data and goes on with grey blocks; a damaged picture must not be
// saved as if it were whole.
bool warnsOfDamage(int code)
{
    switch (code) {
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_JPEG_EOF:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
        return true;
    default:
        return false;
    }
}

void emitMessage(j_common_ptr info, int level)
{
    if (level < 0 && warnsOfDamage(info->err->msg_code))
        failDecode(info);
}

// One pass of libjpeg over a file: the header, then optionally the rows of a region.
class JpegDecoder
{
  public:
    // Reads `file` (which must outlive the decoder).
    explicit JpegDecoder(std::span<const std::uint8_t> file) : file_(file)
    {
        info_.err = jpeg_std_error(&errors_.manager);
        errors_.manager.error_exit = failDecode;
        errors_.manager.emit_message = emitMessage;
    }
    ~JpegDecoder() { jpeg_destroy_decompress(&info_); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    bool readHeader(QString& error)
    {
        const bool read = runGuarded(errors_.jump, [this] {
            jpeg_create_decompress(&info_);
            // libjpeg reads an end of image past the bytes' end, and warns of it.
            jpeg_mem_src(&info_, file_.data(), static_cast<unsigned long>(file_.size()));
            // A progressive picture keeps all its coefficients in memory until the last scan.
            info_.mem->max_memory_to_use = long(WholeDecodeLimitMiB) * 1024 * 1024;
            jpeg_read_header(&info_, TRUE);
        });
        if (!read)
            error = failure();
        return read;
    }

    QSize pictureSize() const { return QSize(int(info_.image_width), int(info_.image_height)); }

    // Greyscale and three-component pictures; the rest (CMYK, YCCK, odd component counts) is Qt's.
    bool decodesItself() const
    {
        return (info_.num_components == 1 && info_.jpeg_color_space == JCS_GRAYSCALE) ||
               (info_.num_components == 3 &&
                (info_.jpeg_color_space == JCS_YCbCr || info_.jpeg_color_space == JCS_RGB));
    }

    // Decodes `region` into `crop` (RGB888 of the region's size) with the settings of Qt's reader
    // (accurate integer IDCT and smooth chroma upsampling, libjpeg's defaults), so the pixels equal Qt's.
    bool decodeRegion(const QRect& region, QImage& crop, QString& error)
    {
        uchar* const cropBits = crop.bits();
        const qsizetype cropStride = crop.bytesPerLine();
        const auto cropLeft = JDIMENSION(region.x());
        const auto cropWidth = JDIMENSION(region.width());
        const auto firstRow = JDIMENSION(region.y());
        const auto rowCount = JDIMENSION(region.height());
        const bool decoded = runGuarded(errors_.jump, [&] {
            info_.out_color_space = JCS_RGB;
            jpeg_start_decompress(&info_);
            // libjpeg decodes whole iMCU columns, and the chroma upsampler treats the decoded window's
            // edges as the picture's: a margin of one iMCU keeps the region's pixels as a full decode's.
            const JDIMENSION margin = JDIMENSION(info_.max_h_samp_factor) * DCTSIZE;
            JDIMENSION windowLeft = cropLeft > margin ? cropLeft - margin : 0;
            const JDIMENSION windowRight = std::min(info_.output_width, cropLeft + cropWidth + margin);
            JDIMENSION windowWidth = windowRight - windowLeft;
            if (windowWidth < info_.output_width)
                jpeg_crop_scanline(&info_, &windowLeft, &windowWidth);
            JSAMPARRAY row = (*info_.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info_), JPOOL_IMAGE,
                                                        info_.output_width * JDIMENSION(rgbBytes), 1);
            jpeg_skip_scanlines(&info_, firstRow);
            const std::size_t rowOffset = std::size_t(cropLeft - windowLeft) * rgbBytes;
            for (JDIMENSION y = 0; y < rowCount; ++y) {
                jpeg_read_scanlines(&info_, row, 1);
                std::memcpy(cropBits + qsizetype(y) * cropStride, row[0] + rowOffset, cropWidth * rgbBytes);
            }
        });
        if (!decoded)
            error = failure();
        return decoded;
    }

  private:
    QString failure() const
    {
        return QStringLiteral("The JPEG data cannot be decoded: %1")
            .arg(QString::fromLocal8Bit(errors_.message));
    }

    std::span<const std::uint8_t> file_;
    JpegErrors errors_{};
    jpeg_decompress_struct info_{};
};

class JpegPictureSource final : public PictureSource
{
  public:
    JpegPictureSource(FileBytes file, QSize size) : file_(std::move(file)), size_(size) {}

    QSize size() const override { return size_; }

    std::optional<QImage> decodeRegion(const QRect& region, const QColor&, QString& error) override
    {
        if (!regionFitsPicture(region, size_, error))
            return std::nullopt;
        // Cutting the MCUs around the region out into a small JPEG spares libjpeg the Huffman codes of the
        // rows above and beside the region, and for a progressive picture the whole picture's coefficients;
        // pictures that cannot be cut are read by libjpeg whole.
        std::optional<JpegWindow> window =
            CutJpegWindow(file_, region.x(), region.y(), region.width(), region.height());
        if (!window)
            window = CutProgressiveJpegWindow(file_, region.x(), region.y(), region.width(), region.height());
        const QRect picture =
            window ? QRect(window->place.left, window->place.top, window->place.width, window->place.height)
                   : QRect(QPoint(0, 0), size_);
        JpegDecoder decoder(window ? std::span<const std::uint8_t>(window->file) : std::span(file_));
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
    FileBytes file_;
    QSize size_;
};

std::optional<FileBytes> readWholeFile(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
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

std::unique_ptr<PictureSource> openJpegPicture(const QString& path, FileBytes wholeFile, QString& error)
{
    if (wholeFile.empty()) {
        std::optional<FileBytes> read = readWholeFile(path, error);
        if (!read)
            return nullptr;
        wholeFile = std::move(*read);
    }
    QSize size;
    bool decodesItself = false;
    {
        JpegDecoder decoder(wholeFile);
        if (!decoder.readHeader(error))
            return nullptr;
        size = decoder.pictureSize();
        decodesItself = decoder.decodesItself();
    }
    if (!decodesItself)
        return std::make_unique<QtPictureSource>(path, size, checkJpegEndsWhole);
    return std::make_unique<JpegPictureSource>(std::move(wholeFile), size);
}
