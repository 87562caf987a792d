#include "trim/dropsequence.h"

#include "outputname/serialname.h"
#include "trim/bmpwriter.h"
#include "trim/trimmessages.h"

namespace {

// The output path after a save under `savedAt`; a path that took a serial always has room for the next one.
QString NextOutputPath(const QString& savedAt)
{
    return AdvanceSerial(savedAt).value_or(savedAt);
}

// Writes the crop once, then gives it the first free name from `numbered` on. The serials run through
// 00000 to LastSerial and round again, so each name is tried at most once.
DropResult SaveUnderFreeName(const QImage& crop, const QString& numbered)
{
    QString error;
    std::optional<UnnamedFile> file = WriteUnnamedBmpFile(crop, numbered, error);
    if (!file)
        return {numbered, {false, crop, TrimMessages::CannotSave(numbered, error)}};
    QString candidate = numbered;
    for (int tried = 0; tried <= LastSerial; ++tried) {
        switch (file->nameIfFree(candidate, error)) {
        case UnnamedFile::Naming::Named:
            return {NextOutputPath(candidate), {true, crop, TrimMessages::Saved(candidate, crop.size())}};
        case UnnamedFile::Naming::Failed:
            return {numbered, {false, crop, TrimMessages::CannotSave(candidate, error)}};
        case UnnamedFile::Naming::NameTaken:
            candidate = EnsureSerial(NextOutputPath(candidate)).value_or(candidate);
            break;
        }
    }
    return {numbered, {false, crop, TrimMessages::NoFreeSerial(numbered)}};
}

} // namespace

DropResult DropPicture(const QString& picturePath, const TrimSettings& settings, const QString& outputPath)
{
    if (const std::optional<QString> refusal = RefuseOutputPath(outputPath))
        return {outputPath, {false, std::nullopt, *refusal}};
    return SaveDroppedPicture(TrimPicture(picturePath, settings), outputPath, ExistingOutput::Replace);
}

std::optional<QString> RefuseOutputPath(const QString& outputPath)
{
    // An empty path would save a file named only by its serial into whatever the current folder is.
    if (outputPath.isEmpty())
        return TrimMessages::NoOutputPath();
    if (!EnsureSerial(outputPath))
        return TrimMessages::OutputPathTooLong(outputPath);
    return std::nullopt;
}

DropResult SaveDroppedPicture(TrimmedPicture trimmed, const QString& outputPath, ExistingOutput existing)
{
    const std::optional<QString> numbered = EnsureSerial(outputPath);
    if (!numbered)
        return {outputPath, {false, std::nullopt, TrimMessages::OutputPathTooLong(outputPath)}};
    if (!trimmed.crop)
        return {*numbered, {false, std::nullopt, std::move(trimmed.failure)}};
    if (existing == ExistingOutput::Skip)
        return SaveUnderFreeName(*trimmed.crop, *numbered);
    DropResult result{*numbered, SaveTrimmedPicture(std::move(trimmed), *numbered)};
    if (result.trim.saved)
        result.outputPath = NextOutputPath(*numbered);
    return result;
}
