#pragma once

#include <QColor>

// The colour of the preview box behind its picture. Transparent pixels are composited over it, so a saved
// bitmap shows what the box shows, whether the window or kadrelle-trim saved it.
inline const QColor PreviewBackground = QColor(240, 240, 240);
