#include "trim/picture/jpegpicturesource.h"

#include "trim/jpeg/windowcut.h"
#include "trim/picture/filepicturesource.h"
#include "trim/picture/guardedcall.h"
#include "trim/picture/pictureregion.h"
#include "trim/picture/qtpicturesource.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace {

constexpr std::size_t inputChunkBytes = 64 * 1024;
constexpr std::size_t rgbBytes = 3;

struct JpegErrors
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// The stream libjpeg reads: the bytes the decoder was given, then the file from where it stands.
struct JpegInput
{
    jpeg_source_mgr manager;
    QFile* file;
    JOCTET chunk[inputChunkBytes];
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

void startInput(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr info)
{
    auto* input = reinterpret_cast<JpegInput*>(info->src);
    const qint64 got = input->file->read(reinterpret_cast<char*>(input->chunk), qint64(inputChunkBytes));
    if (got <= 0)
        ERREXIT(info, JERR_INPUT_EOF);
    input->manager.next_input_byte = input->chunk;
    input->manager.bytes_in_buffer = std::size_t(got);
    return TRUE;
}

void skipInput(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    auto* input = reinterpret_cast<JpegInput*>(info->src);
    const auto skip = static_cast<unsigned long>(count);
    if (skip <= input->manager.bytes_in_buffer) {
        input->manager.next_input_byte += skip;
        input->manager.bytes_in_buffer -= skip;
        return;
    }
    const qint64 beyondBuffer = qint64(skip - input->manager.bytes_in_buffer);
    input->manager.bytes_in_buffer = 0;
    if (!input->file->seek(input->file->pos() + beyondBuffer))
        ERREXIT(info, JERR_INPUT_EOF);
}

void endInput(j_decompress_ptr) {}

// One pass of libjpeg over a file: the header, then optionally the rows of a region.
class JpegDecoder
{
  public:
    // Reads `head` (which must outlive the decoder), then `file` from where it stands.
    JpegDecoder(std::span<const JOCTET> head, QFile& file) : input_(std::make_unique<JpegInput>())
    {
        info_.err = jpeg_std_error(&errors_.manager);
        errors_.manager.error_exit = failDecode;
        errors_.manager.emit_message = emitMessage;
        input_->manager.init_source = startInput;
        input_->manager.fill_input_buffer = fillInput;
        input_->manager.skip_input_data = skipInput;
        input_->manager.resync_to_restart = jpeg_resync_to_restart;
        input_->manager.term_source = endInput;
        input_->manager.next_input_byte = head.data();
        input_->manager.bytes_in_buffer = head.size();
        input_->file = &file;
    }
    ~JpegDecoder() { jpeg_destroy_decompress(&info_); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    bool readHeader(QString& error)
    {
        const bool read = runGuarded(errors_.jump, [this] {
            jpeg_create_decompress(&info_);
            info_.src = &input_->manager;
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

    JpegErrors errors_{};
    std::unique_ptr<JpegInput> input_;
    jpeg_decompress_struct info_{};
};

struct FileBytes
{
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;

    std::span<const std::uint8_t> all() const { return {bytes.get(), size}; }
};

// The whole file, or nullopt with the reason in `error`.
std::optional<FileBytes> readWholeFile(QFile& file, QString& error)
{
    const qint64 size = file.size();
    // Left uninitialised: the read fills it.
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[std::size_t(size)]);
    if (!bytes) {
        error = QStringLiteral("There is not enough memory to read the JPEG file.");
        return std::nullopt;
    }
    if (file.read(reinterpret_cast<char*>(bytes.get()), size) != size) {
        error = QStringLiteral("The JPEG file cannot be read: %1").arg(file.errorString());
        return std::nullopt;
    }
    return FileBytes{std::move(bytes), std::size_t(size)};
}

class JpegPictureSource final : public FilePictureSource
{
  public:
    using FilePictureSource::FilePictureSource;

    std::optional<QImage> decodeRegion(const QRect& region, const QColor&, QString& error) override
    {
        QFile file;
        if (!openForRegion(file, region, error))
            return std::nullopt;
        // Cutting the MCUs around the region out into a small JPEG spares libjpeg the Huffman codes of the
        // rows above and beside the region; pictures that cannot be cut are read by libjpeg whole.
        const std::optional<FileBytes> whole = readWholeFile(file, error);
        if (!whole)
            return std::nullopt;
        const std::optional<JpegWindow> window =
            CutJpegWindow(whole->all(), region.x(), region.y(), region.width(), region.height());
        if (!window && !file.seek(0)) {
            error = file.errorString();
            return std::nullopt;
        }
        const QRect picture = window ? QRect(window->left, window->top, window->width, window->height)
                                     : QRect(QPoint(0, 0), size());
        JpegDecoder decoder(window ? std::span<const JOCTET>(window->file) : std::span<const JOCTET>(), file);
        if (!decoder.readHeader(error))
            return std::nullopt;
        if (decoder.pictureSize() != picture.size() || !decoder.decodesItself()) {
            error = QStringLiteral("The picture changed after it was opened.");
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
};

} // namespace

std::unique_ptr<PictureSource> openJpegPicture(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return nullptr;
    }
    JpegDecoder decoder({}, file);
    if (!decoder.readHeader(error))
        return nullptr;
    if (!decoder.decodesItself())
        return std::make_unique<QtPictureSource>(path, decoder.pictureSize());
    return std::make_unique<JpegPictureSource>(path, decoder.pictureSize());
}
