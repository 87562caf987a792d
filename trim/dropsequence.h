#pragma once

#include "trim/trimandsave.h"
#include "trim/trimsettings.h"

#include <QString>

struct DropResult
{
    // The output path as the drop leaves it: given its serial, and moved on to the next one after a save.
    QString outputPath;
    TrimResult trim;
};

// One dropped picture, as the window and kadrelle-trim both handle it: the output path gets its serial
// (kept when it reads 0 to LastSerial, otherwise 00000), the picture is trimmed and saved under that name,
// and only a save moves the serial on, so a failed picture leaves its name to the next one. An empty path,
// or one too long to take a serial, is left as it is, and nothing is written.
DropResult DropPicture(const QString& picturePath, const TrimSettings& settings, const QString& outputPath);
