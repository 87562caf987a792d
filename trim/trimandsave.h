#pragma once

#include "trim/trimsettings.h"

#include <QImage>
#include <QString>
#include <optional>

// A picture's centre crop in the target's proportions, cut but not yet saved.
struct TrimmedPicture
{
    // The crop, pixel for pixel; nullopt when the picture could not be read or cut.
    std::optional<QImage> crop;
    // Why there is no crop, for the status line; empty when there is one.
    QString failure;
};

struct TrimResult
{
    bool saved = false;
    // The new crop once painting was reached; nullopt leaves the previous crop on show.
    std::optional<QImage> preview;
    // For the status line: the path written and the crop size, or what failed and for which file.
    QString message;
};

// Probes the picture's size and cuts its centre crop in the target's proportions. Needs no output path, so
// several pictures can be trimmed at once and saved in their order afterwards.
TrimmedPicture TrimPicture(const QString& picturePath, const TrimSettings& settings);

// Saves a trimmed picture as a 24-bit Windows bitmap at outputPath (atomically: a failed save leaves an
// existing file as it was).
TrimResult SaveTrimmedPicture(TrimmedPicture trimmed, const QString& outputPath);

// TrimPicture, then SaveTrimmedPicture.
TrimResult TrimAndSaveFile(const QString& picturePath, const TrimSettings& settings,
                           const QString& outputPath);
