#pragma once

#include <QString>

// The reasons a PNG picture is not decoded, shown after the name of the file that was dropped, in the
// language of the installed translators. libpng's own message stays as it is, after ours.
namespace PngMessages {

QString NoMemoryForFile();
QString SizeOutOfRange();
QString RowsShorterThanHeader();
QString FileEndsInsidePicture();
QString ChunkDamaged();
QString UnknownFilterType();
QString CompressedDataDamaged();
QString CompressedHeaderBad();
QString PixelDataEndsEarly();
QString LibpngFailed(const QString& libpngMessage);

} // namespace PngMessages
