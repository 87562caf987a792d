#pragma once

#include <QString>
#include <optional>

// Positions in a path are kept in 16 bits: a path longer than this cannot be split.
inline constexpr qsizetype LongestPath = 32767;

// "/" separates folders here; Windows also takes "\".
bool IsPathSeparator(QChar c);

// Index of the file name's first ".", where the file name is what follows the last separator; the path's
// length when the file name has no ".". A "." in a folder name never counts, so the serial and the
// extension always stay in the file name.
qsizetype FirstDotOfFileName(QStringView path);

struct FolderAndName
{
    QString folder; // up to and including the last separator
    QString name;   // everything after it
};

// Splits at the last separator. A path with fewer than two separators gives two empty parts, so that the
// file dialog then starts in the program's folder. nullopt when the path is longer than LongestPath.
std::optional<FolderAndName> SplitFolderAndName(const QString& path);

struct FrontAndRest
{
    QString front; // everything before the file name's first "."
    QString rest;  // that "." and everything after it; empty when the file name has no "."
};

// Splits where the serial goes, so that front + "[00000]" + rest always names a file in the same folder.
// nullopt when the path is longer than LongestPath.
std::optional<FrontAndRest> SplitAtFirstDot(const QString& path);
