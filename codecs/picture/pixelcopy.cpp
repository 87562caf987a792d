#include "codecs/picture/pixelcopy.h"

#include <cstring>

void copyPixels(const uchar* source, std::size_t from, uchar* target, std::size_t to, std::size_t count,
                int bitsPerPixel)
{
    if (bitsPerPixel >= 8) {
        const std::size_t bytes = std::size_t(bitsPerPixel / 8);
        std::memcpy(target + to * bytes, source + from * bytes, count * bytes);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t sourceBit = from + i;
        const std::size_t targetBit = to + i;
        const bool set = ((source[sourceBit / 8] >> (7 - sourceBit % 8)) & 1) != 0;
        const auto mask = uchar(0x80u >> (targetBit % 8));
        target[targetBit / 8] =
            set ? uchar(target[targetBit / 8] | mask) : uchar(target[targetBit / 8] & ~mask);
    }
}
