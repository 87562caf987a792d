#pragma once

#include <QByteArray>
#include <QImage>

namespace testpictures {

// The picture as Qt's writer for `format` writes it; a quality of -1 leaves the writer's own.
QByteArray QtWritten(const QImage& picture, const char* format, int quality = -1, bool progressive = false);

} // namespace testpictures
