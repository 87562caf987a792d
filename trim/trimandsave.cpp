#include "trim/trimandsave.h"

#include "codecs/openpicture.h"
#include "imagesize/imagesize.h"
#include "trim/bmpwriter.h"
#include "trim/cropplan.h"
#include "trim/previewbackground.h"
#include "trim/trimmessages.h"

#include <QFileInfo>
#include <QRect>

namespace {

TrimmedPicture Failed(QString message)
{
    return TrimmedPicture{std::nullopt, std::move(message)};
}

} // namespace

TrimmedPicture TrimPicture(const QString& picturePath, const TrimSettings& settings)
{
    ProbedImage probe = ProbeImage(QFileInfo(picturePath).filesystemFilePath(), 0);
    const ImageSizeInfo probed = probe.info;
    // A file that shrinks while it is read through a map reads as zeros where it ended: whatever came of
    // them, crop or failure, tells nothing of the file but that.
    const FileBytesWatch fileWatch = probe.wholeFile.watch();
    const auto failed = [&](const QString& message) {
        return Failed(fileWatch.damaged() ? TrimMessages::ChangedWhileRead(picturePath) : message);
    };

    QString error;
    // The picture is opened by what the probe found: its format, and a JPEG's bytes, which are decoded.
    const std::unique_ptr<PictureSource> picture = OpenPicture(picturePath, std::move(probe), error);
    if (!picture)
        return failed(TrimMessages::CannotLoad(picturePath, error));

    if (settings.TargetWidth <= 0 || settings.TargetHeight <= 0)
        return failed(TrimMessages::TargetNotPositive(settings.TargetWidth, settings.TargetHeight));

    const std::optional<CropPlan> plan = PlanCrop(probed.Width, probed.Height, settings);
    if (!plan || plan->empty()) {
        if (probed.Kind == 0 || probed.Width <= 0 || probed.Height <= 0)
            return failed(TrimMessages::SizeUnreadable(picturePath));
        return failed(TrimMessages::TooSmall(picturePath, QSize(probed.Width, probed.Height)));
    }

    // The crop is placed by the header's size; cutting it from pixels of another size would save a wrong
    // picture without a word.
    if (picture->size() != QSize(probed.Width, probed.Height))
        return failed(TrimMessages::SizeMismatch(picturePath));

    const QRect region(plan->horizontalOffset, plan->verticalOffset, plan->cropWidth, plan->cropHeight);
    std::optional<QImage> crop = picture->decodeRegion(region, PreviewBackground, error);
    if (!crop || fileWatch.damaged())
        return failed(TrimMessages::CannotLoad(picturePath, error));

    return TrimmedPicture{std::move(crop), {}};
}

TrimResult SaveTrimmedPicture(TrimmedPicture trimmed, const QString& outputPath)
{
    if (!trimmed.crop)
        return TrimResult{false, std::nullopt, std::move(trimmed.failure)};
    TrimResult result{false, std::move(trimmed.crop), {}};
    QString error;
    if (!WriteBmpFile(*result.preview, outputPath, error)) {
        result.message = TrimMessages::CannotSave(outputPath, error);
        return result;
    }
    result.saved = true;
    result.message = TrimMessages::Saved(outputPath, result.preview->size());
    return result;
}

TrimResult TrimAndSaveFile(const QString& picturePath, const TrimSettings& settings,
                           const QString& outputPath)
{
    return SaveTrimmedPicture(TrimPicture(picturePath, settings), outputPath);
}
