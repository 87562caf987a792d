#include "settings/initext.h"

#include "settings/systemencoding.h"

#include <algorithm>
#include <cstring>

namespace {

enum class LineKind { Other, Section, Key };

// Where a line lies in the file.
struct LineBounds
{
    qsizetype start = 0;   // offset of the line's first byte
    qsizetype textEnd = 0; // offset after its text, before its line ending
    qsizetype next = 0;    // offset of the following line
};

// What a line holds. Its names and value stay bytes of the file until they are compared or read, so that a
// walk over a large file decodes next to nothing. The system encoding is UTF-8, whose multi-byte characters
// hold no ASCII bytes: blanks, brackets, ";" and "=" stand in the bytes where they stand in the decoded text.
struct IniLine
{
    LineBounds bounds;
    qsizetype valueStart = 0; // a key line's offset just after its "="
    LineKind kind = LineKind::Other;
    bool blank = false;
    QByteArrayView name;  // the section's or the key's name, without surrounding blanks
    QByteArrayView value; // a key's value, without surrounding blanks
};

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView TrimBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

LineBounds FindLine(QByteArrayView content, qsizetype start)
{
    LineBounds bounds{start, content.size(), content.size()};
    // Settings lines are short: a plain loop finds their ends faster than memchr's set-up.
    const char* newline = std::find(content.data() + start, content.data() + content.size(), '\n');
    if (newline != content.data() + content.size()) {
        bounds.textEnd = newline - content.data();
        bounds.next = bounds.textEnd + 1;
    }
    if (bounds.textEnd > start && content[bounds.textEnd - 1] == '\r')
        --bounds.textEnd;
    return bounds;
}

// The line's text. An editor may put a byte order mark before a line; it is not part of the line's text.
QByteArrayView LineText(QByteArrayView content, const LineBounds& bounds)
{
    const QByteArrayView text = content.sliced(bounds.start, bounds.textEnd - bounds.start);
    return !text.isEmpty() && text.front() == ByteOrderMark.front() && text.startsWith(ByteOrderMark)
               ? text.sliced(ByteOrderMark.size())
               : text;
}

// A quick look that tells the lines that may open a section, the only ones that count outside a section.
bool MayOpenSection(QByteArrayView content, const LineBounds& bounds)
{
    const QByteArrayView text = LineText(content, bounds);
    const char* first = std::find_if_not(text.begin(), text.end(), IsBlank);
    return first != text.end() && *first == '[';
}

IniLine ReadLine(QByteArrayView content, const LineBounds& bounds)
{
    IniLine line;
    line.bounds = bounds;
    const QByteArrayView trimmed = TrimBlanks(LineText(content, bounds));
    line.blank = trimmed.isEmpty();
    if (trimmed.startsWith('[')) {
        const qsizetype close = std::find(trimmed.begin(), trimmed.end(), ']') - trimmed.begin();
        line.kind = LineKind::Section;
        line.name = TrimBlanks(trimmed.sliced(1, close - 1));
        return line;
    }
    const qsizetype equals = std::find(trimmed.begin(), trimmed.end(), '=') - trimmed.begin();
    if (trimmed.startsWith(';') || equals == trimmed.size())
        return line;
    line.kind = LineKind::Key;
    line.name = TrimBlanks(trimmed.first(equals));
    line.value = TrimBlanks(trimmed.sliced(equals + 1));
    line.valueStart = trimmed.data() - content.data() + equals + 1;
    return line;
}

bool IsAscii(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A section or key name looked for. Names of ASCII letters alone, the usual ones, are compared as bytes;
// any other is compared as text, where case folding can match a letter outside ASCII with one inside it.
class WantedName
{
  public:
    explicit WantedName(QStringView name) : text_(TrimIniBlanks(name).toString())
    {
        if (std::all_of(text_.cbegin(), text_.cend(), [](QChar c) { return c.unicode() < 0x80; }))
            ascii_ = text_.toLatin1();
    }

    // asciiName tells whether name is ASCII alone, which the caller finds out once for all the names it asks.
    bool matches(QByteArrayView name, bool asciiName) const
    {
        if (!ascii_.isEmpty() && asciiName)
            return name.size() == ascii_.size() &&
                   qstrnicmp(name.data(), name.size(), ascii_.constData(), ascii_.size()) == 0;
        return FromSystemEncoding(name).compare(text_, Qt::CaseInsensitive) == 0;
    }
    bool matches(QByteArrayView name) const { return matches(name, IsAscii(name)); }

  private:
    QString text_;
    QByteArray ascii_;
};

// Where the first section of a name lies and where each wanted key first stands in it.
struct SectionKeys
{
    bool found = false;
    qsizetype endOfLastKey = 0; // offset after the last key line, or after the header when it has none
    std::vector<std::optional<IniLine>> keys;
};

SectionKeys FindSectionKeys(QByteArrayView content, QStringView section, const QList<QString>& keys)
{
    const WantedName wantedSection(section);
    std::vector<WantedName> wantedKeys;
    for (const QString& key : keys)
        wantedKeys.emplace_back(key);
    SectionKeys found;
    found.keys.resize(keys.size());
    for (qsizetype start = 0; start < content.size();) {
        const LineBounds bounds = FindLine(content, start);
        start = bounds.next;
        if (!found.found && !MayOpenSection(content, bounds))
            continue;
        const IniLine line = ReadLine(content, bounds);
        if (line.kind == LineKind::Section) {
            if (found.found)
                break;
            found.found = wantedSection.matches(line.name);
            found.endOfLastKey = bounds.next;
        } else if (line.kind == LineKind::Key && found.found) {
            found.endOfLastKey = bounds.next;
            const bool asciiName = IsAscii(line.name);
            for (std::size_t index = 0; index < wantedKeys.size(); ++index)
                if (!found.keys[index] && wantedKeys[index].matches(line.name, asciiName))
                    found.keys[index] = line;
        }
    }
    return found;
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

// Where the last line of a file that ends with a line ending starts.
qsizetype LastLineStart(const QByteArray& content)
{
    return QByteArrayView(content).first(content.size() - 1).lastIndexOf('\n') + 1;
}

bool FitsOnOneLine(QStringView text)
{
    return !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(QChar(0));
}

bool CanStore(QStringView section, QStringView key, QStringView value)
{
    const QStringView sectionName = TrimIniBlanks(section);
    const QStringView keyName = TrimIniBlanks(key);
    return FitsOnOneLine(section) && FitsOnOneLine(key) && FitsOnOneLine(value) && !sectionName.isEmpty() &&
           !keyName.isEmpty() && !sectionName.contains(u']') && !keyName.contains(u'=') &&
           !keyName.startsWith(u'[') && !keyName.startsWith(u';') && !keyName.startsWith(QChar(0xFEFF));
}

// The entries with one per key: a later entry for a key replaces an earlier one, as a later write would.
QList<IniEntry> OnePerKey(const QList<IniEntry>& entries)
{
    QList<IniEntry> distinct;
    for (const IniEntry& entry : entries) {
        const WantedName name(entry.key);
        auto same = std::find_if(distinct.begin(), distinct.end(), [&](const IniEntry& earlier) {
            return name.matches(ToSystemEncoding(TrimIniBlanks(earlier.key)));
        });
        if (same != distinct.end())
            same->value = entry.value;
        else
            distinct.append(entry);
    }
    return distinct;
}

} // namespace

QStringView TrimIniBlanks(QStringView text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

std::vector<std::optional<QString>> FindIniValues(const QByteArray& content, QStringView section,
                                                  const QList<QString>& keys)
{
    const SectionKeys found = FindSectionKeys(content, section, keys);
    std::vector<std::optional<QString>> values(keys.size());
    for (std::size_t index = 0; index < values.size(); ++index)
        if (found.keys[index])
            values[index] = FromSystemEncoding(found.keys[index]->value);
    return values;
}

std::optional<QString> FindIniValue(const QByteArray& content, QStringView section, QStringView key)
{
    return FindIniValues(content, section, {key.toString()}).front();
}

std::optional<QByteArray> WithIniValues(const QByteArray& original, QStringView section,
                                        const QList<IniEntry>& entries)
{
    for (const IniEntry& entry : entries)
        if (!CanStore(section, entry.key, entry.value))
            return std::nullopt;
    const QList<IniEntry> distinct = OnePerKey(entries);
    const QByteArray content = WithLastLineEnded(original);
    const QByteArray ending = LineEndingOf(content);
    auto keyLine = [&ending](const IniEntry& entry) {
        return ToSystemEncoding(TrimIniBlanks(entry.key)) + '=' + ToSystemEncoding(entry.value) + ending;
    };

    QList<QString> keys;
    for (const IniEntry& entry : distinct)
        keys.append(entry.key);
    const SectionKeys found = FindSectionKeys(content, section, keys);

    if (!found.found) {
        QByteArray updated = content;
        // A blank line sets the new section apart from the text above it.
        if (!content.isEmpty() && !ReadLine(content, FindLine(content, LastLineStart(content))).blank)
            updated += ending;
        updated += '[' + ToSystemEncoding(TrimIniBlanks(section)) + ']' + ending;
        for (const IniEntry& entry : distinct)
            updated += keyLine(entry);
        return updated;
    }

    // The values replaced, in the order they stand in the file, and the new keys after the last key line.
    struct Replacement
    {
        qsizetype from = 0;
        qsizetype to = 0;
        QByteArray bytes;
    };
    std::vector<Replacement> replacements;
    QByteArray added;
    for (qsizetype index = 0; index < distinct.size(); ++index) {
        const std::optional<IniLine>& line = found.keys[std::size_t(index)];
        if (line)
            replacements.push_back(
                {line->valueStart, line->bounds.textEnd, ToSystemEncoding(distinct[index].value)});
        else
            added += keyLine(distinct[index]);
    }
    replacements.push_back({found.endOfLastKey, found.endOfLastKey, added});
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement& a, const Replacement& b) { return a.from < b.from; });

    QByteArray updated;
    qsizetype copied = 0;
    for (const Replacement& replacement : replacements) {
        updated += QByteArrayView(content).sliced(copied, replacement.from - copied);
        updated += replacement.bytes;
        copied = replacement.to;
    }
    updated += QByteArrayView(content).sliced(copied);
    return updated;
}

std::optional<QByteArray> WithIniValue(const QByteArray& content, QStringView section, QStringView key,
                                       QStringView value)
{
    return WithIniValues(content, section, {{key.toString(), value.toString()}});
}
