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
    // Qt's own texts are English: its English translation gives them their plural forms, its Japanese one
    // makes them Japanese. Without Debian's qt6-translations-l10n they stay as they are.
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTexts);
    if (language == QLocale::English) {
        auto* programTexts = new QTranslator(&app);
        if (programTexts->load(QStringLiteral(":/i18n/kadrelle_en.qm")))
            app.installTranslator(programTexts);
    }
}
