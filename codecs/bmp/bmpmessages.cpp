#include "codecs/bmp/bmpmessages.h"

namespace BmpMessages {

QString HeaderDamaged()
{
    return QStringLiteral("The BMP file's header is damaged.");
}

QString CutShort()
{
    return QStringLiteral("The BMP file is cut short.");
}

QString RunLengthTopDown()
{
    return QStringLiteral(
        "The BMP file's run-length rows are stored top-down, which the format does not allow.");
}

QString ColourTableTooLarge()
{
    return QStringLiteral("The BMP file's colour table is too large.");
}

} // namespace BmpMessages
