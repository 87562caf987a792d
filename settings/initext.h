#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

// The profile (INI) format over the bytes of a whole file. A line "[name]" opens a section, a line
// "key=value" holds a key of the section above it; a line starting with ";" is a comment and any other line
// without "=" is ignored. Section and key names match without regard to letter case, blanks (spaces and tabs)
// around names and values do not count, and when a section or a key appears twice the first one counts, as
// with the Windows profile functions. Each function walks the file once, whatever its size.

// A name or a value without the blanks (spaces and tabs) around it, as the file holds it.
QStringView TrimIniBlanks(QStringView text);

// One key and the value to store for it.
struct IniEntry
{
    QString key;
    QString value;
};

// The values of keys in section, each without its surrounding blanks and in the order of keys; nullopt for
// a key that is missing, and for every key when the section is.
std::vector<std::optional<QString>> FindIniValues(const QByteArray& content, QStringView section,
                                                  const QList<QString>& keys);
// The same for one key.
std::optional<QString> FindIniValue(const QByteArray& content, QStringView section, QStringView key);

// The file's bytes after writing each entry's key=value into section, as if written one after the other.
// The first occurrence of a key gets the new value where it stands and keeps its own spelling (the line up
// to its "=" stays as it was); new keys go after the last key line of their section, in the order given; a
// missing section is added at the end of the file. Every other line keeps its bytes, and new lines take the
// file's own line ending. nullopt when a name or a value cannot be stored in one line: a line break or NUL
// anywhere, an empty name, "=" in a key or "]" in the section, or a key that would read as a comment or a
// section, or that would begin with a byte order mark, which the reader takes for an editor's.
std::optional<QByteArray> WithIniValues(const QByteArray& content, QStringView section,
                                        const QList<IniEntry>& entries);
// The same for one key.
std::optional<QByteArray> WithIniValue(const QByteArray& content, QStringView section, QStringView key,
                                       QStringView value);
