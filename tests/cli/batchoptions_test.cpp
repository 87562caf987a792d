#include "cli/batchoptions.h"

#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::optional<BatchOptions> Parse(QStringList arguments, bool& helpWanted, QString& error)
{
    arguments.prepend(QStringLiteral("kadrelle-trim"));
    return ParseBatchOptions(arguments, helpWanted, error);
}

TEST(ParseBatchOptions, DefaultsToThePhoneTargetAndTheLargePreview)
{
    bool helpWanted = false;
    QString error;
    const auto options = Parse({"--output", "/out/w.bmp", "a.jpg", "b.png"}, helpWanted, error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->outputPath, "/out/w.bmp");
    EXPECT_EQ(options->inputPaths, (QStringList{"a.jpg", "b.png"}));
    EXPECT_EQ(options->settings.TargetWidth, 240);
    EXPECT_EQ(options->settings.TargetHeight, 320);
    EXPECT_EQ(options->settings.PreviewMaxWidth, 480);
    EXPECT_EQ(options->settings.PreviewMaxHeight, 800);
    EXPECT_FALSE(options->recursive);
    EXPECT_EQ(options->existing, ExistingOutput::Replace);
    EXPECT_EQ(options->jobs, std::clamp(QThread::idealThreadCount(), 1, MostJobs));
}

TEST(ParseBatchOptions, ReadsTheJobsAndHowFoldersAndExistingFilesAreTaken)
{
    bool helpWanted = false;
    QString error;
    const auto options = Parse(
        {"--jobs", "3", "--recursive", "--no-overwrite", "--output", "o.bmp", "photos"}, helpWanted, error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->jobs, 3);
    EXPECT_TRUE(options->recursive);
    EXPECT_EQ(options->existing, ExistingOutput::Skip);
    EXPECT_EQ(options->inputPaths, QStringList{"photos"});

    for (const int jobs : {1, MostJobs}) {
        const auto edge =
            Parse({"--jobs=" + QString::number(jobs), "--output", "o.bmp", "a"}, helpWanted, error);
        ASSERT_TRUE(edge) << jobs;
        EXPECT_EQ(edge->jobs, jobs);
    }
}

TEST(ParseBatchOptions, ReadsTargetAndPreviewSizes)
{
    bool helpWanted = false;
    QString error;
    const auto options =
        Parse({"--target", "240X400", "--preview=312×520", "--output=o.bmp", "a.jpg"}, helpWanted, error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->settings.TargetWidth, 240);
    EXPECT_EQ(options->settings.TargetHeight, 400);
    EXPECT_EQ(options->settings.PreviewMaxWidth, 312);
    EXPECT_EQ(options->settings.PreviewMaxHeight, 520);

    const auto largest = Parse({"--target", "32767x1", "--output", "o.bmp", "a.jpg"}, helpWanted, error);
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->settings.TargetWidth, 32767);
}

TEST(ParseBatchOptions, RefusesUnusableArguments)
{
    const QStringList rows[] = {
        {},
        {"a.jpg"},
        {"--output", "o.bmp"},
        {"--output"},
        {"--output", "", "a.jpg"},
        {"--output", "o.bmp", "--target", "0x320", "a.jpg"},
        {"--output", "o.bmp", "--target", "240x0", "a.jpg"},
        {"--output", "o.bmp", "--target", "32768x320", "a.jpg"},
        {"--output", "o.bmp", "--target", "-240x320", "a.jpg"},
        {"--output", "o.bmp", "--target", "240x", "a.jpg"},
        {"--output", "o.bmp", "--target", "big", "a.jpg"},
        {"--output", "o.bmp", "--preview", "480x800x1", "a.jpg"},
        {"--output", "o.bmp", "--preview", " 480x800", "a.jpg"},
        {"--output", "o.bmp", "--unknown", "a.jpg"},
        {"--output", "o.bmp", "--jobs", "0", "a.jpg"},
        {"--output", "o.bmp", "--jobs", "65", "a.jpg"},
        {"--output", "o.bmp", "--jobs", "-1", "a.jpg"},
        {"--output", "o.bmp", "--jobs", "2.5", "a.jpg"},
        {"--output", "o.bmp", "--jobs", "", "a.jpg"},
        {"--output", "o.bmp", "--jobs"},
    };
    for (const QStringList& row : rows) {
        bool helpWanted = false;
        QString error;
        EXPECT_FALSE(Parse(row, helpWanted, error)) << row.join(' ').toStdString();
        EXPECT_FALSE(helpWanted);
        EXPECT_FALSE(error.isEmpty()) << row.join(' ').toStdString();
    }
}

} // namespace
