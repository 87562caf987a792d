#include "codecs/picture/picturemessages.h"

namespace PictureMessages {

QString NoMemoryForRegion()
{
    return QStringLiteral("There is not enough memory for the region.");
}

QString ChangedSinceOpen()
{
    return QStringLiteral("The picture changed after it was opened.");
}

QString SizeUnreadable()
{
    return QStringLiteral("The picture's size cannot be read.");
}

QString TooLargeToDecode(QSize picture)
{
    return QStringLiteral("The %1x%2 picture is too large to decode in memory.")
        .arg(picture.width())
        .arg(picture.height());
}

QString RegionEmpty()
{
    return QStringLiteral("The region to decode is empty.");
}

QString RegionOutside(const QRect& region, QSize picture)
{
    return QStringLiteral("The region %1,%2 %3x%4 lies outside the %5x%6 picture.")
        .arg(region.x())
        .arg(region.y())
        .arg(region.width())
        .arg(region.height())
        .arg(picture.width())
        .arg(picture.height());
}

} // namespace PictureMessages
