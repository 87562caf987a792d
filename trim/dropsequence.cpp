#include "trim/dropsequence.h"

#include "outputname/serialname.h"
#include "trim/trimmessages.h"

DropResult DropPicture(const QString& picturePath, const TrimSettings& settings, const QString& outputPath)
{
    // An empty path would save a file named only by its serial into whatever the current folder is.
    if (outputPath.isEmpty())
        return {outputPath, {false, std::nullopt, TrimMessages::NoOutputPath()}};
    const std::optional<QString> numbered = EnsureSerial(outputPath);
    if (!numbered)
        return {outputPath, {false, std::nullopt, TrimMessages::OutputPathTooLong(outputPath)}};
    DropResult result{*numbered, TrimAndSaveFile(picturePath, settings, *numbered)};
    // A path that took a serial always has room for the next one.
    if (result.trim.saved)
        result.outputPath = AdvanceSerial(*numbered).value_or(*numbered);
    return result;
}
