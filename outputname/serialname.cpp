#include "outputname/serialname.h"

#include "outputname/pathparts.h"

namespace {

constexpr qsizetype SerialWidth = 5;
// "[", the five characters, "]".
constexpr qsizetype BracketedWidth = SerialWidth + 2;

QStringView TrimSpaces(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

std::optional<int> ReadSerialNumber(QStringView characters)
{
    QStringView digits = TrimSpaces(characters);
    const bool negative = digits.startsWith(u'-');
    if (negative || digits.startsWith(u'+'))
        digits = digits.sliced(1);
    if (digits.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return negative ? -value : value;
}

// nullopt when the written serial would push the file name's first "." beyond what a position can hold, so
// that a path that took a serial can always be advanced after the save.
std::optional<QString> WithSerial(const SerialName& parts, int serial)
{
    if (parts.prefix.size() + BracketedWidth >= LongestPath)
        return std::nullopt;
    return parts.prefix + QStringLiteral("[%1]").arg(serial, SerialWidth, 10, QChar(u'0')) + parts.suffix;
}

bool IsSavedSerial(const std::optional<int>& serial)
{
    return serial && *serial >= 0 && *serial <= LastSerial;
}

} // namespace

std::optional<SerialName> ParseSerialName(const QString& path)
{
    const qsizetype place = FirstDotOfFileName(path);
    if (place >= LongestPath)
        return std::nullopt;
    SerialName parts{path.first(place), path.sliced(place), std::nullopt};
    if (place < BracketedWidth || path[place - BracketedWidth] != u'[' || path[place - 1] != u']')
        return parts;
    parts.serial = ReadSerialNumber(QStringView(path).sliced(place - BracketedWidth + 1, SerialWidth));
    if (parts.serial)
        parts.prefix.chop(BracketedWidth);
    return parts;
}

std::optional<QString> EnsureSerial(const QString& outputPath)
{
    const std::optional<SerialName> parts = ParseSerialName(outputPath);
    return parts ? WithSerial(*parts, IsSavedSerial(parts->serial) ? *parts->serial : 0) : std::nullopt;
}

std::optional<QString> AdvanceSerial(const QString& outputPath)
{
    const std::optional<SerialName> parts = ParseSerialName(outputPath);
    return parts ? WithSerial(*parts, IsSavedSerial(parts->serial) ? *parts->serial + 1 : 0) : std::nullopt;
}

std::optional<QString> ResetSerial(const QString& outputPath)
{
    const std::optional<SerialName> parts = ParseSerialName(outputPath);
    if (!parts || parts->prefix.isEmpty())
        return std::nullopt;
    return WithSerial(*parts, 0);
}
