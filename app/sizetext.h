#pragma once

#include <QString>

// True when the text holds only the ASCII digits, after an optional leading "-" (so "" and "-" pass).
bool IsSignedDigits(const QString& text);

// True when the text's first character takes more than one byte in the system's 8-bit encoding
// (full-width characters do). The text must not be empty.
bool StartsWithDoubleByte(const QString& text);
