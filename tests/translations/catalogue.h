#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One text of a Qt Linguist catalogue (.ts) and its translation: `translations` holds one text, or one per
// plural form for a text counted with %n.
struct CatalogueEntry
{
    QString context;
    QString source;
    QStringList translations;
    bool numerus = false;
    bool unfinished = false;
    // Gone from the sources: lupdate keeps such an entry, marked "vanished" or "obsolete".
    bool vanished = false;
};

// The entries of a .ts file, in file order; empty with a message in `error` when it cannot be read.
std::vector<CatalogueEntry> ReadCatalogue(const QString& path, QString& error);

// Why an entry is no finished translation of its text, or an empty text when it is one.
QString TranslationProblem(const CatalogueEntry& entry);

// The entry named as a reader finds it in the file: context and source text.
QString Described(const CatalogueEntry& entry);
