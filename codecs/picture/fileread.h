#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

class QFile;

// Opens `file` on `path` for reading; false with the system's reason in `error` when it cannot.
bool openForReading(QFile& file, const QString& path, QString& error);

// `length` bytes of the open `file` from `offset`; nothing when the file ends before them or cannot be read.
std::optional<QByteArray> readFileBytes(QFile& file, qint64 offset, qint64 length);
