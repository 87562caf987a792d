#include "trim/bmpwriter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t PixelDataOffset = FileHeaderSize + InfoHeaderSize;

void AppendU16LE(QByteArray& bytes, std::uint16_t value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

void AppendU32LE(QByteArray& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char((value >> shift) & 0xFF));
}

QByteArray Headers(std::uint32_t width, std::uint32_t height, std::uint32_t pixelBytes)
{
    QByteArray bytes;
    bytes.reserve(PixelDataOffset);
    bytes.append("BM");
    AppendU32LE(bytes, PixelDataOffset + pixelBytes);
    AppendU32LE(bytes, 0);
    AppendU32LE(bytes, PixelDataOffset);
    AppendU32LE(bytes, InfoHeaderSize);
    AppendU32LE(bytes, width);
    AppendU32LE(bytes, height); // positive: rows are stored bottom-up
    AppendU16LE(bytes, 1);
    AppendU16LE(bytes, 24);
    AppendU32LE(bytes, 0); // no compression
    AppendU32LE(bytes, pixelBytes);
    AppendU32LE(bytes, 0); // no stated resolution
    AppendU32LE(bytes, 0);
    AppendU32LE(bytes, 0);
    AppendU32LE(bytes, 0);
    return bytes;
}

// Writes the bitmap into an open file; the bytes may still be buffered. False, with a message, on failure.
bool WriteBmp(const QImage& image, QFileDevice& file, QString& error)
{
    if (image.isNull()) {
        error = QCoreApplication::translate("BmpWriter", "空の画像です");
        return false;
    }
    // A bitmap stores each pixel's blue byte first.
    const QImage pixels = image.convertToFormat(QImage::Format_BGR888);
    const auto width = std::uint32_t(pixels.width());
    const auto height = std::uint32_t(pixels.height());
    // Each row holds three bytes a pixel, padded to a multiple of four.
    const std::uint64_t rowBytes = (std::uint64_t(width) * 3 + 3) / 4 * 4;
    const std::uint64_t pixelBytes = rowBytes * height;
    if (pixelBytes > std::numeric_limits<std::uint32_t>::max() - PixelDataOffset) {
        error = QCoreApplication::translate("BmpWriter", "画像が大きすぎます");
        return false;
    }

    bool written = file.write(Headers(width, height, std::uint32_t(pixelBytes))) == PixelDataOffset;
    // The row's padding stays zero; a scan line's own padding holds whatever was there.
    QByteArray row(qsizetype(rowBytes), '\0');
    for (int y = pixels.height() - 1; written && y >= 0; --y) {
        std::memcpy(row.data(), pixels.constScanLine(y), std::size_t(width) * 3);
        written = file.write(row) == row.size();
    }
    // A failed write of the bytes still buffered shows only when they are flushed.
    if (!written || !file.flush()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool WriteBmpFile(const QImage& image, const QString& path, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!WriteBmp(image, file, error))
        return false;
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

std::optional<UnnamedFile> WriteUnnamedBmpFile(const QImage& image, const QString& destination,
                                               QString& error)
{
    std::optional<UnnamedFile> unnamed = UnnamedFile::create(QFileInfo(destination).absolutePath(), error);
    if (!unnamed || !WriteBmp(image, unnamed->file(), error) || !unnamed->sync(error))
        return std::nullopt;
    return unnamed;
}
