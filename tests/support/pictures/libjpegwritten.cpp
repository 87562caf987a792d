#include "tests/support/pictures/libjpegwritten.h"

#include "tests/support/pictures/bytelayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace testpictures {

namespace {

// "Exif\0\0", a little-endian TIFF header and one IFD whose only entry is the orientation: a SHORT, which
// stands at the start of the entry's four-byte value field.
QByteArray ExifWithOrientation(int orientation)
{
    return QByteArray("Exif\0\0II", 8) + U16LE(42) + U32LE(8) + U16LE(1) + U16LE(0x0112) + U16LE(3) +
           U32LE(1) + U16LE(quint32(orientation)) + U16LE(0) + U32LE(0);
}

} // namespace

QByteArray LibjpegWritten(const QImage& picture, const JpegVariant& variant,
                          const std::vector<JpegScanStep>& scanScript)
{
    const QImage content = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* written = nullptr;
    unsigned long writtenSize = 0;
    jpeg_mem_dest(&info, &written, &writtenSize);
    info.image_width = JDIMENSION(content.width());
    info.image_height = JDIMENSION(content.height());
    info.input_components = variant.grey ? 1 : variant.cmyk ? 4 : 3;
    info.in_color_space = variant.grey ? JCS_GRAYSCALE : variant.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, variant.quality, TRUE);
    if (variant.cmyk && variant.ycck)
        jpeg_set_colorspace(&info, JCS_YCCK);
    if (variant.rgb && !variant.grey && !variant.cmyk)
        jpeg_set_colorspace(&info, JCS_RGB);
    info.arith_code = variant.arithmetic ? TRUE : FALSE;
    info.optimize_coding = variant.optimizeCoding ? TRUE : FALSE;
    info.comp_info[0].h_samp_factor = variant.lumaH;
    info.comp_info[0].v_samp_factor = variant.lumaV;
    for (int component = 1; component < info.num_components; ++component) {
        info.comp_info[component].h_samp_factor = variant.chromaH;
        info.comp_info[component].v_samp_factor = variant.chromaV;
    }
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
    info.restart_in_rows = variant.restartRows;
    jpeg_start_compress(&info, TRUE);
    if (variant.exifOrientation != 0) {
        const QByteArray exif = ExifWithOrientation(variant.exifOrientation);
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
    QByteArray bytes(reinterpret_cast<const char*>(written), qsizetype(writtenSize));
    std::free(written);
    return bytes;
}

} // namespace testpictures
