#pragma once

#include <QString>
#include <cstdint>

// Asks a window to close the way a window manager's close button does: a WM_PROTOCOLS client message
// carrying WM_DELETE_WINDOW. Returns an empty text on success, otherwise what went wrong.
QString SendDeleteWindow(std::uint32_t window);
