#pragma once

#include <QRect>

// What the window's placement needs of the primary screen, in logical pixels.
struct ScreenMetrics
{
    QRect workArea;   // the screen less the desktop's panels
    QRect screenArea; // the whole screen
};

ScreenMetrics PrimaryScreenMetrics();
