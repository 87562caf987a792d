#pragma once

#include <QImage>
#include <QString>

// Writes `image` as a 24-bit Windows bitmap (bottom-up rows, no compression) to `path`, whatever the path's
// extension. The file is written beside its destination and takes its place only once complete, so a failed
// write leaves an existing file as it was and no partial file behind. False, with a message in `error`, on
// failure.
bool WriteBmpFile(const QImage& image, const QString& path, QString& error);
