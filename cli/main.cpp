#include "cli/batchoptions.h"
#include "cli/batchrun.h"
#include "cli/outputfolder.h"
#include "translations/translators.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int ExitFileFailed = 1;
constexpr int ExitBadArguments = 2;

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QCoreApplication app(argc, argv);
    InstallTranslators(app, ProgramLanguage(QLocale::system()));
    bool helpWanted = false;
    QString error;
    const std::optional<BatchOptions> options =
        ParseBatchOptions(QCoreApplication::arguments(), helpWanted, error);
    if (helpWanted) {
        Print(stdout, BatchHelpText());
        return 0;
    }
    if (!options) {
        Print(stderr,
              QStringLiteral("kadrelle-trim: %1\n%2\n")
                  .arg(error, QCoreApplication::translate("KadrelleTrim", "詳しくは kadrelle-trim --help")));
        return ExitBadArguments;
    }
    // Found before any picture is decoded, rather than once for every file.
    if (const std::optional<QString> problem = OutputFolderProblem(options->outputPath)) {
        Print(stderr, QStringLiteral("kadrelle-trim: %1\n").arg(*problem));
        return ExitBadArguments;
    }

    std::FILE* progress = isatty(fileno(stderr)) ? stderr : nullptr;
    const BatchCounts counts = RunBatch(*options, stdout, progress);
    Print(stderr, QStringLiteral("kadrelle-trim: %1\n")
                      .arg(QCoreApplication::translate("KadrelleTrim", "保存 %1 件、失敗 %2 件、%3 秒")
                               .arg(counts.saved)
                               .arg(counts.failed)
                               .arg(double(clock.nsecsElapsed()) / 1e9, 0, 'f', 2)));
    return counts.failed == 0 ? 0 : ExitFileFailed;
}
