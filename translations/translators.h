#pragma once

#include <QLocale>

class QCoreApplication;

// The language the programs speak for a user's locale: English when the user's languages name English before
// Japanese, Japanese (the language every text is written in) otherwise, the C locale included.
QLocale::Language ProgramLanguage(const QLocale& userLocale);

// Installs, before any window is made or text is shown, the translators the language needs: Qt's own
// translation into it, so that the file dialog, the standard buttons and the command line's parser speak it
// too, and for English the programs' English translation.
void InstallTranslators(QCoreApplication& app, QLocale::Language language);
