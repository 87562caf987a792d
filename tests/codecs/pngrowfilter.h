#pragma once

#include <QtGlobal>
#include <cstddef>
#include <cstdlib>
#include <vector>

// A row as a PNG encoder stores it under `filterType`, straight from the filters' definitions, so the
// decoder's unfiltering is checked against an independent encoder.
inline std::vector<uchar> filteredRow(int filterType, const uchar* row, const uchar* previous,
                                      std::size_t length, std::size_t bpp)
{
    std::vector<uchar> stored(length);
    for (std::size_t i = 0; i < length; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0;
        const int above = previous[i];
        const int aboveLeft = i >= bpp ? previous[i - bpp] : 0;
        const int estimate = left + above - aboveLeft;
        const int toLeft = std::abs(estimate - left);
        const int toAbove = std::abs(estimate - above);
        const int toAboveLeft = std::abs(estimate - aboveLeft);
        const int paeth = toLeft <= toAbove && toLeft <= toAboveLeft ? left
                          : toAbove <= toAboveLeft                   ? above
                                                                     : aboveLeft;
        const int predictions[] = {0, left, above, (left + above) / 2, paeth};
        stored[i] = uchar((row[i] - predictions[filterType]) & 0xff);
    }
    return stored;
}
