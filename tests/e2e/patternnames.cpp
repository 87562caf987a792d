#include "tests/e2e/patternnames.h"

#include "tests/support/pictures/patterns.h"

#include <utility>

using namespace testpictures;

PatternPainter PatternNamed(const QString& name)
{
    const std::pair<const char*, PatternPainter> patterns[] = {
        {"coordinates", CoordinatePicture},
        {"tiles", TilesPicture},
        {"colourful", ColourfulPicture},
    };
    for (const auto& [patternName, painter] : patterns) {
        if (name == QLatin1String(patternName))
            return painter;
    }
    return nullptr;
}
