#include "testpictures.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <random>
#include <vector>

QImage photoContent(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    std::mt19937 noise(width * 7919 + height);
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int n = int(noise() % 64);
            line[3 * x] = uchar((x * 255 / qMax(1, width - 1) + n) / 2 + 32);
            line[3 * x + 1] = uchar((y * 255 / qMax(1, height - 1) + 2 * n) / 3 + 40);
            line[3 * x + 2] = uchar(((x + y) * 3 + n * 3) & 0xff);
        }
    }
    return image;
}

namespace {

QByteArray exifWithOrientation(int orientation)
{
    // "Exif\0\0", little-endian TIFF header, one IFD holding the orientation tag.
    const unsigned char bytes[] = {'E',  'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12,
                                   0x01, 3,   0,   1,   0, 0, 0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0};
    QByteArray exif(reinterpret_cast<const char*>(bytes), sizeof bytes);
    exif[26] = char(orientation);
    return exif;
}

} // namespace

void writeJpeg(const QString& path, const QImage& content, const JpegVariant& variant,
               const std::vector<JpegScanStep>& scanScript)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(content.width());
    info.image_height = JDIMENSION(content.height());
    info.input_components = variant.grey ? 1 : variant.cmyk ? 4 : 3;
    info.in_color_space = variant.grey ? JCS_GRAYSCALE : variant.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    info.comp_info[0].h_samp_factor = variant.lumaH;
    info.comp_info[0].v_samp_factor = variant.lumaV;
    if (variant.progressive)
        jpeg_simple_progression(&info);
    std::vector<jpeg_scan_info> scans;
    for (const JpegScanStep& step : scanScript) {
        jpeg_scan_info scan{};
        scan.comps_in_scan = int(step.components.size());
        for (std::size_t i = 0; i < step.components.size(); ++i)
            scan.component_index[i] = step.components[i];
        scan.Ss = step.spectralStart;
        scan.Se = step.spectralEnd;
        scan.Ah = step.approximationHigh;
        scan.Al = step.approximationLow;
        scans.push_back(scan);
    }
    if (!scans.empty()) {
        info.scan_info = scans.data();
        info.num_scans = int(scans.size());
    }
    info.restart_interval = JDIMENSION(variant.restartInterval);
    jpeg_start_compress(&info, TRUE);
    if (variant.exifOrientation != 0) {
        const QByteArray exif = exifWithOrientation(variant.exifOrientation);
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.constData()),
                          unsigned(exif.size()));
    }
    std::vector<JSAMPLE> row(std::size_t(content.width()) * std::size_t(info.input_components));
    for (int y = 0; y < content.height(); ++y) {
        const uchar* line = content.constScanLine(y);
        for (int x = 0; x < content.width(); ++x) {
            const uchar* p = line + 3 * x;
            if (variant.grey)
                row[std::size_t(x)] = p[1];
            else if (variant.cmyk) {
                std::copy(p, p + 3, row.begin() + 4 * x);
                row[std::size_t(4 * x + 3)] = uchar(255 - p[0] / 2);
            } else
                std::copy(p, p + 3, row.begin() + 3 * x);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void writePng(const QString& path, int width, int height, const PngVariant& variant)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    // Palette indexes beyond a short palette are written on purpose.
    png_set_check_for_invalid_index(png, 0);
    if (variant.smallChunks)
        png_set_compression_buffer_size(png, 256);
    if (variant.filters != 0)
        png_set_filter(png, PNG_FILTER_TYPE_BASE, variant.filters);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), variant.bitDepth, variant.colourType,
                 variant.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    const int maxSample = (1 << variant.bitDepth) - 1;
    if (variant.colourType == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> palette(std::size_t(variant.paletteSize));
        std::vector<png_byte> alpha(palette.size());
        for (std::size_t i = 0; i < palette.size(); ++i) {
            palette[i] = png_color{png_byte(i * 37), png_byte(255 - i * 11), png_byte(i * 101)};
            alpha[i] = png_byte(i * 89);
        }
        png_set_PLTE(png, info, palette.data(), variant.paletteSize);
        if (variant.transparency)
            png_set_tRNS(png, info, alpha.data(), int(alpha.size()) / 2 + 1, nullptr);
    } else if (variant.transparency) {
        png_color_16 colour{};
        colour.gray = png_uint_16(maxSample / 3);
        colour.red = colour.gray;
        colour.green = png_uint_16(maxSample / 2);
        colour.blue = colour.gray;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const std::size_t samples = std::size_t(width) * std::size_t(channels);
    std::vector<png_uint_16> values(samples * std::size_t(height));
    std::mt19937 noise(unsigned(width * 31 + height + variant.bitDepth));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int limit = variant.colourType == PNG_COLOR_TYPE_PALETTE
                              ? qMin(maxSample, variant.paletteSize + 2)
                              : maxSample;
        // Every few samples take the transparent colour's values, so tRNS matches whole pixels.
        values[i] = (i / std::size_t(channels)) % 5 == 0
                        ? png_uint_16(i % std::size_t(channels) == 1 ? maxSample / 2 : maxSample / 3)
                        : png_uint_16(noise() % unsigned(limit + 1));
    }
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<std::vector<png_byte>> rows(std::size_t(height), std::vector<png_byte>{});
    for (auto& row : rows)
        row.resize(rowBytes);
    for (int y = 0; y < height; ++y) {
        png_byte* row = rows[std::size_t(y)].data();
        for (std::size_t s = 0; s < samples; ++s) {
            const png_uint_16 v = values[std::size_t(y) * samples + s];
            if (variant.bitDepth == 16) {
                row[2 * s] = png_byte(v >> 8);
                row[2 * s + 1] = png_byte(v & 0xff);
            } else if (variant.bitDepth == 8) {
                row[s] = png_byte(v);
            } else {
                const std::size_t bit = s * std::size_t(variant.bitDepth);
                row[bit / 8] = png_byte(row[bit / 8] | (v << (8 - variant.bitDepth - bit % 8)));
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

namespace {

void appendU16(QByteArray& bytes, quint32 value)
{
    bytes.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

void appendU32(QByteArray& bytes, quint32 value)
{
    appendU16(bytes, value & 0xffff);
    appendU16(bytes, value >> 16);
}

} // namespace

QByteArray bmpBytes(int width, int height, const BmpVariant& variant)
{
    const bool v4 = variant.bitFields && variant.bits == 32;
    const quint32 headerBytes = v4 ? 108 : 40;
    const int colours =
        variant.bits <= 8 ? (variant.colourCount ? variant.colourCount : 1 << variant.bits) : 0;
    const quint32 maskBytes = variant.bitFields && !v4 ? 12 : 0;
    const quint32 pixelOffset = 14 + headerBytes + maskBytes + quint32(colours) * 4;
    const int rowBytes = (width * variant.bits + 31) / 32 * 4;
    QByteArray bytes("BM");
    appendU32(bytes, pixelOffset + quint32(rowBytes * height));
    appendU32(bytes, 0);
    appendU32(bytes, pixelOffset);
    appendU32(bytes, headerBytes);
    appendU32(bytes, quint32(width));
    appendU32(bytes, quint32(variant.topDown ? -height : height));
    appendU16(bytes, 1);
    appendU16(bytes, quint32(variant.bits));
    appendU32(bytes, variant.bitFields ? 3 : 0);
    appendU32(bytes, quint32(rowBytes * height));
    appendU32(bytes, 2835);
    appendU32(bytes, 2835);
    appendU32(bytes, quint32(variant.colourCount));
    appendU32(bytes, 0);
    if (variant.bitFields) {
        const bool wide = variant.bits == 32;
        appendU32(bytes, wide ? 0x00ff0000 : 0xf800);
        appendU32(bytes, wide ? 0x0000ff00 : 0x07e0);
        appendU32(bytes, wide ? 0x000000ff : 0x001f);
        if (v4) {
            appendU32(bytes, 0xff000000);
            bytes.append(QByteArray(int(headerBytes) - 56, '\0'));
        }
    }
    for (int i = 0; i < colours; ++i)
        appendU32(bytes, quint32(qRgb(i * 53, 255 - i * 7, i * 151) & 0xffffff));
    std::mt19937 noise(unsigned(width * 13 + height + variant.bits));
    for (int i = 0; i < rowBytes * height; ++i)
        bytes.append(char(noise() & 0xff));
    return bytes;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage referenceCrop(const QString& path, const QRect& region, const QColor& background,
                     bool blackBeyondPalette)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    QImage picture = reader.read();
    if (blackBeyondPalette) {
        const int known = picture.colorCount();
        picture.setColorCount(picture.format() == QImage::Format_Mono ? 2 : 256);
        for (int i = known; i < picture.colorCount(); ++i)
            picture.setColor(i, qRgb(0, 0, 0));
    }
    QImage crop(region.size(), QImage::Format_RGB888);
    crop.fill(background);
    QPainter painter(&crop);
    painter.drawImage(QPoint(0, 0), picture, region);
    return crop;
}

QList<QRect> probeRegions(QSize pictureSize)
{
    const int w = pictureSize.width();
    const int h = pictureSize.height();
    const int cw = qMin(w, 37);
    const int ch = qMin(h, 29);
    QList<QRect> regions;
    for (int x : {0, (w - cw) / 2, w - cw}) {
        for (int y : {0, (h - ch) / 2, h - ch})
            regions.append(QRect(x, y, cw, ch));
    }
    for (int at : {15, 16, 17, 31, 32, 33}) {
        if (at + 21 <= w && at + 19 <= h)
            regions.append(QRect(at, at, 21, 19));
    }
    regions.append(QRect(0, 0, w, h));
    regions.append(QRect(w - 1, h - 1, 1, 1));
    regions.append(QRect(w / 2, h / 2, 1, 1));
    return regions;
}

std::string differenceBetween(const QImage& actual, const QImage& expected)
{
    if (actual.format() != QImage::Format_RGB888 || actual.size() != expected.size())
        return QStringLiteral("format %1 size %2x%3")
            .arg(actual.format())
            .arg(actual.width())
            .arg(actual.height())
            .toStdString();
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel %1,%2: %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16)
                    .arg(expected.pixel(x, y), 8, 16)
                    .toStdString();
        }
    }
    return {};
}
