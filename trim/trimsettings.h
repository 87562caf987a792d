#pragma once

#include <cstdint>

// The sizes a trim works with, as the window holds them: 16-bit pixels, 0 until set.
struct TrimSettings
{
    std::int16_t TargetWidth = 0;
    std::int16_t TargetHeight = 0;
    std::int16_t PreviewMaxWidth = 0;
    std::int16_t PreviewMaxHeight = 0;
};
