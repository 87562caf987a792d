#include "codecs/gif/gifmessages.h"

namespace GifMessages {

QString NotAGif()
{
    return QStringLiteral("The GIF file's signature is damaged.");
}

QString CutShort()
{
    return QStringLiteral("The GIF file is cut short.");
}

QString NoImage()
{
    return QStringLiteral("The GIF file holds no image.");
}

QString BlocksDamaged()
{
    return QStringLiteral("The GIF file's blocks are damaged.");
}

QString ScreenEmpty()
{
    return QStringLiteral("The GIF file's logical screen has no size.");
}

QString ImageDataDamaged()
{
    return QStringLiteral("The GIF file's image data is damaged.");
}

QString ImageDataEndsEarly()
{
    return QStringLiteral("The GIF file's image data ends before the picture does.");
}

} // namespace GifMessages
