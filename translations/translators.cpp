#include "translations/translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QLocale::Language ProgramLanguage(const QLocale& userLocale)
{
    // The C locale's list of languages can still name English (through LANGUAGE); C stays Japanese.
    if (userLocale.language() == QLocale::C)
        return QLocale::Japanese;
    for (const QString& name : userLocale.uiLanguages()) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English || language == QLocale::Japanese)
            return language;
    }
    return QLocale::Japanese;
}

void InstallTranslators(QCoreApplication& app, QLocale::Language language)
{
    auto* translator = new QTranslator(&app);
    const bool loaded =
        language == QLocale::English
            ? translator->load(QStringLiteral(":/i18n/kadrelle_en.qm"))
            // Without the translation file (Debian's qt6-translations-l10n) Qt's own texts stay English.
            : translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                               QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        app.installTranslator(translator);
    else
        delete translator;
}
