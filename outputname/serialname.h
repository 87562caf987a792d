#pragma once

#include <QString>
#include <optional>

// The output path carries a serial: five characters in square brackets right before the file name's first
// "." (or at the end of the path when the file name has none), as in /pics/wall[00012].bmp. Saved files
// carry 00000 to LastSerial; the field shows LastSerial + 1 between the last save of a cycle and the next
// drop.
inline constexpr int LastSerial = 20000;

struct SerialName
{
    QString prefix;            // the path before the serial, or before the serial's place when it has none
    QString suffix;            // the file name's first "." and everything after it; empty when it has none
    std::optional<int> serial; // the bracketed number, when the five characters read as one
};

// Splits path at the serial's place. The five bracketed characters count as a serial only when they read
// as a decimal number: digits with an optional sign, blanks around them allowed. nullopt when the serial's
// place lies beyond position 32767 (counting from 1), which the output path's positions cannot hold.
std::optional<SerialName> ParseSerialName(const QString& path);

// The three operations below give nullopt, meaning the text stays as it is, when the path is too long: its
// serial's place lies beyond position 32767, before or after the serial is written.

// The output path before a save: its serial kept when it reads 0 to LastSerial, otherwise (none, negative
// or above LastSerial) set to 00000.
std::optional<QString> EnsureSerial(const QString& outputPath);

// The output path after a save: its serial raised by one, or 00000 when there is none or it reads negative
// or above LastSerial, so that the serial always keeps its five digits.
std::optional<QString> AdvanceSerial(const QString& outputPath);

// The output path with its serial set back to 00000 (one is inserted when there is none); nullopt also when
// nothing stands before the serial's place.
std::optional<QString> ResetSerial(const QString& outputPath);
