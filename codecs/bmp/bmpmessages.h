#pragma once

#include <QString>

// The reasons a Windows bitmap is not decoded, shown after the name of the file that was dropped.
namespace BmpMessages {

QString HeaderDamaged();
QString CutShort();
QString RunLengthTopDown();
QString ColourTableTooLarge();

} // namespace BmpMessages
