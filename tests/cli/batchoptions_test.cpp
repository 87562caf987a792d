#include "cli/batchoptions.h"

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
    EXPECT_EQ(options->picturePaths, (QStringList{"a.jpg", "b.png"}));
    EXPECT_EQ(options->settings.TargetWidth, 240);
    EXPECT_EQ(options->settings.TargetHeight, 320);
    EXPECT_EQ(options->settings.PreviewMaxWidth, 480);
    EXPECT_EQ(options->settings.PreviewMaxHeight, 800);
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
