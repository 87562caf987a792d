// kadrelle-trim speaks the language of its locale as Qt reads it from the environment: English for an English
// one, Japanese (the language its texts are written in) for any other and for the C locale.
#include "tests/cli/trimprocess.h"
#include "tests/support/longoptions.h"
#include "tests/support/pictures/patterns.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

const QStringList English{QStringLiteral("LANG=en_US.UTF-8")};

bool HoldsJapanese(const QString& text)
{
    static const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
    return text.contains(japanese);
}

TEST(KadrelleTrimLanguage, FollowsTheLocale)
{
    const struct
    {
        QStringList variables;
        bool english;
    } rows[] = {
        {{"LANG=en_US.UTF-8"}, true},
        {{"LANG=en_GB.UTF-8"}, true},
        {{}, false},
        {{"LANG=C"}, false},
        {{"LANG=ja_JP.UTF-8"}, false},
        {{"LANG=de_DE.UTF-8"}, false},
        {{"LANG=de_DE.UTF-8", "LANGUAGE=de:en"}, true},
        {{"LANG=fr_FR.UTF-8", "LANGUAGE=ja:en"}, false},
        // The C locale keeps its language whatever LANGUAGE asks for, as gettext does.
        {{"LANG=C", "LANGUAGE=en"}, false},
        {{"LANG=ja_JP.UTF-8", "LC_ALL=en_GB.UTF-8"}, true},
        {{"LANG=en_US.UTF-8", "LC_MESSAGES=ja_JP.UTF-8"}, false},
    };
    for (const auto& row : rows) {
        const Finished run = RunTrimInLocale(row.variables, {"--help"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.startsWith(row.english ? "Usage: kadrelle-trim " : "使い方: kadrelle-trim "))
            << row.variables.join(' ').toStdString() << "\n"
            << run.out.left(40).toStdString();
    }
}

TEST(KadrelleTrimLanguage, HelpInEnglishNamesWhatTheJapaneseDoes)
{
    const Finished english = RunTrimInLocale(English, {"--help"});
    const Finished japanese = RunTrimInLocale({}, {"--help"});
    EXPECT_EQ(english.exitCode, 0);
    EXPECT_FALSE(HoldsJapanese(english.out)) << english.out.toStdString();
    EXPECT_TRUE(english.out.startsWith(
        "Usage: kadrelle-trim --output PATH [--target WxH] [--preview WxH] [--jobs N] [--recursive]\n"
        "                     [--no-overwrite] FILE|FOLDER...\n"));
    EXPECT_EQ(LongOptions(english.out), LongOptions(japanese.out));
    for (const char* word : {"240x320", "480x800", "20000", "(1 to "})
        EXPECT_TRUE(english.out.contains(word)) << word;
}

TEST(KadrelleTrimLanguage, ResultsAndSummaryInEnglish)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath("p.png");
    const QString broken = folder.filePath("broken.png");
    ASSERT_TRUE(SaveCoordinatePng(picture, 300, 500));
    QFile brokenFile(broken);
    ASSERT_TRUE(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("no picture here");
    brokenFile.close();

    const Finished run = RunTrimInLocale(
        English, {"--jobs", "1", "--output", folder.filePath("w.bmp"), picture, broken, picture});

    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3) << run.out.toStdString();
    EXPECT_EQ(lines[0], picture + ": Saved: " + folder.filePath("w[00000].bmp") + " (288×384)");
    EXPECT_TRUE(lines[1].startsWith(broken + ": Cannot read the picture: " + broken))
        << lines[1].toStdString();
    EXPECT_EQ(lines[2], picture + ": Saved: " + folder.filePath("w[00001].bmp") + " (288×384)");
    EXPECT_TRUE(QRegularExpression("^kadrelle-trim: 2 saved, 1 failed, [0-9]+\\.[0-9][0-9] s\\n$")
                    .match(run.err)
                    .hasMatch())
        << run.err.toStdString();
    EXPECT_FALSE(HoldsJapanese(run.out + run.err));
}

// The reasons come from our texts and from Qt's own parser, which speaks Japanese with Qt's translation.
TEST(KadrelleTrimLanguage, RefusalsInTheLanguage)
{
    QTemporaryDir folder;
    const QString output = folder.filePath("w.bmp");
    const struct
    {
        QStringList arguments;
        const char* english;
    } rows[] = {
        {{"--output", output, "--target", "0x320", "p.png"},
         "kadrelle-trim: --target needs a width and a height from 1 to 32767, such as 240x320: 0x320\n"
         "See kadrelle-trim --help\n"},
        {{"--output", output},
         "kadrelle-trim: Give at least one picture file or folder\nSee kadrelle-trim --help\n"},
        {{"--bogus"}, "kadrelle-trim: Unknown option 'bogus'.\nSee kadrelle-trim --help\n"},
        {{"--output", folder.filePath("missing/w.bmp"), "p.png"},
         "kadrelle-trim: The output folder does not exist: "},
    };
    for (const auto& row : rows) {
        const Finished english = RunTrimInLocale(English, row.arguments);
        EXPECT_EQ(english.exitCode, 2);
        EXPECT_TRUE(english.err.startsWith(QString::fromUtf8(row.english))) << english.err.toStdString();
        const Finished japanese = RunTrimInLocale({}, row.arguments);
        EXPECT_EQ(japanese.exitCode, 2);
        EXPECT_TRUE(HoldsJapanese(japanese.err)) << japanese.err.toStdString();
    }
}

} // namespace
