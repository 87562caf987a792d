#include "codecs/png/pngpicturesource.h"

#include "codecs/picture/filepicturesource.h"
#include "codecs/picture/guardedcall.h"
#include "codecs/picture/pictureregion.h"
#include "codecs/picture/pixelcopy.h"
#include "codecs/png/pngchunkcheck.h"
#include "codecs/png/pngdirectrows.h"

#include <QFile>
#include <cstdio>
#include <cstring>
#include <limits>
#include <png.h>
#include <vector>

namespace {

constexpr int adam7Passes = 7;

struct PngErrors
{
    std::jmp_buf jump;
    char message[200];
};

[[noreturn]] void failDecode(png_structp png, png_const_charp message)
{
    auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    std::longjmp(errors->jump, 1);
}

// Qt's reader only logs libpng's warnings (a damaged ancillary chunk is dropped), so they change nothing.
void ignoreWarning(png_structp, png_const_charp) {}

void readFromFile(png_structp png, png_bytep data, std::size_t length)
{
    auto* file = static_cast<QFile*>(png_get_io_ptr(png));
    if (length > std::size_t(std::numeric_limits<qint64>::max()) ||
        file->read(reinterpret_cast<char*>(data), qint64(length)) != qint64(length))
        png_error(png, "The file ends inside the picture.");
}

// What the header chunks say, copied out of libpng.
struct PngHeader
{
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    int interlace = 0;
    int paletteSize = 0;
    png_color palette[PNG_MAX_PALETTE_LENGTH]{};
    bool transparency = false;
    int alphaCount = 0;
    png_byte paletteAlpha[PNG_MAX_PALETTE_LENGTH]{};
    png_color_16 transparentColour{};
};

// The QImage format Qt's reader decodes a PNG into, with the libpng transforms that produce its rows.
struct PngLayout
{
    QImage::Format format = QImage::Format_Invalid;
    int bitsPerPixel = 0;
    bool invertMono = false;
    bool pack = false;
    bool expand = false;
    bool greyToRgb = false;
    bool fill8 = false;
    bool fill16 = false;
    bool bgr = false;
    bool swap16 = false;
    // Qt turns palette indexes beyond the palette into index 0.
    bool zeroIndexesBeyondPalette = false;
};

PngLayout layoutLikeQt(const PngHeader& header)
{
    PngLayout layout;
    const bool alpha = (header.colourType & PNG_COLOR_MASK_ALPHA) != 0;
    if (header.colourType == PNG_COLOR_TYPE_GRAY) {
        if (header.bitDepth == 1) {
            layout.format = QImage::Format_Mono;
            layout.bitsPerPixel = 1;
            layout.invertMono = true;
        } else if (header.bitDepth == 16 && !header.transparency) {
            layout.format = QImage::Format_Grayscale16;
            layout.bitsPerPixel = 16;
            layout.swap16 = true;
        } else if (header.bitDepth == 16) {
            layout.format = QImage::Format_RGBA64;
            layout.bitsPerPixel = 64;
            layout.expand = layout.greyToRgb = layout.swap16 = true;
        } else if (header.bitDepth == 8 && !header.transparency) {
            layout.format = QImage::Format_Grayscale8;
            layout.bitsPerPixel = 8;
        } else {
            layout.format = QImage::Format_Indexed8;
            layout.bitsPerPixel = 8;
            layout.pack = header.bitDepth < 8;
        }
    } else if (header.colourType == PNG_COLOR_TYPE_PALETTE && header.paletteSize > 0) {
        layout.format = header.bitDepth == 1 ? QImage::Format_Mono : QImage::Format_Indexed8;
        layout.bitsPerPixel = header.bitDepth == 1 ? 1 : 8;
        layout.pack = header.bitDepth != 1;
        layout.zeroIndexesBeyondPalette = header.bitDepth != 1;
    } else if (header.bitDepth == 16) {
        // Qt leaves 16-bit RGB with a transparent colour unexpanded and reads its rows misaligned;
        // expanding the transparent colour to alpha gives the picture as drawn.
        const bool opaque = !alpha && !header.transparency;
        layout.format = opaque ? QImage::Format_RGBX64 : QImage::Format_RGBA64;
        layout.bitsPerPixel = 64;
        layout.fill16 = opaque;
        layout.expand = header.transparency;
        layout.greyToRgb = (header.colourType & PNG_COLOR_MASK_COLOR) == 0;
        layout.swap16 = true;
    } else if (header.colourType == PNG_COLOR_TYPE_RGB && !header.transparency) {
        // Qt widens these rows to 32 bits; their stored bytes are already the 24-bit pixels a crop needs,
        // and leaving them as they are spares a transform of every row above the crop.
        layout.format = QImage::Format_RGB888;
        layout.bitsPerPixel = 24;
    } else {
        const bool opaque = !alpha && !header.transparency;
        layout.format = opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32;
        layout.bitsPerPixel = 32;
        layout.expand = true;
        layout.greyToRgb = header.colourType == PNG_COLOR_TYPE_GRAY_ALPHA;
        layout.fill8 = opaque;
        layout.bgr = true;
    }
    return layout;
}

// How rows of this layout are copied without libpng, when their pixels need at most a swap of bytes.
std::optional<PngPixelCopy> directCopy(const PngHeader& header, const PngLayout& layout)
{
    if (header.interlace != PNG_INTERLACE_NONE || header.bitDepth != 8)
        return std::nullopt;
    switch (header.colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_RGB:
        if (layout.expand)
            return std::nullopt;
        return PngPixelCopy::Bytes;
    case PNG_COLOR_TYPE_PALETTE:
        if (layout.format != QImage::Format_Indexed8)
            return std::nullopt;
        return PngPixelCopy::Bytes;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return PngPixelCopy::RgbaAsBgra;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return PngPixelCopy::GreyAlphaAsBgra;
    default:
        return std::nullopt;
    }
}

// The colour table Qt's reader gives a Mono or Indexed8 picture, set by the same calls.
void setColoursLikeQt(QImage& pixels, const PngHeader& header)
{
    if (header.colourType == PNG_COLOR_TYPE_GRAY && header.bitDepth == 1) {
        pixels.setColorCount(2);
        pixels.setColor(1, qRgb(0, 0, 0));
        pixels.setColor(0, qRgb(255, 255, 255));
        if (header.transparency && header.transparentColour.gray == 0)
            pixels.setColor(1, qRgba(0, 0, 0, 0));
        else if (header.transparency && header.transparentColour.gray == 1)
            pixels.setColor(0, qRgba(255, 255, 255, 0));
    } else if (header.colourType == PNG_COLOR_TYPE_GRAY) {
        const int colourCount = header.bitDepth < 8 ? 1 << header.bitDepth : 256;
        pixels.setColorCount(colourCount);
        for (int i = 0; i < colourCount; ++i) {
            const int grey = i * 255 / (colourCount - 1);
            pixels.setColor(i, qRgb(grey, grey, grey));
        }
        if (header.transparency && header.transparentColour.gray < colourCount)
            pixels.setColor(header.transparentColour.gray, 0);
    } else {
        const int colourCount = pixels.format() == QImage::Format_Mono ? 2 : header.paletteSize;
        pixels.setColorCount(colourCount);
        for (int i = 0; i < header.paletteSize && i < colourCount; ++i) {
            const png_color& entry = header.palette[i];
            const int alpha = i < header.alphaCount ? header.paletteAlpha[i] : 255;
            pixels.setColor(i, qRgba(entry.red, entry.green, entry.blue, alpha));
        }
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

class PngDecoder
{
  public:
    explicit PngDecoder(QFile& file) : file_(file) {}
    ~PngDecoder() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngDecoder(const PngDecoder&) = delete;
    PngDecoder& operator=(const PngDecoder&) = delete;

    // Reads and checks every chunk before the pixel data.
    bool readHeader(QString& error)
    {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors_, failDecode, ignoreWarning);
        if (png_)
            info_ = png_create_info_struct(png_);
        if (!png_ || !info_) {
            error = QStringLiteral("There is not enough memory to read the PNG file.");
            return false;
        }
        const bool read = runGuarded(errors_.jump, [this] {
            // As Qt's reader does, to read the pictures it reads.
            png_set_option(png_, PNG_MAXIMUM_INFLATE_WINDOW, PNG_OPTION_ON);
            // Every chunk's CRC already guards the pixel data, and a crop stops before the stream's end,
            // where its Adler-32 would be checked: computing that sum would only cost time.
            png_set_option(png_, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
            png_set_read_fn(png_, &file_, readFromFile);
            png_read_info(png_, info_);
            png_get_IHDR(png_, info_, &header_.width, &header_.height, &header_.bitDepth, &header_.colourType,
                         &header_.interlace, nullptr, nullptr);
            png_colorp palette = nullptr;
            if (png_get_PLTE(png_, info_, &palette, &header_.paletteSize) != 0)
                std::memcpy(header_.palette, palette, sizeof(png_color) * std::size_t(header_.paletteSize));
            png_bytep alpha = nullptr;
            png_color_16p colour = nullptr;
            if (png_get_tRNS(png_, info_, &alpha, &header_.alphaCount, &colour) != 0) {
                header_.transparency = true;
                if (alpha)
                    std::memcpy(header_.paletteAlpha, alpha, std::size_t(header_.alphaCount));
                else
                    header_.alphaCount = 0;
                if (colour)
                    header_.transparentColour = *colour;
            }
        });
        if (!read)
            error = failure();
        return read;
    }

    QSize pictureSize() const
    {
        if (header_.width > png_uint_32(std::numeric_limits<int>::max()) ||
            header_.height > png_uint_32(std::numeric_limits<int>::max()))
            return QSize();
        return QSize(int(header_.width), int(header_.height));
    }

    // The region in the format and colours Qt's reader gives the picture.
    std::optional<QImage> decodeRegion(const QRect& region, QString& error)
    {
        const PngLayout layout = layoutLikeQt(header_);
        QImage pixels(region.size(), layout.format);
        if (pixels.isNull()) {
            error = QStringLiteral("There is not enough memory for the region.");
            return std::nullopt;
        }
        if (pixels.format() == QImage::Format_Mono || pixels.format() == QImage::Format_Indexed8)
            setColoursLikeQt(pixels, header_);
        const std::optional<PngPixelCopy> copy = directCopy(header_, layout);
        if (copy ? !decodeDirectly(*copy, region, pixels, error)
                 : !decodeWithLibpng(layout, region, pixels, error))
            return std::nullopt;
        if (layout.zeroIndexesBeyondPalette)
            zeroIndexesBeyondPalette(pixels);
        return pixels;
    }

  private:
    // libpng has read the first IDAT chunk's length and type and stopped there.
    bool decodeDirectly(PngPixelCopy copy, const QRect& region, QImage& pixels, QString& error)
    {
        constexpr qint64 chunkLengthAndType = 8;
        if (!file_.seek(file_.pos() - chunkLengthAndType)) {
            error = file_.errorString();
            return false;
        }
        return decodePngRowsDirectly(file_, header_.width, png_get_channels(png_, info_), copy, region,
                                     pixels, error);
    }

    bool decodeWithLibpng(const PngLayout& layout, const QRect& region, QImage& pixels, QString& error)
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
        if (rowBytes < (std::size_t(header_.width) * std::size_t(layout.bitsPerPixel) + 7) / 8) {
            error = QStringLiteral("The PNG file's rows are shorter than its header says.");
            return false;
        }
        std::vector<png_byte> row(rowBytes);
        const bool decoded = runGuarded(errors_.jump, [&] {
            if (header_.interlace == PNG_INTERLACE_NONE)
                readRows(region, layout, row.data(), pixels.bits(), pixels.bytesPerLine());
            else
                readPasses(region, layout, row.data(), pixels.bits(), pixels.bytesPerLine());
        });
        if (!decoded) {
            error = failure();
            return false;
        }
        return checkChunkInProgress(file_, error);
    }

    void readRows(const QRect& region, const PngLayout& layout, png_bytep row, uchar* pixels,
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

    // Adam7 rows come pass by pass, each a sparse grid of the picture; the region's pixels are picked out
    // of every pass, so no buffer larger than the region is needed.
    void readPasses(const QRect& region, const PngLayout& layout, png_bytep row, uchar* pixels,
                    qsizetype stride)
    {
        const auto firstRow = png_uint_32(region.y());
        const auto lastRow = png_uint_32(region.y() + region.height() - 1);
        const auto firstColumn = png_uint_32(region.x());
        const auto lastColumn = png_uint_32(region.x() + region.width() - 1);
        for (int pass = 0; pass < adam7Passes; ++pass) {
            const png_uint_32 passColumns = PNG_PASS_COLS(header_.width, pass);
            const png_uint_32 passRows = PNG_PASS_ROWS(header_.height, pass);
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

    void zeroIndexesBeyondPalette(QImage& pixels) const
    {
        const int colourCount = pixels.colorCount();
        for (int y = 0; y < pixels.height(); ++y) {
            uchar* line = pixels.scanLine(y);
            for (int x = 0; x < pixels.width(); ++x) {
                if (line[x] >= colourCount)
                    line[x] = 0;
            }
        }
    }

    QString failure() const
    {
        return QStringLiteral("The PNG data cannot be decoded: %1")
            .arg(QString::fromLocal8Bit(errors_.message));
    }

    QFile& file_;
    PngErrors errors_{};
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    PngHeader header_;
};

class PngPictureSource final : public FilePictureSource
{
  public:
    using FilePictureSource::FilePictureSource;

    std::optional<QImage> decodeRegion(const QRect& region, const QColor& background, QString& error) override
    {
        QFile file;
        if (!openForRegion(file, region, error))
            return std::nullopt;
        PngDecoder decoder(file);
        if (!decoder.readHeader(error))
            return std::nullopt;
        if (decoder.pictureSize() != size()) {
            error = QStringLiteral("The picture changed after it was opened.");
            return std::nullopt;
        }
        const std::optional<QImage> pixels = decoder.decodeRegion(region, error);
        if (!pixels)
            return std::nullopt;
        return flattenOnto(*pixels, pixels->rect(), background, error);
    }
};

} // namespace

std::unique_ptr<PictureSource> openPngPicture(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return nullptr;
    }
    PngDecoder decoder(file);
    if (!decoder.readHeader(error))
        return nullptr;
    const QSize size = decoder.pictureSize();
    if (size.isEmpty()) {
        error = QStringLiteral("The PNG file's size is out of range.");
        return nullptr;
    }
    return std::make_unique<PngPictureSource>(path, size);
}
