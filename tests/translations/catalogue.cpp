#include "tests/translations/catalogue.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

// The placeholders a text fills in (%1 … %99, %n), sorted, each once.
QStringList Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(?:[1-9][0-9]?|n)"));
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found.append(match.captured());
    found.sort();
    found.removeDuplicates();
    return found;
}

bool HoldsJapanese(const QString& text)
{
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

CatalogueEntry ReadMessage(QXmlStreamReader& xml, const QString& context)
{
    CatalogueEntry entry;
    entry.context = context;
    entry.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("source")) {
            entry.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QStringView type = xml.attributes().value(QLatin1String("type"));
            entry.unfinished = type == QLatin1String("unfinished");
            entry.vanished = type == QLatin1String("vanished") || type == QLatin1String("obsolete");
            if (entry.numerus) {
                while (xml.readNextStartElement())
                    entry.translations.append(xml.readElementText());
            } else {
                entry.translations.append(xml.readElementText());
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return entry;
}

} // namespace

std::vector<CatalogueEntry> ReadCatalogue(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return {};
    }
    std::vector<CatalogueEntry> entries;
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("TS")) {
        error = QStringLiteral("no <TS> element");
        return {};
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("context")) {
            xml.skipCurrentElement();
            continue;
        }
        QString context;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("message"))
                entries.push_back(ReadMessage(xml, context));
            else
                xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        error = xml.errorString();
        return {};
    }
    return entries;
}

QString TranslationProblem(const CatalogueEntry& entry)
{
    if (entry.vanished)
        return QStringLiteral("the text is gone from the sources");
    if (entry.unfinished)
        return QStringLiteral("the translation is unfinished");
    // English has two plural forms: one, and all others.
    if (entry.translations.size() != (entry.numerus ? 2 : 1))
        return QStringLiteral("%1 translations").arg(entry.translations.size());
    for (const QString& translation : entry.translations) {
        if (translation.trimmed().isEmpty())
            return QStringLiteral("an empty translation");
        if (HoldsJapanese(translation))
            return QStringLiteral("Japanese in the translation: ") + translation;
        if (Placeholders(translation) != Placeholders(entry.source))
            return QStringLiteral("other placeholders than the source: ") + translation;
    }
    return {};
}

QString Described(const CatalogueEntry& entry)
{
    return entry.context + QStringLiteral(": \"") + entry.source + QLatin1Char('"');
}
