#pragma once

#include "trim/trimandsave.h"
#include "trim/trimsettings.h"

#include <QString>
#include <optional>

struct DropResult
{
    // The output path as the drop leaves it: given its serial, and moved on to the next one after a save.
    QString outputPath;
    TrimResult trim;
};

// What a save does when a file is already at the name the serial gives.
enum class ExistingOutput {
    Replace, // the file is replaced, once the new bitmap is written in full
    Skip,    // the name is passed over for the next serial whose name is free
};

// One dropped picture, as the window handles it: the output path gets its serial (kept when it reads 0 to
// LastSerial, otherwise 00000), the picture is trimmed and saved under that name, replacing a file there,
// and only a save moves the serial on, so a failed picture leaves its name to the next one. An empty path,
// or one too long to take a serial, is left as it is, and nothing is read or written.
DropResult DropPicture(const QString& picturePath, const TrimSettings& settings, const QString& outputPath);

// Why no picture at all can be saved under outputPath: it is empty, or too long to take a serial. Nullopt
// when it can take one.
std::optional<QString> RefuseOutputPath(const QString& outputPath);

// The rest of a drop once its picture is trimmed: the serial given, the crop saved, the serial moved on
// after a save. With ExistingOutput::Skip the crop goes under the first serial from the one in force whose
// name is free, and the serial then moves on from there; when every serial's name is taken, nothing is
// written and the serial stays.
DropResult SaveDroppedPicture(TrimmedPicture trimmed, const QString& outputPath, ExistingOutput existing);
