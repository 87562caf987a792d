#pragma once

class QCoreApplication;

// Installs, before any window is made, the translations the program's texts need: Qt's own Japanese
// translation, so that the file dialog and the standard buttons speak the language of the window.
void InstallTranslators(QCoreApplication& app);
