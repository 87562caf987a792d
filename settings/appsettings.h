#pragma once

#include <QString>
#include <cstdint>

// The settings the window keeps between runs live in "Kadrelle.ini" beside the program, section "Kadrelle".
inline const QString SettingsSection = QStringLiteral("Kadrelle");

namespace SettingsKey {
inline const QString DataFile = QStringLiteral("DATAFILE");
inline const QString ScreenSelect = QStringLiteral("SCREENSELECT");
inline const QString FixSize = QStringLiteral("FIXSIZE");
inline const QString ValWidth = QStringLiteral("VALWIDTH");
inline const QString ValHeight = QStringLiteral("VALHEIGHT");
} // namespace SettingsKey

// The program's folder with a trailing separator, fixed at the first call.
QString AppFolder();
// Points AppFolder at another folder (tests use a temporary one); the separator is added as usual.
void SetAppFolder(const QString& folder);
QString IniFilePath();

// The key's value (at most size - 1 bytes in the system's 8-bit encoding), or defaultText when the file,
// section or key is missing.
QString ReadIniString(const QString& section, const QString& key, const QString& defaultText,
                      std::int16_t size);
// Writes one key of the settings file; false when the file could not be replaced.
bool WriteIniString(const QString& section, const QString& key, const QString& value);
