#pragma once

#include <QString>
#include <cstdint>

// The settings the window keeps between runs live in "Kadrelle.ini" (where: IniFilePath), section "Kadrelle".
inline const QString SettingsSection = QStringLiteral("Kadrelle");

namespace SettingsKey {
inline const QString DataFile = QStringLiteral("DATAFILE");
inline const QString ScreenSelect = QStringLiteral("SCREENSELECT");
inline const QString FixSize = QStringLiteral("FIXSIZE");
inline const QString ValWidth = QStringLiteral("VALWIDTH");
inline const QString ValHeight = QStringLiteral("VALHEIGHT");
} // namespace SettingsKey

// The program's folder with a trailing "/", fixed at the first call.
QString AppFolder();
// Points AppFolder at another folder (tests use a temporary one); the "/" is added as usual. An empty folder
// lets the next call fix the program's folder again.
void SetAppFolder(const QString& folder);
// The settings file: AppFolder() followed by "Kadrelle.ini" when that file is there or the folder can be
// written, so a portable copy keeps its settings beside it; otherwise Kadrelle/Kadrelle.ini in the user's
// configuration folder ($XDG_CONFIG_HOME, ~/.config by default), as for a copy installed in a system folder.
QString IniFilePath();

// The key's value, or defaultText when the file, the section or the key is missing (a key with an empty value
// gives the empty text). Either arrives as through a buffer of size bytes: cut to its first size - 1 bytes in
// the system's 8-bit encoding, between characters. A file that cannot be read gives the default.
QString ReadIniString(const QString& section, const QString& key, const QString& defaultText,
                      std::int16_t size);
// Sets one key of the settings file, replacing the file in one step. False, with the file left as it was,
// when the file could not be read whole or replaced, or the key or value cannot be stored on one line.
bool WriteIniString(const QString& section, const QString& key, const QString& value);
