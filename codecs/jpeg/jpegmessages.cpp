#include "codecs/jpeg/jpegmessages.h"

namespace JpegMessages {

QString CannotReadFile(const QString& systemReason)
{
    return QStringLiteral("The JPEG file cannot be read: %1").arg(systemReason);
}

QString NoMemoryForFile()
{
    return QStringLiteral("There is not enough memory to read the JPEG file.");
}

QString ColoursUnreadable(int componentCount)
{
    return QStringLiteral("The JPEG picture's %1 colour components cannot be shown.").arg(componentCount);
}

QString DataDamaged()
{
    return QStringLiteral("The JPEG data the region needs is damaged or cut short.");
}

QString NotThePictureOfTheHeader()
{
    return QStringLiteral("The JPEG data does not hold the picture its header describes.");
}

QString LibjpegFailed(const QString& libjpegMessage)
{
    return QStringLiteral("The JPEG data cannot be decoded: %1").arg(libjpegMessage);
}

QString TooLargeToDecode(int limitMiB)
{
    return QStringLiteral("The JPEG picture needs more than %1 MiB to decode.").arg(limitMiB);
}

} // namespace JpegMessages
