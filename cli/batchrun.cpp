#include "cli/batchrun.h"

#include "trim/dropsequence.h"

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
        const DropResult result = DropPicture(picturePath, options.settings, outputPath);
        outputPath = result.outputPath;
        if (!result.trim.saved)
            ++failed;
        ClearProgress(progress);
        WriteText(lines,
                  QStringLiteral("%1: %2\n").arg(QDir::toNativeSeparators(picturePath), result.trim.message));
    }
    return failed;
}
