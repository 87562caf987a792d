#include "codecs/png/pngdirectrows.h"

#include "codecs/png/pngidatreader.h"
#include "codecs/png/pnginflater.h"
#include "codecs/png/pngmessages.h"
#include "codecs/png/pngunfilter.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

void copyColumns(const uchar* row, std::size_t channels, PngPixelCopy copy, std::size_t width, uchar* target)
{
    switch (copy) {
    case PngPixelCopy::Bytes:
        std::memcpy(target, row, width * channels);
        return;
    case PngPixelCopy::RgbaAsBgra:
        for (std::size_t x = 0; x < width; ++x, row += 4, target += 4) {
            target[0] = row[2];
            target[1] = row[1];
            target[2] = row[0];
            target[3] = row[3];
        }
        return;
    case PngPixelCopy::GreyAlphaAsBgra:
        for (std::size_t x = 0; x < width; ++x, row += 2, target += 4) {
            target[0] = target[1] = target[2] = row[0];
            target[3] = row[1];
        }
        return;
    }
}

} // namespace

bool decodePngRowsDirectly(QFile& file, quint32 pictureWidth, int channels, PngPixelCopy copy,
                           const QRect& region, QImage& pixels, QString& error)
{
    // 8-bit samples: a pixel is as many bytes as it has channels. libpng's header check keeps widths to a
    // million pixels, so two rows stay small.
    const auto bytesPerPixel = std::size_t(channels);
    const std::size_t rowBytes = std::size_t(pictureWidth) * bytesPerPixel;
    const std::size_t neededBytes = std::size_t(region.x() + region.width()) * bytesPerPixel;
    const std::size_t firstByte = std::size_t(region.x()) * bytesPerPixel;
    // Each row starts with its filter type byte.
    std::vector<uchar> current(1 + rowBytes);
    std::vector<uchar> previous(1 + rowBytes, 0);
    PngIdatReader chunks(file);
    PngInflater inflater(chunks);
    const int lastRow = region.y() + region.height() - 1;
    for (int y = 0; y <= lastRow; ++y) {
        if (!inflater.fill(current.data(), current.size(), error))
            return false;
        if (!unfilterPngRow(current[0], current.data() + 1, previous.data() + 1, neededBytes,
                            bytesPerPixel)) {
            error = PngMessages::UnknownFilterType();
            return false;
        }
        if (y >= region.y())
            copyColumns(current.data() + 1 + firstByte, bytesPerPixel, copy, std::size_t(region.width()),
                        pixels.scanLine(y - region.y()));
        std::swap(current, previous);
    }
    return chunks.finishChunk(error);
}
