#pragma once

#include <QImage>
#include <QString>

// The pattern pictures the helper writes, by the names the run script gives them: "coordinates" (each
// pixel encodes its own x and y), "tiles" (flat tiles that survive JPEG coding) and "colourful" (what the
// screenshot shows).
using PatternPainter = QImage (*)(int width, int height);

// Null for a name that is none of these.
PatternPainter PatternNamed(const QString& name);
