// Writes a large photo-like baseline JPEG row by row, so a 20000×20000 picture needs a few rows of memory
// rather than the whole picture: smooth colour waves plus a little noise.
// Usage: hugejpeg WIDTH HEIGHT OUTPUT
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: hugejpeg WIDTH HEIGHT OUTPUT\n");
        return 2;
    }
    const long width = std::strtol(argv[1], nullptr, 10);
    const long height = std::strtol(argv[2], nullptr, 10);
    if (width < 1 || height < 1 || width > 65500 || height > 65500) {
        std::fprintf(stderr, "hugejpeg: sizes run from 1 to 65500\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[3], "wb");
    if (!file) {
        std::perror(argv[3]);
        return 1;
    }

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);

    std::vector<JSAMPLE> row(std::size_t(width) * 3);
    std::uint32_t noise = 12345;
    for (long y = 0; y < height; ++y) {
        for (long x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            const double u = double(x) / 1500.0;
            const double v = double(y) / 1100.0;
            const int red = int(128 + 90 * std::sin(u + 0.7 * v)) + grain;
            const int green = int(128 + 80 * std::sin(1.3 * v - 0.4 * u + 1.0)) + grain;
            const int blue = int(128 + 70 * std::cos(0.8 * u + 0.9 * v)) + grain;
            JSAMPLE* pixel = &row[std::size_t(x) * 3];
            pixel[0] = JSAMPLE(red < 0 ? 0 : red > 255 ? 255 : red);
            pixel[1] = JSAMPLE(green < 0 ? 0 : green > 255 ? 255 : green);
            pixel[2] = JSAMPLE(blue < 0 ? 0 : blue > 255 ? 255 : blue);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0 ? 0 : 1;
}
