#include "codecs/png/pngunfilter.h"

#include <cstdlib>

namespace {

// The filters add modulo 256; the conversions to uchar keep that explicit. The pixel to the left is kept
// in `left`, in registers, rather than read back from the row just written, which would make each byte
// wait for the store before it.
template <std::size_t Bpp> void unfilterSub(uchar* row, std::size_t length)
{
    uchar left[Bpp] = {};
    for (std::size_t i = 0; i < length; i += Bpp) {
        for (std::size_t c = 0; c < Bpp; ++c)
            row[i + c] = left[c] = uchar(row[i + c] + left[c]);
    }
}

void unfilterUp(uchar* row, const uchar* previous, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        row[i] = uchar(row[i] + previous[i]);
}

template <std::size_t Bpp> void unfilterAverage(uchar* row, const uchar* previous, std::size_t length)
{
    uchar left[Bpp] = {};
    for (std::size_t i = 0; i < length; i += Bpp) {
        for (std::size_t c = 0; c < Bpp; ++c)
            row[i + c] = left[c] = uchar(row[i + c] + ((unsigned(left[c]) + previous[i + c]) >> 1));
    }
}

uchar paethPredictor(int left, int above, int aboveLeft)
{
    const int towardsLeft = std::abs(above - aboveLeft);
    const int towardsAbove = std::abs(left - aboveLeft);
    const int towardsAboveLeft = std::abs(left + above - 2 * aboveLeft);
    if (towardsLeft <= towardsAbove && towardsLeft <= towardsAboveLeft)
        return uchar(left);
    return uchar(towardsAbove <= towardsAboveLeft ? above : aboveLeft);
}

template <std::size_t Bpp> void unfilterPaeth(uchar* row, const uchar* previous, std::size_t length)
{
    uchar left[Bpp] = {};
    uchar aboveLeft[Bpp] = {};
    for (std::size_t i = 0; i < length; i += Bpp) {
        for (std::size_t c = 0; c < Bpp; ++c) {
            const uchar above = previous[i + c];
            row[i + c] = left[c] = uchar(row[i + c] + paethPredictor(left[c], above, aboveLeft[c]));
            aboveLeft[c] = above;
        }
    }
}

template <std::size_t Bpp>
bool unfilter(uchar filterType, uchar* row, const uchar* previous, std::size_t length)
{
    switch (filterType) {
    case 0:
        return true;
    case 1:
        unfilterSub<Bpp>(row, length);
        return true;
    case 2:
        unfilterUp(row, previous, length);
        return true;
    case 3:
        unfilterAverage<Bpp>(row, previous, length);
        return true;
    case 4:
        unfilterPaeth<Bpp>(row, previous, length);
        return true;
    default:
        return false;
    }
}

} // namespace

bool unfilterPngRow(uchar filterType, uchar* row, const uchar* previous, std::size_t length,
                    std::size_t bytesPerPixel)
{
    if (bytesPerPixel == 0 || length % bytesPerPixel != 0)
        return false;
    switch (bytesPerPixel) {
    case 1:
        return unfilter<1>(filterType, row, previous, length);
    case 2:
        return unfilter<2>(filterType, row, previous, length);
    case 3:
        return unfilter<3>(filterType, row, previous, length);
    case 4:
        return unfilter<4>(filterType, row, previous, length);
    case 6:
        return unfilter<6>(filterType, row, previous, length);
    case 8:
        return unfilter<8>(filterType, row, previous, length);
    default:
        return false;
    }
}
