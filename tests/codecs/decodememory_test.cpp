// Whole decodes keep to their budget: kadrelle-trim, run as a child process on pictures that would take
// gigabytes to hold whole, ends with the crop or with a message that says why, and the child's peak memory
// (from wait4) stays under a generous bound.
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/jpegfiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

using namespace testpictures;

namespace {

struct Finished
{
    int exitCode = -1;
    // The child's peak resident memory.
    qint64 peakMiB = 0;
    QString output;
};

// Runs kadrelle-trim on `picture`, its standard output into a file beside it.
Finished RunTrim(const QString& picture, const QString& folder)
{
    const QByteArray program = QByteArrayLiteral(KADRELLE_TRIM_PATH);
    const QByteArray output = QFile::encodeName(folder + "/crop.bmp");
    const QByteArray path = QFile::encodeName(picture);
    const QByteArray printed = QFile::encodeName(folder + "/printed.txt");
    char* arguments[] = {const_cast<char*>(program.constData()), const_cast<char*>("--output"),
                         const_cast<char*>(output.constData()), const_cast<char*>(path.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, printed.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = 0;
    Finished finished;
    if (posix_spawn(&child, program.constData(), &actions, nullptr, arguments, environ) == 0) {
        int status = 0;
        rusage usage{};
        pid_t waited = -1;
        do
            waited = wait4(child, &status, 0, &usage);
        while (waited < 0 && errno == EINTR);
        if (waited == child && WIFEXITED(status))
            finished.exitCode = WEXITSTATUS(status);
        // Linux gives ru_maxrss in KiB.
        finished.peakMiB = qint64(usage.ru_maxrss) / 1024;
    }
    posix_spawn_file_actions_destroy(&actions);
    finished.output = QString::fromUtf8(ReadFileBytes(QString::fromLocal8Bit(printed)));
    return finished;
}

struct MemoryCase
{
    const char* name;
    quint16 side;
    bool fullPrecision;
    bool saved;
    qint64 boundMiB;
};

class WholeDecodeBudget : public testing::TestWithParam<MemoryCase>
{
};

TEST_P(WholeDecodeBudget, HoldsForAFlatCmykProgressivePicture)
{
    const MemoryCase& memory = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath("cmyk.jpg");
    ASSERT_TRUE(WriteFileBytes(path, FlatProgressiveJpeg(memory.side, memory.side, 4, memory.fullPrecision)));
    const Finished run = RunTrim(path, folder.path());
    EXPECT_EQ(run.exitCode, memory.saved ? 0 : 1) << run.output.toStdString();
    if (!memory.saved) {
        EXPECT_TRUE(run.output.contains("768 MiB")) << run.output.toStdString();
    }
    const QStringList saved = QDir(folder.path()).entryList({"crop*.bmp"});
    EXPECT_EQ(saved.size(), memory.saved ? 1 : 0);
    if (memory.saved && saved.size() == 1) {
        // Every sample 128: C, M and Y scaled by K, as Qt's reader converts CMYK.
        QImage expected(480, 640, QImage::Format_RGB32);
        expected.fill(qRgb(64, 64, 64));
        EXPECT_EQ(QImage(folder.filePath(saved.front())).convertToFormat(QImage::Format_RGB32), expected);
    }
    EXPECT_GT(run.peakMiB, 0);
    EXPECT_LT(run.peakMiB, memory.boundMiB);
    RecordProperty("peakMiB", int(run.peakMiB));
}

// 20000 × 20000 CMYK takes 3 GiB of coefficients: with every coefficient whole a window is cut and a few
// rows of them are held; one bit short of full precision, libjpeg must hold them all, and refuses. 8000 ×
// 8000 takes 500 MiB of them, within the budget.
INSTANTIATE_TEST_SUITE_P(Pictures, WholeDecodeBudget,
                         testing::Values(MemoryCase{"windowCutFrom20000", 20000, true, true, 256},
                                         MemoryCase{"refusedAt20000", 20000, false, false, 256},
                                         MemoryCase{"decodedWholeAt8000", 8000, false, true, 1024}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
