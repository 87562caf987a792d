#include "trim/bmpwriter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <unistd.h>
#include <utility>

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

namespace {

// A file of a hidden name no file has yet in `folder` (its path put in `path`), made as any new file is: its
// permissions are what the umask leaves of read and write for all, as for a file a replacing save makes.
// Null, with a message, when none can be made.
std::unique_ptr<QFile> CreateHiddenFile(const QString& folder, QString& path, QString& error)
{
    constexpr int Attempts = 64;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        path = QDir(folder).filePath(QStringLiteral(".kadrelle-%1")
                                         .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0')));
        const int descriptor =
            open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno == EEXIST)
            continue;
        if (descriptor < 0)
            break;
        auto file = std::make_unique<QFile>();
        if (!file->open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            close(descriptor);
            QFile::remove(path);
            error = file->errorString();
            return nullptr;
        }
        return file;
    }
    error = qt_error_string(errno);
    return nullptr;
}

} // namespace

std::optional<UnnamedBmpFile> UnnamedBmpFile::write(const QImage& image, const QString& destination,
                                                    QString& error)
{
    // Hidden, and never a name the serial gives.
    QString path;
    std::unique_ptr<QFile> file = CreateHiddenFile(QFileInfo(destination).absolutePath(), path, error);
    if (!file)
        return std::nullopt;
    UnnamedBmpFile unnamed(std::move(file), QFile::encodeName(path));
    if (!WriteBmp(image, *unnamed.file_, error))
        return std::nullopt;
    // As safe against a crash as a replacing save: the bytes are on the disk before the name is.
    if (fdatasync(unnamed.file_->handle()) != 0) {
        error = qt_error_string(errno);
        return std::nullopt;
    }
    return unnamed;
}

UnnamedBmpFile::UnnamedBmpFile(UnnamedBmpFile&& other) noexcept
    : file_(std::move(other.file_)), path_(std::move(other.path_)), named_(std::exchange(other.named_, true))
{
}

UnnamedBmpFile::~UnnamedBmpFile()
{
    if (!named_)
        unlink(path_.constData());
}

UnnamedBmpFile::Naming UnnamedBmpFile::nameIfFree(const QString& path, QString& error)
{
    const QByteArray to = QFile::encodeName(path);
    int result = renameat2(AT_FDCWD, path_.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    // A file system that cannot rename without replacing can still link a second name in one step; the
    // hidden name then goes with the object.
    const bool linked = result != 0 && (errno == EINVAL || errno == ENOSYS);
    if (linked)
        result = link(path_.constData(), to.constData());
    if (result == 0) {
        named_ = !linked;
        return Naming::Named;
    }
    if (errno == EEXIST)
        return Naming::NameTaken;
    error = qt_error_string(errno);
    return Naming::Failed;
}
