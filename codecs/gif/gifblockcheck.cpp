#include "codecs/gif/gifblockcheck.h"

#include "codecs/picture/fileread.h"

#include <QFile>

namespace {

constexpr qint64 headerBytes = 6;
constexpr qint64 screenDescriptorBytes = 7;
constexpr qint64 imageDescriptorBytes = 9;
constexpr char extensionIntroducer = 0x21;
constexpr char imageSeparator = 0x2c;
constexpr char trailer = 0x3b;
constexpr uchar colourTableFlag = 0x80;

// Bytes of the colour table that a descriptor's packed field announces, 0 when it has none.
qint64 colourTableBytes(uchar packed)
{
    return (packed & colourTableFlag) != 0 ? 3 * (qint64(2) << (packed & 0x07)) : 0;
}

bool readByte(QFile& file, uchar& byte)
{
    return file.getChar(reinterpret_cast<char*>(&byte));
}

// Moves forward by `count` bytes, which must all lie in the file.
bool skipBytes(QFile& file, qint64 count)
{
    return file.pos() + count <= file.size() && file.seek(file.pos() + count);
}

// Skips data sub-blocks through the empty block that ends them.
bool skipSubBlocks(QFile& file)
{
    uchar length = 0;
    while (readByte(file, length)) {
        if (length == 0)
            return true;
        if (!skipBytes(file, length))
            return false;
    }
    return false;
}

} // namespace

bool checkGifFirstImageWhole(const QString& path, QString& error)
{
    QFile file;
    if (!openForReading(file, path, error))
        return false;
    error = QStringLiteral("The GIF file is cut short.");
    QByteArray screen(screenDescriptorBytes, '\0');
    if (!skipBytes(file, headerBytes) ||
        file.read(screen.data(), screenDescriptorBytes) != screenDescriptorBytes ||
        !skipBytes(file, colourTableBytes(uchar(screen[4]))))
        return false;
    char introducer = 0;
    while (file.getChar(&introducer)) {
        if (introducer == extensionIntroducer) {
            if (!skipBytes(file, 1) || !skipSubBlocks(file))
                return false;
        } else if (introducer == imageSeparator) {
            QByteArray descriptor(imageDescriptorBytes, '\0');
            // The table is followed by the LZW code size, one byte ahead of the image's data sub-blocks.
            const bool whole = file.read(descriptor.data(), imageDescriptorBytes) == imageDescriptorBytes &&
                               skipBytes(file, colourTableBytes(uchar(descriptor[8])) + 1) &&
                               skipSubBlocks(file);
            if (whole)
                error.clear();
            return whole;
        } else {
            error = introducer == trailer ? QStringLiteral("The GIF file holds no image.")
                                          : QStringLiteral("The GIF file's blocks are damaged.");
            return false;
        }
    }
    return false;
}
