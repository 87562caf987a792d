#include "codecs/jpeg/libjpegdecoder.h"

#include "codecs/picture/guardedcall.h"
#include "codecs/picture/pictureregion.h"

#include <algorithm>
#include <cstring>
#include <jerror.h>

namespace {

constexpr std::size_t rgbBytes = 3;

[[noreturn]] void failDecode(j_common_ptr info)
{
    auto* errors = reinterpret_cast<LibjpegDecoder::Errors*>(info->err);
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

} // namespace

LibjpegDecoder::LibjpegDecoder(std::span<const std::uint8_t> file) : file_(file)
{
    info_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = failDecode;
    errors_.manager.emit_message = emitMessage;
}

bool LibjpegDecoder::readHeader(QString& error)
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

bool LibjpegDecoder::decodesItself() const
{
    return (info_.num_components == 1 && info_.jpeg_color_space == JCS_GRAYSCALE) ||
           (info_.num_components == 3 &&
            (info_.jpeg_color_space == JCS_YCbCr || info_.jpeg_color_space == JCS_RGB));
}

bool LibjpegDecoder::decodeRegion(const QRect& region, QImage& crop, QString& error)
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
        // libjpeg decodes whole iMCU columns, and the chroma upsampler treats the decoded window's edges as
        // the picture's: a margin of one iMCU keeps the region's pixels as a full decode's.
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

QString LibjpegDecoder::failure() const
{
    return QStringLiteral("The JPEG data cannot be decoded: %1").arg(QString::fromLocal8Bit(errors_.message));
}
