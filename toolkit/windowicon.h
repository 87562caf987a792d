#pragma once

#include <QIcon>

// The window's icon at 16×16 and 32×32: a rectangle with an arrow pointing at it from each side.
QIcon WindowIcon();
