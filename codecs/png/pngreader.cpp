#include "codecs/png/pngreader.h"

#include "codecs/picture/guardedcall.h"
#include "codecs/picture/pixelcopy.h"
#include "codecs/png/pngchunkcheck.h"
#include "codecs/png/pngmessages.h"

#include <QFile>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr int adam7Passes = 7;

[[noreturn]] void failDecode(png_structp png, png_const_charp message)
{
    auto* errors = static_cast<PngReader::Errors*>(png_get_error_ptr(png));
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    std::longjmp(errors->jump, 1);
}

// Qt's reader only logs libpng's warnings (a damaged ancillary chunk is dropped), so they change nothing.
void ignoreWarning(png_structp, png_const_charp) {}

// libpng carries the end of the file out to failure(), which reports it in the user's language.
void readFromFile(png_structp png, png_bytep data, std::size_t length)
{
    auto* file = static_cast<QFile*>(png_get_io_ptr(png));
    if (length > std::size_t(std::numeric_limits<qint64>::max()) ||
        file->read(reinterpret_cast<char*>(data), qint64(length)) != qint64(length)) {
        static_cast<PngReader::Errors*>(png_get_error_ptr(png))->fileEnded = true;
        png_error(png, "the file ends");
    }
}

void applyTransforms(png_structp png, const PngLayout& layout)
{
    if (layout.invertMono)
        png_set_invert_mono(png);
    if (layout.pack)
        png_set_packing(png);
    if (layout.expand)
        png_set_expand(png);
    if (layout.greyToRgb)
        png_set_gray_to_rgb(png);
    if (layout.fill8)
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    if (layout.fill16)
        png_set_filler(png, 0xffff, PNG_FILLER_AFTER);
    if (layout.bgr)
        png_set_bgr(png);
    if (layout.swap16 && QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        png_set_swap(png);
}

} // namespace

bool PngReader::readHeader(PngHeader& header, QString& error)
{
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors_, failDecode, ignoreWarning);
    if (png_)
        info_ = png_create_info_struct(png_);
    if (!png_ || !info_) {
        error = PngMessages::NoMemoryForFile();
        return false;
    }
    if (!file_.seek(0)) {
        error = file_.errorString();
        return false;
    }
    const bool read = runGuarded(errors_.jump, [this, &header] {
        // As Qt's reader does, to read the pictures it reads.
        png_set_option(png_, PNG_MAXIMUM_INFLATE_WINDOW, PNG_OPTION_ON);
        // Every chunk's CRC already guards the pixel data, and a crop stops before the stream's end,
        // where its Adler-32 would be checked: computing that sum would only cost time.
        png_set_option(png_, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
        png_set_read_fn(png_, &file_, readFromFile);
        png_read_info(png_, info_);
        png_get_IHDR(png_, info_, &header.width, &header.height, &header.bitDepth, &header.colourType,
                     &header.interlace, nullptr, nullptr);
        header.channels = png_get_channels(png_, info_);
        png_colorp palette = nullptr;
        if (png_get_PLTE(png_, info_, &palette, &header.paletteSize) != 0)
            std::memcpy(header.palette, palette, sizeof(png_color) * std::size_t(header.paletteSize));
        png_bytep alpha = nullptr;
        png_color_16p colour = nullptr;
        if (png_get_tRNS(png_, info_, &alpha, &header.alphaCount, &colour) != 0) {
            header.transparency = true;
            if (alpha)
                std::memcpy(header.paletteAlpha, alpha, std::size_t(header.alphaCount));
            else
                header.alphaCount = 0;
            if (colour)
                header.transparentColour = *colour;
        }
    });
    if (!read)
        error = failure();
    return read;
}

bool PngReader::decodeRegion(const PngHeader& header, const PngLayout& layout, const QRect& region,
                             QImage& pixels, QString& error)
{
    std::size_t rowBytes = 0;
    if (!runGuarded(errors_.jump, [&] {
            applyTransforms(png_, layout);
            png_read_update_info(png_, info_);
            rowBytes = png_get_rowbytes(png_, info_);
        })) {
        error = failure();
        return false;
    }
    if (rowBytes < (std::size_t(header.width) * std::size_t(layout.bitsPerPixel) + 7) / 8) {
        error = PngMessages::RowsShorterThanHeader();
        return false;
    }
    std::vector<png_byte> row(rowBytes);
    uchar* const target = pixels.bits();
    const qsizetype stride = pixels.bytesPerLine();
    const bool decoded = runGuarded(errors_.jump, [&] {
        if (header.interlace == PNG_INTERLACE_NONE)
            readRows(region, layout, row.data(), target, stride);
        else
            readPasses(header, region, layout, row.data(), target, stride);
    });
    if (!decoded) {
        error = failure();
        return false;
    }
    return checkChunkInProgress(file_, error);
}

void PngReader::readRows(const QRect& region, const PngLayout& layout, png_bytep row, uchar* pixels,
                         qsizetype stride)
{
    const auto firstRow = png_uint_32(region.y());
    const auto lastRow = png_uint_32(region.y() + region.height() - 1);
    for (png_uint_32 y = 0; y <= lastRow; ++y) {
        png_read_row(png_, row, nullptr);
        if (y >= firstRow)
            copyPixels(row, png_uint_32(region.x()), pixels + qsizetype(y - firstRow) * stride, 0,
                       png_uint_32(region.width()), layout.bitsPerPixel);
    }
}

// Adam7 rows come pass by pass, each a sparse grid of the picture; the region's pixels are picked out of
// every pass, so no buffer larger than the region is needed.
void PngReader::readPasses(const PngHeader& header, const QRect& region, const PngLayout& layout,
                           png_bytep row, uchar* pixels, qsizetype stride)
{
    const auto firstRow = png_uint_32(region.y());
    const auto lastRow = png_uint_32(region.y() + region.height() - 1);
    const auto firstColumn = png_uint_32(region.x());
    const auto lastColumn = png_uint_32(region.x() + region.width() - 1);
    for (int pass = 0; pass < adam7Passes; ++pass) {
        const png_uint_32 passColumns = PNG_PASS_COLS(header.width, pass);
        const png_uint_32 passRows = PNG_PASS_ROWS(header.height, pass);
        if (passColumns == 0 || passRows == 0)
            continue;
        for (png_uint_32 passRow = 0; passRow < passRows; ++passRow) {
            const png_uint_32 y = PNG_ROW_FROM_PASS_ROW(passRow, pass);
            // The last pass is the last data in the file: nothing below the region is needed.
            if (pass == adam7Passes - 1 && y > lastRow)
                return;
            png_read_row(png_, row, nullptr);
            if (y < firstRow || y > lastRow)
                continue;
            uchar* target = pixels + qsizetype(y - firstRow) * stride;
            for (png_uint_32 column = 0; column < passColumns; ++column) {
                const png_uint_32 x = PNG_COL_FROM_PASS_COL(column, pass);
                if (x > lastColumn)
                    break;
                if (x >= firstColumn)
                    copyPixels(row, column, target, x - firstColumn, 1, layout.bitsPerPixel);
            }
        }
    }
}

QString PngReader::failure() const
{
    if (errors_.fileEnded)
        return PngMessages::FileEndsInsidePicture();
    return PngMessages::LibpngFailed(QString::fromLocal8Bit(errors_.message));
}
