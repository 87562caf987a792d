#pragma once

#include <QtGlobal>
#include <cstddef>

// Copies `count` pixels of `bitsPerPixel` bits (1, or whole bytes) from pixel `from` of a packed row to
// pixel `to` of another; one-bit pixels are packed from the high bit down, as in QImage::Format_Mono.
void copyPixels(const uchar* source, std::size_t from, uchar* target, std::size_t to, std::size_t count,
                int bitsPerPixel);
