#include "toolkit/numbertext.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

std::optional<std::int16_t> TextToInt16(const QString& text)
{
    // Plain decimal notation only: an optional sign, digits, an optional fraction.
    static const QRegularExpression decimal(QStringLiteral(R"(^[+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)$)"));
    const QString number = text.trimmed();
    if (!decimal.match(number).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok)
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}
