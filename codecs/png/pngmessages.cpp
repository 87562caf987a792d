#include "codecs/png/pngmessages.h"

namespace PngMessages {

QString NoMemoryForFile()
{
    return QStringLiteral("There is not enough memory to read the PNG file.");
}

QString SizeOutOfRange()
{
    return QStringLiteral("The PNG file's size is out of range.");
}

QString RowsShorterThanHeader()
{
    return QStringLiteral("The PNG file's rows are shorter than its header says.");
}

QString ChunkDamaged()
{
    return QStringLiteral("The PNG data cannot be decoded: a chunk is damaged or cut short.");
}

QString UnknownFilterType()
{
    return QStringLiteral("The PNG data cannot be decoded: a row has an unknown filter type.");
}

QString CompressedDataDamaged()
{
    return QStringLiteral("The PNG data cannot be decoded: the compressed pixel data is damaged.");
}

QString CompressedHeaderBad()
{
    return QStringLiteral("The PNG data cannot be decoded: the compressed pixel data has a bad header.");
}

QString PixelDataEndsEarly()
{
    return QStringLiteral("The PNG data cannot be decoded: the pixel data ends before the picture does.");
}

QString LibpngFailed(const QString& libpngMessage)
{
    return QStringLiteral("The PNG data cannot be decoded: %1").arg(libpngMessage);
}

} // namespace PngMessages
