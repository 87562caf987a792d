#pragma once

#include <QByteArray>
#include <QString>

namespace testpictures {

// Whole files in and out: false or empty when the file cannot be written or read.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadFileBytes(const QString& path);

} // namespace testpictures
