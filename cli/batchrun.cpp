#include "cli/batchrun.h"

#include "outputname/serialname.h"
#include "trim/trimandsave.h"
#include "trim/trimmessages.h"

#include <QDir>

namespace {

void WriteText(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// The progress stays on one terminal line, erased before the file's result line is written.
void ShowProgress(std::FILE* progress, qsizetype done, qsizetype total, const QString& picturePath)
{
    if (progress)
        WriteText(progress, QStringLiteral("\r\x1b[K[%1/%2] %3")
                                .arg(done)
                                .arg(total)
                                .arg(QDir::toNativeSeparators(picturePath)));
}

void ClearProgress(std::FILE* progress)
{
    if (progress)
        WriteText(progress, QStringLiteral("\r\x1b[K"));
}

} // namespace

int RunBatch(const BatchOptions& options, std::FILE* lines, std::FILE* progress)
{
    int failed = 0;
    QString outputPath = options.outputPath;
    for (qsizetype index = 0; index < options.picturePaths.size(); ++index) {
        const QString& picturePath = options.picturePaths[index];
        ShowProgress(progress, index + 1, options.picturePaths.size(), picturePath);
        QString message;
        if (const std::optional<QString> serialised = EnsureSerial(outputPath)) {
            outputPath = *serialised;
            const TrimResult result = TrimAndSaveFile(picturePath, options.settings, outputPath);
            message = result.message;
            if (result.saved)
                outputPath = AdvanceSerial(outputPath).value_or(outputPath);
            else
                ++failed;
        } else {
            message = TrimMessages::OutputPathTooLong(outputPath);
            ++failed;
        }
        ClearProgress(progress);
        WriteText(lines, QStringLiteral("%1: %2\n").arg(QDir::toNativeSeparators(picturePath), message));
    }
    return failed;
}
