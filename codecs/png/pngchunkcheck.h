#pragma once

#include <QFile>
#include <QString>

// libpng checks a chunk's CRC as it leaves the chunk, and a region decode stops inside the chunk that held
// the region's last row. Checks the CRC of the chunk `file`'s position lies in (if any), so damage in the
// data the region came from is never missed. False with a message when the chunk is damaged or cut short.
bool checkChunkInProgress(QFile& file, QString& error);
