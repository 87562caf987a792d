// Where the settings file lives: beside the program when its folder holds one or can be written, otherwise in
// the user's configuration folder. Checked on the path itself and through the real window's start and close.
#include "settings/appsettings.h"
#include "tests/app/formfixture.h"
#include "tests/support/filesystemguards.h"
#include "toolkit/combobox.h"
#include "toolkit/optionbutton.h"
#include "toolkit/textbox.h"

#include <optional>

namespace {

enum class Place { BesideProgram, UserConfig, Nowhere };

// How the program folder is found: whether it holds a settings file, and what cannot be written.
struct Folder
{
    std::optional<QByteArray> settingsFile;
    bool folderReadOnly = false;
    bool fileReadOnly = false;
};

// Gives the user's configuration folder a temporary home for the life of the test.
class ConfigHome
{
  public:
    ConfigHome() : saved_(qgetenv("XDG_CONFIG_HOME")), wasSet_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path()));
    }
    ~ConfigHome()
    {
        if (wasSet_)
            qputenv("XDG_CONFIG_HOME", saved_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

    bool isValid() const { return home_.isValid(); }
    QString settingsPath() const { return home_.filePath(QStringLiteral("Kadrelle/Kadrelle.ini")); }
    bool holdsAnything() const
    {
        return !QDir(home_.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

  private:
    QTemporaryDir home_;
    QByteArray saved_;
    bool wasSet_;
};

QByteArray ContentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder made read-only as the case asks; the guards end before the folder is removed.
class ProgramFolderTest : public FormTest
{
  protected:
    void prepare(const Folder& setup)
    {
        ASSERT_TRUE(configHome.isValid());
        if (setup.settingsFile)
            writeSettings(*setup.settingsFile);
        if (setup.fileReadOnly) {
            fileGuard.emplace(settingsPath());
            if (!fileGuard->active())
                GTEST_SKIP() << "this file system cannot make a file read-only for root";
        }
        if (setup.folderReadOnly) {
            folderGuard.emplace(folder.path());
            if (!folderGuard->active())
                GTEST_SKIP() << "this file system cannot make a folder read-only for root";
        }
    }
    void TearDown() override
    {
        form.reset();
        folderGuard.reset();
        fileGuard.reset();
    }

    QStringList programFolderEntries() const
    {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    ConfigHome configHome;
    std::optional<Immutable> folderGuard;
    std::optional<Immutable> fileGuard;
};

const QByteArray Stored = "[Kadrelle]\nDATAFILE=/pics/wall[00007].bmp\nSCREENSELECT=Option2\nVALWIDTH=300\n";

struct LocationCase
{
    const char* name;
    Folder folder;
    Place place;
    bool writeSucceeds;
};

void PrintTo(const LocationCase& location, std::ostream* stream)
{
    *stream << location.name;
}

class SettingsLocation : public ProgramFolderTest, public testing::WithParamInterface<LocationCase>
{
};

TEST_P(SettingsLocation, PathAndFirstWrite)
{
    const LocationCase& location = GetParam();
    prepare(location.folder);
    if (HasFatalFailure() || IsSkipped())
        return;
    const QStringList entriesBefore = programFolderEntries();

    const QString path = IniFilePath();
    EXPECT_EQ(path, location.place == Place::UserConfig ? configHome.settingsPath() : settingsPath());
    EXPECT_EQ(WriteIniString(SettingsSection, SettingsKey::FixSize, QStringLiteral("0")),
              location.writeSucceeds);
    EXPECT_EQ(ReadIniString(SettingsSection, SettingsKey::FixSize, QStringLiteral("none"), 256),
              location.writeSucceeds ? QStringLiteral("0") : QStringLiteral("none"));
    if (location.place == Place::UserConfig) {
        EXPECT_EQ(ContentOf(configHome.settingsPath()), "[Kadrelle]\nFIXSIZE=0\n");
        EXPECT_EQ(programFolderEntries(), entriesBefore);
    } else {
        EXPECT_FALSE(configHome.holdsAnything());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SettingsLocation,
    testing::Values(
        LocationCase{"writableFolder", {}, Place::BesideProgram, true},
        LocationCase{"writableFolderWithItsFile", {"[Kadrelle]\n"}, Place::BesideProgram, true},
        // The file is replaced in one step, which needs the folder: as for any failing write.
        LocationCase{"readOnlyFolderWithItsFile", {"[Kadrelle]\n", true}, Place::BesideProgram, false},
        LocationCase{"readOnlyFolder", {std::nullopt, true}, Place::UserConfig, true},
        LocationCase{"readOnlyFolderAndFile", {"[Kadrelle]\n", true, true}, Place::Nowhere, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramFolderTest, MissingProgramFolderKeepsTheSettingsInTheUserConfigFolder)
{
    ASSERT_TRUE(configHome.isValid());
    const QString missing = folder.filePath(QStringLiteral("missing"));
    SetAppFolder(missing);
    EXPECT_EQ(IniFilePath(), configHome.settingsPath());
    EXPECT_TRUE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/a.bmp")));
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(ContentOf(configHome.settingsPath()), "[Kadrelle]\nDATAFILE=/a.bmp\n");
}

TEST_F(ProgramFolderTest, UserConfigFolderFollowsXdgConfigHome)
{
    ASSERT_TRUE(configHome.isValid());
    prepare({std::nullopt, true});
    if (HasFatalFailure() || IsSkipped())
        return;
    QTemporaryDir otherHome;
    ASSERT_TRUE(otherHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(otherHome.path()));
    EXPECT_EQ(IniFilePath(), otherHome.filePath(QStringLiteral("Kadrelle/Kadrelle.ini")));
}

// What the window shows after its start.
struct Shown
{
    QString Text1;
    bool option1 = true;
    int listIndex = 1;
    QString Text2 = QStringLiteral("240");
};

struct WindowCase
{
    const char* name;
    Folder folder;
    Shown atStart;
    Place closeWrites;
};

void PrintTo(const WindowCase& window, std::ostream* stream)
{
    *stream << window.name;
}

class SettingsLocationThroughTheWindow : public ProgramFolderTest,
                                         public testing::WithParamInterface<WindowCase>
{
  protected:
    void expectShown(const Shown& expected)
    {
        EXPECT_EQ(control<TextBox>("Text1")->text(), expected.Text1);
        EXPECT_EQ(control<OptionButton>("Option1")->Value(), expected.option1);
        EXPECT_EQ(control<ComboBox>("Combo1")->ListIndex(), expected.listIndex);
        EXPECT_EQ(control<TextBox>("Text2")->text(), expected.Text2);
    }
};

TEST_P(SettingsLocationThroughTheWindow, StartReadsAndCloseWritesInOnePlace)
{
    const WindowCase& window = GetParam();
    prepare(window.folder);
    if (HasFatalFailure() || IsSkipped())
        return;
    const QByteArray besideBefore = readSettings();
    const QStringList entriesBefore = programFolderEntries();

    open();
    expectShown(window.atStart);
    const QString closedAt = QStringLiteral("/closed/at[00002].bmp");
    control<TextBox>("Text1")->setText(closedAt);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(messageBoxShown());
    form.reset();

    const QByteArray besideAfter = readSettings();
    const QByteArray inUserConfig = ContentOf(configHome.settingsPath());
    switch (window.closeWrites) {
    case Place::BesideProgram:
        EXPECT_TRUE(besideAfter.contains("DATAFILE=" + closedAt.toUtf8()));
        EXPECT_FALSE(configHome.holdsAnything());
        break;
    case Place::UserConfig:
        EXPECT_TRUE(inUserConfig.contains("DATAFILE=" + closedAt.toUtf8()));
        EXPECT_EQ(programFolderEntries(), entriesBefore);
        break;
    case Place::Nowhere:
        EXPECT_EQ(besideAfter, besideBefore);
        EXPECT_EQ(programFolderEntries(), entriesBefore);
        EXPECT_FALSE(configHome.holdsAnything());
        break;
    }

    // The next start, in the same folder, finds what the close kept.
    if (window.closeWrites != Place::Nowhere) {
        Shown next = window.atStart;
        next.Text1 = closedAt;
        open();
        expectShown(next);
    }
}

const Shown Defaults{};
const Shown FromStored{QStringLiteral("/pics/wall[00007].bmp"), false, 1, QStringLiteral("300")};

INSTANTIATE_TEST_SUITE_P(
    Folders, SettingsLocationThroughTheWindow,
    testing::Values(WindowCase{"writableFolder", {}, Defaults, Place::BesideProgram},
                    WindowCase{"existingFile", {Stored}, FromStored, Place::BesideProgram},
                    WindowCase{"readOnlyFolder", {std::nullopt, true}, Defaults, Place::UserConfig},
                    WindowCase{"readOnlyFolderAndFile", {Stored, true, true}, FromStored, Place::Nowhere}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
