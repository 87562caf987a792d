#pragma once

#include <QString>

// The reasons a JPEG picture is not decoded, shown after the name of the file that was dropped, in the
// language of the installed translators. libjpeg's own message stays as it is, after ours.
namespace JpegMessages {

QString CannotReadFile(const QString& systemReason);
QString NoMemoryForFile();
QString ColoursUnreadable(int componentCount);
QString DataDamaged();
QString NotThePictureOfTheHeader();
QString LibjpegFailed(const QString& libjpegMessage);
QString TooLargeToDecode(int limitMiB);

} // namespace JpegMessages
