#pragma once

#include "settings/initext.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

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

// Some keys of one section as the settings file held them when the snapshot was taken: the file is read and
// parsed once, however many of the keys are then looked up.
class IniSnapshot
{
  public:
    IniSnapshot(const QString& section, const QStringList& keys);

    // The value of one of the snapshot's keys, or defaultText when the file, the section or the key is
    // missing (a key with an empty value gives the empty text). Either arrives as through a buffer of size
    // bytes: cut to its first size - 1 bytes in the system's 8-bit encoding, between characters. A file that
    // cannot be read gives the default, and so does a key the snapshot was not taken for.
    QString ReadIniString(const QString& key, const QString& defaultText, std::int16_t size) const;

  private:
    QStringList keys_;
    std::vector<std::optional<QString>> values_;
};

// One key read on its own, as IniSnapshot reads it.
QString ReadIniString(const QString& section, const QString& key, const QString& defaultText,
                      std::int16_t size);

// Sets keys of the settings file, replacing the file in one step. False, with the file left as it was, when
// the file could not be read whole or replaced, a key or value cannot be stored on one line, or the file
// would grow past the largest one a start reads.
bool WriteIniStrings(const QString& section, const QList<IniEntry>& entries);
// The same for one key.
bool WriteIniString(const QString& section, const QString& key, const QString& value);
