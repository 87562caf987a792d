// The same hostile pictures through kadrelle-trim as a process of its own, whose peak memory is measured.
#include "tests/hostile/hostilecases.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool SanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool SanitizedBuild = true;
#else
constexpr bool SanitizedBuild = false;
#endif
#else
constexpr bool SanitizedBuild = false;
#endif

constexpr long OneGiBInKiB = 1024L * 1024L;

struct Finished
{
    int exitCode = -1;
    long peakKiB = 0;
    QByteArray output;
};

// Runs kadrelle-trim with its output in a file and waits for it, keeping its peak resident memory.
Finished RunTrim(const QStringList& arguments, const QString& outputFile)
{
    std::vector<QByteArray> texts{QByteArray(KADRELLE_TRIM_PATH)};
    for (const QString& argument : arguments)
        texts.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, QFile::encodeName(outputFile).constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Finished finished;
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return finished;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) == child && WIFEXITED(status))
        finished.exitCode = WEXITSTATUS(status);
    finished.peakKiB = usage.ru_maxrss;
    QFile lines(outputFile);
    if (lines.open(QIODevice::ReadOnly))
        finished.output = lines.readAll();
    return finished;
}

class HostileTrim : public testing::TestWithParam<HostileCase>
{
  protected:
    void SetUp() override { ASSERT_TRUE(QDir(folder_.path()).mkpath(QStringLiteral("out"))); }

    QString put(const char* name, const QByteArray& bytes) const
    {
        const QString path = folder_.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString output(const char* serial) const
    {
        return folder_.filePath(QStringLiteral("out/wall[%1].bmp").arg(QLatin1String(serial)));
    }
    QStringList outputFolder() const
    {
        return QDir(folder_.filePath(QStringLiteral("out")))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    Finished trim(const QString& picture) const
    {
        const Finished finished = RunTrim({QStringLiteral("--output"), output("00000"),
                                           QStringLiteral("--target"), QStringLiteral("240x320"),
                                           QStringLiteral("--preview"), QStringLiteral("480x800"), picture},
                                          folder_.filePath(QStringLiteral("lines.txt")));
        std::cout << "[ trim     ] " << GetParam().name << ": peak " << finished.peakKiB / 1024 << " MiB, "
                  << finished.output.trimmed().toStdString() << '\n';
        return finished;
    }

    QTemporaryDir folder_;
};

TEST_P(HostileTrim, EndsWithAMessageInBoundedMemory)
{
    const HostileCase& hostile = GetParam();
    QImage expected;
    if (!hostile.intact.isEmpty()) {
        ASSERT_EQ(trim(put("intact", hostile.intact)).exitCode, 0);
        expected = QImage(output("00000"));
        QFile::remove(output("00000"));
    }
    const QString picture = put(hostile.fileName, hostile.bytes);
    const Finished finished = trim(picture);

    ASSERT_GE(finished.exitCode, 0) << "kadrelle-trim did not end normally";
    EXPECT_TRUE(finished.output.startsWith(QFile::encodeName(QDir::toNativeSeparators(picture)) + ": "))
        << finished.output.toStdString();
    if (!SanitizedBuild) {
        EXPECT_LT(finished.peakKiB, OneGiBInKiB);
    }

    const QImage saved(output("00000"));
    const bool refused = hostile.outcome == Outcome::Refused ||
                         (hostile.outcome == Outcome::IntactOrRefused && saved.isNull());
    if (refused) {
        EXPECT_EQ(finished.exitCode, 1);
        EXPECT_EQ(outputFolder(), QStringList());
    } else {
        EXPECT_EQ(finished.exitCode, 0);
        if (hostile.outcome == Outcome::IntactOrRefused) {
            EXPECT_EQ(saved, expected);
        } else {
            EXPECT_EQ(saved.size(), QSize(480, 640));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, HostileTrim, testing::ValuesIn(HostileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
