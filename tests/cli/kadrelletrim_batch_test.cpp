// kadrelle-trim over many pictures: several at once, folders, and outputs that must not be replaced.
#include "tests/cli/trimprocess.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/patterns.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using namespace testpictures;

namespace {

// The lines with the folder they name cut off, so two runs into different folders compare.
QStringList Relative(QStringList lines, const QString& folder)
{
    return lines.replaceInStrings(folder + '/', QString());
}

TEST(KadrelleTrimBatch, NumbersAndReportsInInputOrderWhateverTheJobs)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("in"));
    // A large first picture, so that with several jobs later ones finish before it; a broken one between.
    QStringList inputs;
    const auto add = [&](const QString& name) { inputs.append("in/" + name); };
    ASSERT_TRUE(CoordinatePicture(3000, 2000).save(folder.filePath("in/large.jpg"), "JPG", 90));
    add("large.jpg");
    for (int i = 0; i < 6; ++i) {
        const QString name = QStringLiteral("p%1.png").arg(i);
        ASSERT_TRUE(SaveCoordinatePng(folder.filePath("in/" + name), 300 + 40 * i, 500));
        add(name);
        if (i == 2) {
            ASSERT_TRUE(WriteFileBytes(folder.filePath("in/broken.jpg"),
                                       QByteArray("\xFF\xD8\xFF\xE0 cut short", 14)));
            add("broken.jpg");
        }
    }

    QStringList outputs[2];
    QString out[2];
    const int jobs[2] = {1, 4};
    for (int run = 0; run < 2; ++run) {
        out[run] = QStringLiteral("out%1").arg(jobs[run]);
        ASSERT_TRUE(QDir(folder.path()).mkpath(out[run]));
        QStringList arguments{"--jobs", QString::number(jobs[run]), "--output",
                              folder.filePath(out[run] + "/w.bmp")};
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(QStringLiteral(KADRELLE_TRIM_PATH), arguments + inputs);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 1);
        outputs[run] = Relative(Lines(QString::fromLocal8Bit(process.readAllStandardOutput())),
                                folder.filePath(out[run]));
    }

    ASSERT_EQ(outputs[1].size(), inputs.size());
    EXPECT_EQ(outputs[1], outputs[0]);
    EXPECT_EQ(outputs[1][0], "in/large.jpg: 保存しました: w[00000].bmp (480×640)");
    EXPECT_TRUE(outputs[1][4].startsWith("in/broken.jpg: ")) << outputs[1][4].toStdString();
    EXPECT_EQ(outputs[1][5], "in/p3.png: 保存しました: w[00004].bmp (360×480)");
    const QStringList names = FilesIn(folder.filePath(out[0]));
    ASSERT_EQ(names.size(), inputs.size() - 1);
    EXPECT_EQ(FilesIn(folder.filePath(out[1])), names);
    for (const QString& name : names)
        EXPECT_EQ(QImage(folder.filePath(out[1] + "/" + name)), QImage(folder.filePath(out[0] + "/" + name)))
            << name.toStdString();
    // p3 is 420×500: its crop of 360×480 starts at (30, 10).
    EXPECT_EQ(QImage(folder.filePath(out[1] + "/w[00004].bmp")).pixel(0, 0), CoordinatePixel(30, 10));
}

TEST(KadrelleTrimBatch, TakesTheFoldersPicturesByNameAndSubfoldersWhenRecursive)
{
    QTemporaryDir folder;
    const QString in = folder.filePath("in");
    ASSERT_TRUE(QDir(folder.path()).mkpath("in/sub/deeper"));
    for (const char* name : {"in/b.png", "in/A.png", "in/sub/c.png", "in/sub/deeper/d.png", "in/z.PNG"})
        ASSERT_TRUE(SaveCoordinatePng(folder.filePath(name), 240, 320));
    ASSERT_TRUE(WriteFileBytes(folder.filePath("in/readme.txt"), "not a picture"));
    const QString output = folder.filePath("w.bmp");

    const Finished flat = RunTrim({"--output", output, in});
    EXPECT_EQ(flat.exitCode, 0) << flat.err.toStdString();
    EXPECT_EQ(Relative(Lines(flat.out), folder.path()),
              (QStringList{"in/A.png: 保存しました: w[00000].bmp (240×320)",
                           "in/b.png: 保存しました: w[00001].bmp (240×320)",
                           "in/z.PNG: 保存しました: w[00002].bmp (240×320)"}));
    EXPECT_TRUE(Summary(3, 0).match(flat.err).hasMatch()) << flat.err.toStdString();

    const Finished deep = RunTrim({"--recursive", "--output", folder.filePath("v.bmp"), in});
    EXPECT_EQ(deep.exitCode, 0) << deep.err.toStdString();
    QStringList pictures;
    for (const QString& line : Relative(Lines(deep.out), folder.path()))
        pictures.append(line.section(':', 0, 0));
    EXPECT_EQ(pictures,
              (QStringList{"in/A.png", "in/b.png", "in/sub/c.png", "in/sub/deeper/d.png", "in/z.PNG"}));
}

TEST(KadrelleTrimBatch, AnEmptyFolderSavesNothingAndSucceeds)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("in"));
    const Finished run = RunTrim({"--output", folder.filePath("w.bmp"), folder.filePath("in")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Summary(0, 0).match(run.err).hasMatch()) << run.err.toStdString();
}

TEST(KadrelleTrimBatch, NoOverwriteSkipsNamesThatAreTakenAndKeepsTheirFiles)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath("p.png");
    ASSERT_TRUE(SaveCoordinatePng(picture, 240, 320));
    ASSERT_TRUE(QDir(folder.path()).mkdir("out"));
    ASSERT_TRUE(WriteFileBytes(folder.filePath("out/w[00000].bmp"), "first"));
    ASSERT_TRUE(WriteFileBytes(folder.filePath("out/w[00002].bmp"), "third"));
    const QString output = folder.filePath("out/w.bmp");

    const Finished run = RunTrim({"--no-overwrite", "--output", output, picture, picture, picture});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Relative(Lines(run.out), folder.path()),
              (QStringList{"p.png: 保存しました: out/w[00001].bmp (240×320)",
                           "p.png: 保存しました: out/w[00003].bmp (240×320)",
                           "p.png: 保存しました: out/w[00004].bmp (240×320)"}));
    EXPECT_EQ(ReadFileBytes(folder.filePath("out/w[00000].bmp")), "first");
    EXPECT_EQ(ReadFileBytes(folder.filePath("out/w[00002].bmp")), "third");
    EXPECT_EQ(FilesIn(folder.filePath("out")).size(), 5);

    // Without it the names are taken as they come, and the files there replaced.
    const Finished replacing = RunTrim({"--output", output, picture});
    EXPECT_EQ(replacing.exitCode, 0);
    EXPECT_EQ(QImage(folder.filePath("out/w[00000].bmp")).size(), QSize(240, 320));
}

// While kadrelle-trim reads a large JPEG, the file is cut short and written back again and again: each run
// ends normally, and a run that saves a crop saves the right one. The file is cut at a page's edge, so
// every byte it lacks lies on a page of its own.
TEST(KadrelleTrimBatch, AFileCutShortWhileItIsReadNeverEndsItAbnormally)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("large.jpg");
    const QImage picture = CoordinatePicture(3000, 2000);
    ASSERT_TRUE(picture.save(path, "JPG", 95));
    const QByteArray content = ReadFileBytes(path);
    const QImage expected =
        QImage(path).convertToFormat(QImage::Format_RGB32).copy(QRect(1260, 680, 480, 640));
    const int descriptor = open(QFile::encodeName(path).constData(), O_WRONLY);
    ASSERT_GE(descriptor, 0);

    std::atomic<bool> stop{false};
    std::thread cutter([&] {
        const off_t cutAt = off_t(content.size() / 3) & ~off_t(4095);
        while (!stop) {
            ftruncate(descriptor, cutAt);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
            pwrite(descriptor, content.constData(), std::size_t(content.size()), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
    });
    int saved = 0;
    for (int run = 0; run < 25; ++run) {
        const QString output = folder.filePath(QStringLiteral("out%1.bmp").arg(run));
        const Finished finished = RunTrim({"--output", output, path});
        ASSERT_TRUE(finished.exitCode == 0 || finished.exitCode == 1)
            << finished.exitCode << finished.err.toStdString();
        if (finished.exitCode == 0) {
            ++saved;
            EXPECT_EQ(QImage(folder.filePath(QStringLiteral("out%1[00000].bmp").arg(run)))
                          .convertToFormat(QImage::Format_RGB32),
                      expected)
                << run;
        }
    }
    stop = true;
    cutter.join();
    close(descriptor);
    RecordProperty("saved", saved);
}

} // namespace
