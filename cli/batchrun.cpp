#include "cli/batchrun.h"

#include "cli/batchinputs.h"
#include "cli/orderedtrims.h"
#include "trim/dropsequence.h"

#include <QDir>
#include <algorithm>

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

void WriteLine(std::FILE* lines, const QString& picturePath, const QString& message)
{
    WriteText(lines, QStringLiteral("%1: %2\n").arg(QDir::toNativeSeparators(picturePath), message));
}

} // namespace

BatchCounts RunBatch(const BatchOptions& options, std::FILE* lines, std::FILE* progress)
{
    const std::vector<BatchInput> inputs = ListBatchInputs(options.inputPaths, options.recursive);
    const auto total = qsizetype(inputs.size());
    BatchCounts counts;
    // No picture can be saved: none is read.
    if (const std::optional<QString> refusal = RefuseOutputPath(options.outputPath)) {
        for (const BatchInput& input : inputs)
            WriteLine(lines, input.picturePath, *refusal);
        counts.failed = total;
        return counts;
    }

    std::vector<std::uintmax_t> fileSizes;
    fileSizes.reserve(inputs.size());
    for (const BatchInput& input : inputs)
        fileSizes.push_back(input.fileSize);
    const std::uintmax_t largestFile =
        fileSizes.empty() ? 0 : *std::max_element(fileSizes.begin(), fileSizes.end());
    OrderedTrims trims(std::move(fileSizes), TrimLimits::For(options.jobs, largestFile),
                       [&](qsizetype index) {
                           const BatchInput& input = inputs[std::size_t(index)];
                           return input.failure.isEmpty() ? TrimPicture(input.picturePath, options.settings)
                                                          : TrimmedPicture{std::nullopt, input.failure};
                       });

    QString outputPath = options.outputPath;
    for (qsizetype index = 0; index < total; ++index) {
        const BatchInput& input = inputs[std::size_t(index)];
        ShowProgress(progress, index + 1, total, input.picturePath);
        // The serial is given only now that every picture before this one is saved or failed.
        const DropResult result = SaveDroppedPicture(trims.take(), outputPath, options.existing);
        outputPath = result.outputPath;
        ++(result.trim.saved ? counts.saved : counts.failed);
        ClearProgress(progress);
        WriteLine(lines, input.picturePath, result.trim.message);
    }
    return counts;
}
