#include "settings/appsettings.h"

QString AppFolder() { return {}; }
void SetAppFolder(const QString&) {}
QString IniFilePath() { return AppFolder() + QStringLiteral("Kadrelle.ini"); }
QString ReadIniString(const QString&, const QString&, const QString& defaultText, std::int16_t) { return defaultText; }
bool WriteIniString(const QString&, const QString&, const QString&) { return false; }
