#pragma once

#include <QString>

// The reasons a GIF picture is not decoded, shown after the name of the file that was dropped, in the
// language of the installed translators.
namespace GifMessages {

QString NotAGif();
QString CutShort();
QString NoImage();
QString BlocksDamaged();
QString ScreenEmpty();
QString ImageDataDamaged();
QString ImageDataEndsEarly();

} // namespace GifMessages
