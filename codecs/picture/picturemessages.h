#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// The reasons every decoder shares for not decoding a region, shown after the name of the file that was
// dropped, in the language of the installed translators.
namespace PictureMessages {

QString NoMemoryForRegion();
QString ChangedSinceOpen();
QString SizeUnreadable();
QString TooLargeToDecode(QSize picture);
QString RegionEmpty();
QString RegionOutside(const QRect& region, QSize picture);

} // namespace PictureMessages
