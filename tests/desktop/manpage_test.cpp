// The manual page names exactly the options that kadrelle-trim takes and its --help names.
#include "cli/batchoptions.h"
#include "tests/support/longoptions.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(ManualPage, NamesTheOptionsOfTheHelp)
{
    QFile page(QStringLiteral(KADRELLE_MANPAGE_SOURCE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    // roff writes a hyphen as "\-".
    const QString pageText =
        QString::fromUtf8(page.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));

    const QSet<QString> inHelp = LongOptions(BatchHelpText());
    EXPECT_EQ(LongOptions(pageText), inHelp);
    EXPECT_TRUE(inHelp.contains(QStringLiteral("--output")));
    // Every option the help lists is one the command line takes.
    for (const QString& option : inHelp) {
        bool helpWanted = false;
        QString error;
        ParseBatchOptions({QStringLiteral("kadrelle-trim"), option}, helpWanted, error);
        EXPECT_FALSE(error.contains(QStringLiteral("Unknown option"))) << option.toStdString();
    }
}

} // namespace
