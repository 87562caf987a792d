#pragma once

#include "outputname/unnamedfile.h"

#include <QImage>
#include <QString>
#include <optional>

// Writes `image` as a 24-bit Windows bitmap (bottom-up rows, no compression) to `path`, whatever the path's
// extension. The file is written beside its destination and takes its place only once complete, so a failed
// write leaves an existing file as it was and no partial file behind. False, with a message in `error`, on
// failure.
bool WriteBmpFile(const QImage& image, const QString& path, QString& error);

// The bitmap WriteBmpFile writes, written in full to a hidden file beside `destination` (which need not be
// free), there to wait for a name that no file holds yet. Nullopt, with a message in `error`, on failure.
std::optional<UnnamedFile> WriteUnnamedBmpFile(const QImage& image, const QString& destination,
                                               QString& error);
