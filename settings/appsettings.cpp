#include "settings/appsettings.h"

#include "settings/inifile.h"
#include "settings/systemencoding.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString& StoredAppFolder()
{
    static QString folder;
    return folder;
}

const QString IniFileName = QStringLiteral("Kadrelle.ini");

// The folder that QStandardPaths::AppConfigLocation gives an application named Kadrelle, whatever the name of
// the running program (a renamed copy or a test).
QString UserConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Kadrelle/");
}

QString WithTrailingSeparator(const QString& folder)
{
    return folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

QString AppFolder()
{
    QString& folder = StoredAppFolder();
    if (folder.isEmpty())
        folder = WithTrailingSeparator(QCoreApplication::applicationDirPath());
    return folder;
}

void SetAppFolder(const QString& folder)
{
    StoredAppFolder() = WithTrailingSeparator(folder);
}

QString IniFilePath()
{
    const QString besideProgram = AppFolder() + IniFileName;
    if (QFileInfo::exists(besideProgram) || QFileInfo(AppFolder()).isWritable())
        return besideProgram;
    return UserConfigFolder() + IniFileName;
}

IniSnapshot::IniSnapshot(const QString& section, const QStringList& keys) : keys_(keys)
{
    const QByteArray content = LoadIniFile(IniFilePath()).value_or(QByteArray());
    values_ = FindIniValues(content, section, keys_);
}

QString IniSnapshot::ReadIniString(const QString& key, const QString& defaultText, std::int16_t size) const
{
    // The value arrives in a buffer of size bytes, the last of which holds the terminating NUL.
    const qsizetype valueBytes = qsizetype{size} - 1;
    const qsizetype index = keys_.indexOf(key);
    const std::optional<QString> value = index < 0 ? std::nullopt : values_[std::size_t(index)];
    return CutToEncodedLength(value.value_or(defaultText), valueBytes);
}

QString ReadIniString(const QString& section, const QString& key, const QString& defaultText,
                      std::int16_t size)
{
    return IniSnapshot(section, {key}).ReadIniString(key, defaultText, size);
}

bool WriteIniStrings(const QString& section, const QList<IniEntry>& entries)
{
    const QString path = IniFilePath();
    const std::optional<QByteArray> content = LoadIniFile(path);
    if (!content)
        return false;
    const std::optional<QByteArray> updated = WithIniValues(*content, section, entries);
    return updated && SaveIniFile(path, *updated);
}

bool WriteIniString(const QString& section, const QString& key, const QString& value)
{
    return WriteIniStrings(section, {{key, value}});
}
