#pragma once

#include <QtGlobal>
#include <cstddef>

// Undoes a PNG row's filter in place: `row` holds the first `length` bytes of a row after its filter type
// byte, `previous` the row above unfiltered (zeros above the first row); `length` is a whole number of
// pixels of `bytesPerPixel` bytes (1, 2, 3, 4, 6 or 8). Only bytes to the left and above are used, so any
// prefix of a row can be unfiltered on its own. False for an unknown filter type or pixel size.
bool unfilterPngRow(uchar filterType, uchar* row, const uchar* previous, std::size_t length,
                    std::size_t bytesPerPixel);
