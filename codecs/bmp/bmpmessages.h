#pragma once

#include <QString>

// The reasons a Windows bitmap is not decoded, shown after the name of the file that was dropped, in the
// language of the installed translators.
namespace BmpMessages {

QString HeaderDamaged();
QString CutShort();
QString RunLengthTopDown();
QString ColourTableTooLarge();

} // namespace BmpMessages
