#pragma once

#include "trim/trimsettings.h"

#include <QImage>
#include <QString>
#include <optional>

struct TrimResult
{
    bool saved = false;
    // The new crop once painting was reached; nullopt leaves the previous crop on show.
    std::optional<QImage> preview;
    // For the status line: the path written and the crop size, or what failed and for which file.
    QString message;
};

// Probes the picture's size, cuts the centre crop in the target's proportions and saves it as a 24-bit
// Windows bitmap at outputPath (atomically: a failed save leaves an existing file as it was).
TrimResult TrimAndSaveFile(const QString& picturePath, const TrimSettings& settings,
                           const QString& outputPath);
