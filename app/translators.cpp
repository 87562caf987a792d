#include "app/translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InstallTranslators(QCoreApplication& app)
{
    auto* qtTexts = new QTranslator(&app);
    // Without the translation file (Debian's qt6-translations-l10n) Qt's own texts stay English.
    if (qtTexts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTexts);
}
