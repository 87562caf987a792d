#pragma once

#include <cstdint>

// The largest crop the preview box shows, chosen once from the screen's width.
struct PreviewArea
{
    std::int16_t width = 0;
    std::int16_t height = 0;
};

// Exactly 1088 pixels: 312×520; 1152 or more: 480×800; any other width: 408×680.
PreviewArea ChoosePreviewArea(float screenWidth);
