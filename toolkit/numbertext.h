#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The text-to-16-bit-integer conversion of stored settings: blanks around the number are allowed and a
// fraction is rounded to the nearest integer, halves to the even neighbour. Nullopt for text that is not a
// number (the empty text included) or a number outside -32768 to 32767.
std::optional<std::int16_t> TextToInt16(const QString& text);
