#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A settings file is small; anything larger is not one, and is neither read nor rewritten.
inline constexpr qsizetype LargestIniFile = 64 * 1024 * 1024;

// The file's bytes: empty when there is no file; nullopt when something is there that cannot be read whole
// (a folder, an unreadable or oversized file), so that a write never replaces what it could not read.
std::optional<QByteArray> LoadIniFile(const QString& path);

// Replaces the file with content in one step: the old file stays whole until the new one is complete, so a
// crash or a full disk never leaves half a file. A missing folder is made first. False when the file could
// not be replaced, or when content is larger than LoadIniFile reads: such a file would lose every setting at
// the next start.
bool SaveIniFile(const QString& path, const QByteArray& content);
