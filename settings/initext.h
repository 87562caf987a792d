#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The profile (INI) format over the bytes of a whole file. A line "[name]" opens a section, a line
// "key=value" holds a key of the section above it; a line starting with ";" is a comment and any other line
// without "=" is ignored. Section and key names match without regard to letter case, blanks (spaces and tabs)
// around names and values do not count, and when a section or a key appears twice the first one counts, as
// with the Windows profile functions.

// The value of key in section, without its surrounding blanks; nullopt when the section or the key is
// missing.
std::optional<QString> FindIniValue(const QByteArray& content, QStringView section, QStringView key);

// The file's bytes after writing key=value into section. The first occurrence of the key gets the new value
// where it stands; a new key goes after the last key line of its section; a missing section is added at the
// end of the file. Every other line keeps its bytes, and new lines take the file's own line ending. nullopt
// when the names or the value cannot be stored in one line: a line break or NUL anywhere, an empty name,
// "=" in the key or "]" in the section, or a key that would read as a comment or a section.
std::optional<QByteArray> WithIniValue(const QByteArray& content, QStringView section, QStringView key,
                                       QStringView value);
