#include "settings/initext.h"

#include "settings/systemencoding.h"

#include <vector>

namespace {

enum class LineKind { Other, Section, Key };

struct IniLine
{
    qsizetype start = 0;   // offset of the line's first byte
    qsizetype textEnd = 0; // offset after its text, before its line ending
    qsizetype next = 0;    // offset of the following line
    LineKind kind = LineKind::Other;
    bool blank = false;
    QString name;
    QString value;
};

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView TrimBlanks(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

bool SameName(QStringView a, QStringView b)
{
    return TrimBlanks(a).compare(TrimBlanks(b), Qt::CaseInsensitive) == 0;
}

void ClassifyLine(QStringView text, IniLine& line)
{
    const QStringView trimmed = TrimBlanks(text);
    line.blank = trimmed.isEmpty();
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        line.kind = LineKind::Section;
        line.name = TrimBlanks(trimmed.sliced(1, (close < 0 ? trimmed.size() : close) - 1)).toString();
        return;
    }
    const qsizetype equals = trimmed.indexOf(u'=');
    if (trimmed.startsWith(u';') || equals < 0)
        return;
    line.kind = LineKind::Key;
    line.name = TrimBlanks(trimmed.first(equals)).toString();
    line.value = TrimBlanks(trimmed.sliced(equals + 1)).toString();
}

std::vector<IniLine> SplitIniLines(const QByteArray& content)
{
    std::vector<IniLine> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        IniLine line;
        line.start = start;
        const qsizetype newline = content.indexOf('\n', start);
        line.next = newline < 0 ? content.size() : newline + 1;
        line.textEnd = newline < 0 ? content.size() : newline;
        if (line.textEnd > start && content[line.textEnd - 1] == '\r')
            --line.textEnd;
        ClassifyLine(FromSystemEncoding(QByteArrayView(content).sliced(start, line.textEnd - start)), line);
        lines.push_back(std::move(line));
        start = lines.back().next;
    }
    return lines;
}

// Index of the header line of the first section called name, or lines.size() when there is none.
std::size_t FindSection(const std::vector<IniLine>& lines, QStringView name)
{
    std::size_t index = 0;
    while (index < lines.size() &&
           !(lines[index].kind == LineKind::Section && SameName(lines[index].name, name)))
        ++index;
    return index;
}

QByteArray LineEndingOf(const QByteArray& content)
{
    const qsizetype newline = content.indexOf('\n');
    return newline > 0 && content[newline - 1] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

// The file's last line may stop without a line ending, or at a lone "\r" that the reader drops from the
// line's text: it gets a whole ending, so that a line written after it stands on a line of its own. A text
// that itself ends in "\r" keeps it only before "\r\n", since the reader drops one "\r" before a "\n".
QByteArray WithLastLineEnded(const QByteArray& content)
{
    if (content.isEmpty() || content.endsWith('\n'))
        return content;
    const QByteArray text = content.endsWith('\r') ? content.chopped(1) : content;
    return text + (text.endsWith('\r') ? QByteArrayLiteral("\r\n") : LineEndingOf(content));
}

bool FitsOnOneLine(QStringView text)
{
    return !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(QChar(0));
}

bool CanStore(QStringView section, QStringView key, QStringView value)
{
    const QStringView sectionName = TrimBlanks(section);
    const QStringView keyName = TrimBlanks(key);
    return FitsOnOneLine(section) && FitsOnOneLine(key) && FitsOnOneLine(value) && !sectionName.isEmpty() &&
           !keyName.isEmpty() && !sectionName.contains(u']') && !keyName.contains(u'=') &&
           !keyName.startsWith(u'[') && !keyName.startsWith(u';');
}

} // namespace

std::optional<QString> FindIniValue(const QByteArray& content, QStringView section, QStringView key)
{
    const std::vector<IniLine> lines = SplitIniLines(content);
    for (std::size_t index = FindSection(lines, section) + 1;
         index < lines.size() && lines[index].kind != LineKind::Section; ++index) {
        if (lines[index].kind == LineKind::Key && SameName(lines[index].name, key))
            return lines[index].value;
    }
    return std::nullopt;
}

std::optional<QByteArray> WithIniValue(const QByteArray& original, QStringView section, QStringView key,
                                       QStringView value)
{
    if (!CanStore(section, key, value))
        return std::nullopt;
    const QByteArray content = WithLastLineEnded(original);
    const std::vector<IniLine> lines = SplitIniLines(content);
    const QByteArray ending = LineEndingOf(content);
    const QByteArray keyLine = ToSystemEncoding(TrimBlanks(key)) + '=' + ToSystemEncoding(value);

    const std::size_t sectionIndex = FindSection(lines, section);
    if (sectionIndex == lines.size()) {
        QByteArray updated = content;
        // A blank line sets the new section apart from the text above it.
        if (!lines.empty() && !lines.back().blank)
            updated += ending;
        return updated + '[' + ToSystemEncoding(TrimBlanks(section)) + ']' + ending + keyLine + ending;
    }

    std::size_t lastKey = sectionIndex;
    for (std::size_t index = sectionIndex + 1; index < lines.size() && lines[index].kind != LineKind::Section;
         ++index) {
        const IniLine& line = lines[index];
        if (line.kind != LineKind::Key)
            continue;
        if (SameName(line.name, key))
            return QByteArray(content).replace(line.start, line.textEnd - line.start, keyLine);
        lastKey = index;
    }
    return QByteArray(content).insert(lines[lastKey].next, keyLine + ending);
}
