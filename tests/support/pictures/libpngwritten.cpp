#include "tests/support/pictures/libpngwritten.h"

#include <png.h>
#include <random>
#include <vector>

namespace testpictures {

namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

void FlushNothing(png_structp) {}

} // namespace

QByteArray LibpngWritten(int width, int height, const PngVariant& variant)
{
    QByteArray bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, AppendToBytes, FlushNothing);
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
    const std::vector<png_byte> zeros(rowBytes);
    std::vector<std::vector<png_byte>> rows(std::size_t(height), zeros);
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
    return bytes;
}

} // namespace testpictures
