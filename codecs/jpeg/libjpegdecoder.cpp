#include "codecs/jpeg/libjpegdecoder.h"

#include "codecs/jpeg/jpegmessages.h"
#include "codecs/picture/guardedcall.h"
#include "codecs/picture/pictureregion.h"

#include <algorithm>
#include <cstring>
#include <jerror.h>

namespace {

constexpr std::size_t rgbBytes = 3;
constexpr std::size_t cmykBytes = 4;

// libjpeg-turbo decodes Huffman codes on a fast path while a few hundred bytes per block of an MCU lie
// ahead in its input buffer, and that path turns a code its tables do not define into a zero without a
// word. Handed less than that at a time, it takes the careful path, which warns of such a code.
constexpr std::size_t bytesHandedAtOnce = 256;

[[noreturn]] void failDecode(j_common_ptr info)
{
    auto* errors = reinterpret_cast<LibjpegDecoder::Errors*>(info->err);
    errors->code = info->err->msg_code;
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg only warns about damaged data and goes on with grey blocks; a damaged picture must not be
// saved as if it were whole.
bool warnsOfDamage(int code)
{
    switch (code) {
    case JWRN_ARITH_BAD_CODE:
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

LibjpegDecoder::Source& sourceOf(j_decompress_ptr info)
{
    return *reinterpret_cast<LibjpegDecoder::Source*>(info->src);
}

void startSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr info)
{
    LibjpegDecoder::Source& source = sourceOf(info);
    if (source.next == source.end) {
        // As libjpeg's own sources do: a warning, then an end of image in place of the missing bytes.
        static const JOCTET endOfImage[] = {0xFF, JPEG_EOI};
        WARNMS(info, JWRN_JPEG_EOF);
        source.manager.next_input_byte = endOfImage;
        source.manager.bytes_in_buffer = sizeof endOfImage;
        return TRUE;
    }
    const auto handed = std::min(bytesHandedAtOnce, std::size_t(source.end - source.next));
    source.manager.next_input_byte = source.next;
    source.manager.bytes_in_buffer = handed;
    source.next += handed;
    return TRUE;
}

void skipInput(j_decompress_ptr info, long count)
{
    LibjpegDecoder::Source& source = sourceOf(info);
    if (count <= 0)
        return;
    const auto skipped = std::size_t(count);
    if (skipped <= source.manager.bytes_in_buffer) {
        source.manager.next_input_byte += skipped;
        source.manager.bytes_in_buffer -= skipped;
        return;
    }
    // On into the bytes not handed over yet; past their end, the next fill warns.
    source.next += std::min(skipped - source.manager.bytes_in_buffer, std::size_t(source.end - source.next));
    source.manager.bytes_in_buffer = 0;
}

void endSource(j_decompress_ptr) {}

// Qt's reader takes a four-component picture as inverted CMYK (as Adobe writes it) and scales each of C, M
// and Y by K.
void cmykToRgb(const uchar* cmyk, uchar* rgb, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i, cmyk += cmykBytes, rgb += rgbBytes) {
        const int k = cmyk[3];
        rgb[0] = uchar(k * cmyk[0] / 255);
        rgb[1] = uchar(k * cmyk[1] / 255);
        rgb[2] = uchar(k * cmyk[2] / 255);
    }
}

} // namespace

LibjpegDecoder::LibjpegDecoder(std::span<const std::uint8_t> file) : file_(file)
{
    info_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = failDecode;
    errors_.manager.emit_message = emitMessage;
    source_.manager.init_source = startSource;
    source_.manager.fill_input_buffer = fillInput;
    source_.manager.skip_input_data = skipInput;
    source_.manager.resync_to_restart = jpeg_resync_to_restart;
    source_.manager.term_source = endSource;
    source_.next = file_.data();
    source_.end = file_.data() + file_.size();
}

bool LibjpegDecoder::readHeader(QString& error)
{
    const bool read = runGuarded(errors_.jump, [this] {
        jpeg_create_decompress(&info_);
        info_.src = &source_.manager;
        // A progressive picture keeps all its coefficients in memory until the last scan.
        info_.mem->max_memory_to_use = long(WholeDecodeLimitMiB) * 1024 * 1024;
        jpeg_read_header(&info_, TRUE);
    });
    if (!read) {
        error = failure();
        return false;
    }
    if (!decodesColours()) {
        error = JpegMessages::ColoursUnreadable(info_.num_components);
        return false;
    }
    return true;
}

bool LibjpegDecoder::decodesColours() const
{
    switch (info_.num_components) {
    case 1:
        return info_.jpeg_color_space == JCS_GRAYSCALE;
    case 3:
        return info_.jpeg_color_space == JCS_YCbCr || info_.jpeg_color_space == JCS_RGB;
    case 4:
        return info_.jpeg_color_space == JCS_CMYK || info_.jpeg_color_space == JCS_YCCK;
    default:
        return false;
    }
}

bool LibjpegDecoder::decodeRegion(const QRect& region, QImage& crop, QString& error)
{
    uchar* const cropBits = crop.bits();
    const qsizetype cropStride = crop.bytesPerLine();
    const auto cropLeft = JDIMENSION(region.x());
    const auto cropWidth = JDIMENSION(region.width());
    const auto firstRow = JDIMENSION(region.y());
    const auto rowCount = JDIMENSION(region.height());
    const bool cmyk = info_.num_components == 4;
    const std::size_t pixelBytes = cmyk ? cmykBytes : rgbBytes;
    const bool decoded = runGuarded(errors_.jump, [&] {
        info_.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
        jpeg_start_decompress(&info_);
        // libjpeg decodes whole iMCU columns and treats the decoded window's edges as the picture's. The
        // chroma upsampling reads a sample beyond a pixel: a margin of one iMCU keeps it. A progressive
        // picture whose scans stop short of full precision has its blocks smoothed from blocks up to two
        // columns away, of every component: three iMCUs keep those, whatever the sampling.
        const JDIMENSION margin =
            JDIMENSION(info_.max_h_samp_factor) * DCTSIZE * (info_.progressive_mode ? 3 : 1);
        JDIMENSION windowLeft = cropLeft > margin ? cropLeft - margin : 0;
        const JDIMENSION windowRight = std::min(info_.output_width, cropLeft + cropWidth + margin);
        JDIMENSION windowWidth = windowRight - windowLeft;
        if (windowWidth < info_.output_width)
            jpeg_crop_scanline(&info_, &windowLeft, &windowWidth);
        JSAMPARRAY row = (*info_.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info_), JPOOL_IMAGE,
                                                    info_.output_width * JDIMENSION(pixelBytes), 1);
        jpeg_skip_scanlines(&info_, firstRow);
        const uchar* const regionInRow = row[0] + std::size_t(cropLeft - windowLeft) * pixelBytes;
        for (JDIMENSION y = 0; y < rowCount; ++y) {
            jpeg_read_scanlines(&info_, row, 1);
            uchar* const target = cropBits + qsizetype(y) * cropStride;
            if (cmyk)
                cmykToRgb(regionInRow, target, cropWidth);
            else
                std::memcpy(target, regionInRow, cropWidth * rgbBytes);
        }
        // A region down to the last row needs every MCU: the rest of the data is read, as a full decode
        // reads it, so that data left over after the last MCU is warned of.
        if (info_.output_scanline == info_.output_height)
            jpeg_finish_decompress(&info_);
    });
    if (!decoded)
        error = failure();
    return decoded;
}

QString LibjpegDecoder::failure() const
{
    if (errors_.code == JERR_NO_BACKING_STORE)
        return JpegMessages::TooLargeToDecode(WholeDecodeLimitMiB);
    return JpegMessages::LibjpegFailed(QString::fromLocal8Bit(errors_.message));
}
