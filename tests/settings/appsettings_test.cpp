#include "settings/appsettings.h"
#include "settings/inifile.h"
#include "tests/support/filesystemguards.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr std::int16_t BufferSize = 256;

class SettingsFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        SetAppFolder(folder_.path());
    }
    void TearDown() override { SetAppFolder(QString()); }

    void PutFile(const QByteArray& content) const
    {
        QFile file(IniFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }
    QByteArray FileContent() const
    {
        QFile file(IniFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList FolderEntries() const
    {
        return QDir(folder_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    static QString Read(const QString& key, const QString& defaultText = QStringLiteral("default"))
    {
        return ReadIniString(SettingsSection, key, defaultText, BufferSize);
    }

    QTemporaryDir folder_;
};

TEST(AppFolderTest, IsTheProgramFolderWithTrailingSlash)
{
    SetAppFolder(QString());
    EXPECT_EQ(AppFolder(), QCoreApplication::applicationDirPath() + u'/');
    EXPECT_EQ(IniFilePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/Kadrelle.ini"));
}

TEST(AppFolderTest, SlashAddedOnlyWhenMissing)
{
    SetAppFolder(QStringLiteral("/tmp/x"));
    EXPECT_EQ(AppFolder(), QStringLiteral("/tmp/x/"));
    SetAppFolder(QStringLiteral("/tmp/x/"));
    EXPECT_EQ(AppFolder(), QStringLiteral("/tmp/x/"));
    SetAppFolder(QStringLiteral("/"));
    EXPECT_EQ(IniFilePath(), QStringLiteral("/Kadrelle.ini"));
    SetAppFolder(QString());
}

TEST_F(SettingsFileTest, MissingFileGivesDefaults)
{
    EXPECT_EQ(Read(SettingsKey::DataFile, QString()), QString());
    EXPECT_EQ(Read(SettingsKey::ScreenSelect, QStringLiteral("Option1")), QStringLiteral("Option1"));
    EXPECT_EQ(Read(SettingsKey::FixSize, QStringLiteral("1")), QStringLiteral("1"));
    EXPECT_TRUE(FolderEntries().isEmpty());
}

TEST_F(SettingsFileTest, ReadsAsTheProfileRulesSay)
{
    PutFile("[kadrelle]\r\nvalwidth=\r\n VALHEIGHT = 0300 \r\nDATAFILE=/pics/wall[00003].bmp\r\n");
    EXPECT_EQ(Read(SettingsKey::ValWidth), QString());
    EXPECT_EQ(Read(SettingsKey::ValHeight), QStringLiteral("0300"));
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("/pics/wall[00003].bmp"));
    EXPECT_EQ(Read(SettingsKey::FixSize), QStringLiteral("default"));
}

TEST_F(SettingsFileTest, LongValueCutToItsFirst255Bytes)
{
    const QString longPath = QStringLiteral("/") + QString(299, u'p');
    PutFile("[Kadrelle]\nDATAFILE=" + longPath.toUtf8() + "\n");
    EXPECT_EQ(Read(SettingsKey::DataFile), longPath.left(255));
}

TEST_F(SettingsFileTest, CutNeverSplitsAMultiByteCharacter)
{
    const QString value = QString(254, u'a') + QStringLiteral("写真");
    PutFile("[Kadrelle]\nDATAFILE=" + value.toUtf8() + "\n");
    EXPECT_EQ(Read(SettingsKey::DataFile), QString(254, u'a'));
}

TEST_F(SettingsFileTest, BufferSizeLimitsValueAndDefault)
{
    PutFile("[Kadrelle]\nDATAFILE=abcdefgh\n");
    EXPECT_EQ(ReadIniString(SettingsSection, SettingsKey::DataFile, QString(), 4), QStringLiteral("abc"));
    EXPECT_EQ(ReadIniString(SettingsSection, SettingsKey::FixSize, QStringLiteral("12345"), 4),
              QStringLiteral("123"));
    EXPECT_EQ(ReadIniString(SettingsSection, SettingsKey::DataFile, QString(), 1), QString());
    EXPECT_EQ(ReadIniString(SettingsSection, SettingsKey::DataFile, QString(), 0), QString());
    EXPECT_EQ(ReadIniString(SettingsSection, SettingsKey::DataFile, QString(), -32768), QString());
}

TEST_F(SettingsFileTest, NulInValueEndsIt)
{
    PutFile(QByteArray("[Kadrelle]\nDATAFILE=ab\0cd\n", 25));
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("ab"));
}

TEST_F(SettingsFileTest, FolderInPlaceOfFileGivesDefaultsAndRefusesWrites)
{
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("Kadrelle.ini")));
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("default"));
    EXPECT_FALSE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/a.bmp")));
    EXPECT_TRUE(QFileInfo(IniFilePath()).isDir());
}

TEST_F(SettingsFileTest, BinaryGarbageGivesDefaults)
{
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(7);
    for (char& byte : garbage)
        byte = static_cast<char>(random.bounded(256));
    PutFile(garbage);
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("default"));
    ASSERT_TRUE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/a.bmp")));
    EXPECT_TRUE(FileContent().startsWith(garbage));
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("/a.bmp"));
}

TEST_F(SettingsFileTest, TenMegabyteFileIsReadWhole)
{
    QByteArray content = "[Other]\n";
    while (content.size() < 10 * 1024 * 1024)
        content += "K=0123456789012345678901234567890123456789\n";
    content += "[Kadrelle]\nFIXSIZE=0\nDATAFILE=" + QByteArray(10000, 'x') + "\n";
    PutFile(content);
    EXPECT_EQ(Read(SettingsKey::FixSize), QStringLiteral("0"));
    EXPECT_EQ(Read(SettingsKey::DataFile), QString(255, u'x'));
}

TEST_F(SettingsFileTest, OversizedFileIsNeitherReadNorReplaced)
{
    PutFile("[Kadrelle]\nFIXSIZE=0\n");
    QFile file(IniFilePath());
    ASSERT_TRUE(file.resize(LargestIniFile + 1));
    EXPECT_EQ(Read(SettingsKey::FixSize), QStringLiteral("default"));
    EXPECT_FALSE(WriteIniString(SettingsSection, SettingsKey::FixSize, QStringLiteral("1")));
    EXPECT_EQ(QFileInfo(IniFilePath()).size(), LargestIniFile + 1);
}

TEST_F(SettingsFileTest, SnapshotHoldsTheFileAsItWasWhenTaken)
{
    PutFile("[Kadrelle]\nFIXSIZE=0\nVALWIDTH=\n");
    const IniSnapshot snapshot(SettingsSection,
                               {SettingsKey::FixSize, SettingsKey::ValWidth, SettingsKey::ValHeight});
    PutFile("[Kadrelle]\nFIXSIZE=1\nVALWIDTH=300\nVALHEIGHT=500\nDATAFILE=/a.bmp\n");
    EXPECT_EQ(snapshot.ReadIniString(SettingsKey::FixSize, QStringLiteral("d"), BufferSize),
              QStringLiteral("0"));
    EXPECT_EQ(snapshot.ReadIniString(SettingsKey::ValWidth, QStringLiteral("d"), BufferSize), QString());
    EXPECT_EQ(snapshot.ReadIniString(SettingsKey::ValHeight, QStringLiteral("d"), BufferSize),
              QStringLiteral("d"));
    EXPECT_EQ(snapshot.ReadIniString(SettingsKey::DataFile, QStringLiteral("d"), BufferSize),
              QStringLiteral("d"));
    EXPECT_EQ(snapshot.ReadIniString(SettingsKey::FixSize, QStringLiteral("d"), 1), QString());
}

TEST_F(SettingsFileTest, RewriteKeepsEachKeysSpelling)
{
    PutFile("[kadrelle]\ndatafile=/a[00001].bmp\nFixSize=0\n");
    ASSERT_TRUE(WriteIniStrings(SettingsSection, {{SettingsKey::DataFile, QStringLiteral("/a[00002].bmp")},
                                                  {SettingsKey::FixSize, QStringLiteral("1")},
                                                  {SettingsKey::ValWidth, QStringLiteral("240")}}));
    EXPECT_EQ(FileContent(), "[kadrelle]\ndatafile=/a[00002].bmp\nFixSize=1\nVALWIDTH=240\n");
}

// A start reads no file past the size limit, so a write that would grow the file past it would lose every
// setting from then on: it is refused like any failing write.
TEST_F(SettingsFileTest, WriteThatWouldPassTheSizeLimitIsRefused)
{
    QByteArray before = "[Kadrelle]\nDATAFILE=/a.bmp\n;";
    before += QByteArray(LargestIniFile - before.size() - 1, 'x') + '\n';
    ASSERT_EQ(before.size(), LargestIniFile);
    PutFile(before);
    EXPECT_TRUE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/b.bmp")));
    EXPECT_FALSE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/b[00000].bmp")));
    EXPECT_FALSE(WriteIniString(SettingsSection, SettingsKey::FixSize, QStringLiteral("1")));
    EXPECT_EQ(FileContent(), QByteArray(before).replace("/a.bmp", "/b.bmp"));
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("/b.bmp"));
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("Kadrelle.ini")});
}

TEST_F(SettingsFileTest, FirstCloseWritesTheFiveKeysInOrder)
{
    EXPECT_TRUE(WriteIniString(SettingsSection, SettingsKey::DataFile, QString()));
    EXPECT_TRUE(WriteIniString(SettingsSection, SettingsKey::ScreenSelect, QStringLiteral("Option1")));
    EXPECT_TRUE(WriteIniString(SettingsSection, SettingsKey::FixSize, QStringLiteral("1")));
    EXPECT_TRUE(WriteIniString(SettingsSection, SettingsKey::ValWidth, QStringLiteral("240")));
    EXPECT_TRUE(WriteIniString(SettingsSection, SettingsKey::ValHeight, QStringLiteral("400")));
    EXPECT_EQ(FileContent(),
              "[Kadrelle]\nDATAFILE=\nSCREENSELECT=Option1\nFIXSIZE=1\nVALWIDTH=240\nVALHEIGHT=400\n");
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("Kadrelle.ini")});
}

TEST_F(SettingsFileTest, WriteLeavesOtherLinesAsTheyWere)
{
    PutFile("; kept\r\n[Other]\r\nDATAFILE=theirs\r\n\r\n[KADRELLE]\r\nFIXSIZE=0\r\nUNKNOWN=7\r\n");
    ASSERT_TRUE(WriteIniString(SettingsSection, SettingsKey::FixSize, QStringLiteral("-1")));
    ASSERT_TRUE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/写真/a[00000].bmp")));
    EXPECT_EQ(FileContent(),
              "; kept\r\n[Other]\r\nDATAFILE=theirs\r\n\r\n[KADRELLE]\r\nFIXSIZE=-1\r\nUNKNOWN=7\r\n"
              "DATAFILE=/\xE5\x86\x99\xE7\x9C\x9F/a[00000].bmp\r\n");
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("/写真/a[00000].bmp"));
}

TEST_F(SettingsFileTest, UnrepresentableCharacterDoesNotSurvive)
{
    const QString value = QStringLiteral("/a") + QChar(0xDC00) + QStringLiteral(".bmp");
    ASSERT_TRUE(WriteIniString(SettingsSection, SettingsKey::DataFile, value));
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("/a\uFFFD.bmp"));
}

TEST_F(SettingsFileTest, LaterWriterWins)
{
    ASSERT_TRUE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/first[00001].bmp")));
    ASSERT_TRUE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/second[00009].bmp")));
    EXPECT_EQ(Read(SettingsKey::DataFile), QStringLiteral("/second[00009].bmp"));
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("Kadrelle.ini")});
}

TEST_F(SettingsFileTest, ValueWithLineBreakIsRefusedAndChangesNothing)
{
    PutFile("[Kadrelle]\nDATAFILE=/a.bmp\n");
    EXPECT_FALSE(WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/b.bmp\nFIXSIZE=0")));
    EXPECT_EQ(FileContent(), "[Kadrelle]\nDATAFILE=/a.bmp\n");
}

TEST_F(SettingsFileTest, FullDiskLeavesTheOldFileWhole)
{
    const QByteArray before = "[Kadrelle]\nDATAFILE=/a.bmp\n";
    PutFile(before);
    bool written = true;
    {
        const FileSizeLimit limit(static_cast<rlim_t>(before.size()) + 4);
        written = WriteIniString(SettingsSection, SettingsKey::DataFile, QString(200, u'b'));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(FileContent(), before);
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("Kadrelle.ini")});
}

TEST_F(SettingsFileTest, ReadOnlyFolderLeavesTheOldFileWhole)
{
    const QByteArray before = "[Kadrelle]\nDATAFILE=/a.bmp\n";
    PutFile(before);
    bool written = true;
    {
        const Immutable readOnly(folder_.path());
        if (!readOnly.active())
            GTEST_SKIP() << "this file system cannot make a folder read-only for root";
        written = WriteIniString(SettingsSection, SettingsKey::DataFile, QStringLiteral("/b.bmp"));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(FileContent(), before);
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("Kadrelle.ini")});
}

} // namespace
