#pragma once

#include <QSize>
#include <QString>
#include <cstdint>

// The status-line texts of a trim, shared by the window and the command line, in the language of the
// installed translators. Paths are shown with the platform's separators, and the output path as the absolute
// path written.
namespace TrimMessages {

QString Saved(const QString& outputPath, QSize crop);
QString CannotLoad(const QString& picturePath, const QString& reason);
QString SizeUnreadable(const QString& picturePath);
QString TooSmall(const QString& picturePath, QSize picture);
QString TargetNotPositive(std::int16_t targetWidth, std::int16_t targetHeight);
QString SizeMismatch(const QString& picturePath);
QString ChangedWhileRead(const QString& picturePath);
QString CannotSave(const QString& outputPath, const QString& reason);
QString OutputPathTooLong(const QString& outputPath);
QString NoFreeSerial(const QString& outputPath);
QString NoOutputPath();
// The message of a drop of several files, of which only the first was trimmed.
QString WithOthersIgnored(const QString& message, qsizetype ignored);

} // namespace TrimMessages
