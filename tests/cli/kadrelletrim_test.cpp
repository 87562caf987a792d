#include "tests/cli/trimprocess.h"
#include "tests/support/filesystemguards.h"
#include "tests/support/pictures/patterns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testpictures;

namespace {

TEST(KadrelleTrim, ContinuesPastAFailingFileAndAdvancesTheSerialOnlyOnSuccess)
{
    QTemporaryDir folder;
    const QString first = folder.filePath("first.png");
    const QString broken = folder.filePath("broken.png");
    const QString last = folder.filePath("last.png");
    ASSERT_TRUE(SaveCoordinatePng(first, 300, 500));
    QFile brokenFile(broken);
    ASSERT_TRUE(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("no picture here");
    brokenFile.close();
    ASSERT_TRUE(SaveCoordinatePng(last, 200, 200));
    ASSERT_TRUE(QDir(folder.path()).mkdir("out"));
    const QString output = folder.filePath("out/crop.bmp");

    const Finished run = RunTrim({"--output", output, first, broken, last});

    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3) << run.out.toStdString();
    EXPECT_EQ(lines[0], first + ": 保存しました: " + folder.filePath("out/crop[00000].bmp") + " (288×384)");
    EXPECT_TRUE(lines[1].startsWith(broken + ": 画像を読み込めません: " + broken)) << lines[1].toStdString();
    EXPECT_EQ(lines[2], last + ": 保存しました: " + folder.filePath("out/crop[00001].bmp") + " (144×192)");
    EXPECT_EQ(FilesIn(folder.filePath("out")), (QStringList{"crop[00000].bmp", "crop[00001].bmp"}));
    EXPECT_EQ(QImage(folder.filePath("out/crop[00001].bmp")).pixel(0, 0), CoordinatePixel(28, 4));
    EXPECT_TRUE(Summary(2, 1).match(run.err).hasMatch()) << run.err.toStdString();
}

TEST(KadrelleTrim, KeepsTheGivenSerialAndTheSizesAsked)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath("p.png");
    ASSERT_TRUE(SaveCoordinatePng(picture, 640, 480));
    const QString output = folder.filePath("w[00007].x.bmp");

    const Finished run =
        RunTrim({"--target", "240x400", "--preview", "312x520", "--output", output, picture, picture});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(Summary(2, 0).match(run.err).hasMatch()) << run.err.toStdString();
    const QStringList lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith("w[00007].x.bmp (288×480)")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("w[00008].x.bmp (288×480)")) << lines[1].toStdString();
    EXPECT_EQ(QImage(folder.filePath("w[00008].x.bmp")).size(), QSize(288, 480));
}

// The output folder is checked before any picture is read: a picture that is no picture at all would
// otherwise give a line of its own on the standard output.
TEST(KadrelleTrim, RefusesAnOutputFolderThatCannotTakeTheFilesBeforeReadingAny)
{
    QTemporaryDir folder;
    QFile notAPicture(folder.filePath("p.png"));
    ASSERT_TRUE(notAPicture.open(QIODevice::WriteOnly));
    notAPicture.write("not a picture");
    notAPicture.close();
    QFile plainFile(folder.filePath("file"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    ASSERT_TRUE(QDir(folder.path()).mkpath("locked"));
    const Immutable locked(folder.filePath("locked"));

    struct Row
    {
        const char* output;
        const char* problem;
        const char* folder;
    };
    const Row rows[] = {
        {"missing/w.bmp", "保存先のフォルダーがありません: ", "missing"},
        {"file/w.bmp", "保存先がフォルダーではありません: ", "file"},
        {"locked/w.bmp", "保存先のフォルダーに書き込めません: ", "locked"},
    };
    for (const Row& row : rows) {
        if (QLatin1String(row.folder) == QLatin1String("locked") && !locked.active())
            continue;
        const Finished run = RunTrim({"--output", folder.filePath(row.output), folder.filePath("p.png")});
        EXPECT_EQ(run.exitCode, 2) << row.output;
        EXPECT_EQ(run.out, "") << row.output;
        EXPECT_EQ(run.err, QStringLiteral("kadrelle-trim: %1%2\n")
                               .arg(QString::fromUtf8(row.problem), folder.filePath(row.folder)));
    }
    EXPECT_EQ(FilesIn(folder.path()), (QStringList{"file", "p.png"}));
}

TEST(KadrelleTrim, ARelativeOutputPathIsShownAsTheAbsolutePathWritten)
{
    QTemporaryDir folder;
    ASSERT_TRUE(SaveCoordinatePng(folder.filePath("p.png"), 240, 320));
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(KADRELLE_TRIM_PATH), {"--output", "w.bmp", "p.png"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardOutput()),
              "p.png: 保存しました: " + folder.filePath("w[00000].bmp") + " (240×320)\n");
}

TEST(KadrelleTrim, FailsEveryFileWhenTheOutputPathHasNoRoomForASerial)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath("p.png");
    ASSERT_TRUE(SaveCoordinatePng(picture, 240, 320));
    const QString output = folder.filePath(QString(40000, 'w') + ".bmp");

    const Finished run = RunTrim({"--output", output, picture});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, picture + ": 保存先のパスが長すぎて連番を付けられません: " + output + "\n");
    EXPECT_EQ(FilesIn(folder.path()), QStringList{"p.png"});
}

TEST(KadrelleTrim, HelpDescribesTheCommand)
{
    const Finished run = RunTrim({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(
        run.out.startsWith("使い方: kadrelle-trim --output PATH [--target WxH] [--preview WxH] [--jobs N] "
                           "[--recursive]\n                      [--no-overwrite] FILE|FOLDER...\n"));
    for (const char* option : {"--output", "--target", "--preview", "--jobs", "--recursive", "--no-overwrite",
                               "240x320", "480x800"})
        EXPECT_TRUE(run.out.contains(option)) << option;
}

TEST(KadrelleTrim, RefusesBadArgumentsWithoutWritingAnything)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath("p.png");
    ASSERT_TRUE(SaveCoordinatePng(picture, 240, 320));
    const QString output = folder.filePath("w.bmp");
    const QStringList rows[] = {
        {},
        {"--output", output},
        {"--output", output, "--target", "0x320", picture},
    };
    for (const QStringList& row : rows) {
        const Finished run = RunTrim(row);
        EXPECT_EQ(run.exitCode, 2) << row.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("kadrelle-trim: ")) << run.err.toStdString();
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(FilesIn(folder.path()), QStringList{"p.png"});
}

TEST(KadrelleTrim, LeavesTheWindowSettingsFileAlone)
{
    const QString settingsPath = QFileInfo(QStringLiteral(KADRELLE_TRIM_PATH)).dir().filePath("Kadrelle.ini");
    const auto contents = [&] {
        QFile file(settingsPath);
        return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
    };
    const auto before = contents();
    QTemporaryDir folder;
    const QString picture = folder.filePath("p.png");
    ASSERT_TRUE(SaveCoordinatePng(picture, 240, 320));

    EXPECT_EQ(RunTrim({"--output", folder.filePath("w.bmp"), picture}).exitCode, 0);
    EXPECT_EQ(contents(), before);
}

// On a terminal the progress shows on stderr and is erased before each result line.
TEST(KadrelleTrim, ShowsProgressOnlyOnATerminal)
{
    const QString script = QStandardPaths::findExecutable("script");
    if (script.isEmpty())
        GTEST_SKIP() << "script(1) is needed to run under a terminal";
    QTemporaryDir folder;
    const QString picture = folder.filePath("p.png");
    ASSERT_TRUE(SaveCoordinatePng(picture, 240, 320));
    const QString command = QStringLiteral("'%1' --output '%2' '%3' '%3'")
                                .arg(QStringLiteral(KADRELLE_TRIM_PATH), folder.filePath("w.bmp"), picture);
    QProcess process;
    process.start(script, {"-qec", command, "/dev/null"});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString terminal = QString::fromLocal8Bit(process.readAllStandardOutput());
    EXPECT_TRUE(terminal.contains("[1/2] " + picture)) << terminal.toStdString();
    EXPECT_TRUE(terminal.contains("[2/2] " + picture));

    const Finished piped = RunTrim({"--output", folder.filePath("v.bmp"), picture});
    EXPECT_FALSE(piped.out.contains("[1/1]"));
    EXPECT_TRUE(Summary(1, 0).match(piped.err).hasMatch()) << piped.err.toStdString();
}

} // namespace
