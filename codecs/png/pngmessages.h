#pragma once

#include <QString>

// The reasons a PNG picture is not decoded, shown after the name of the file that was dropped.
namespace PngMessages {

QString NoMemoryForFile();
QString SizeOutOfRange();
QString RowsShorterThanHeader();
QString ChunkDamaged();
QString UnknownFilterType();
QString CompressedDataDamaged();
QString CompressedHeaderBad();
QString PixelDataEndsEarly();
QString LibpngFailed(const QString& libpngMessage);

} // namespace PngMessages
