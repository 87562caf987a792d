// Picture loading and cropping on any bytes: PictureSource directly (a small picture decoded whole must match
// Qt's reader), then the whole trim with a small target, saving into a scratch folder that must hold
// nothing else afterwards.
#include "codecs/openpicture.h"
#include "codecs/picture/pictureregion.h"
#include "fuzz/fuzzsupport.h"
#include "fuzz/qtfuzzapp.h"
#include "imagesize/imagesize.h"
#include "trim/trimandsave.h"

#include <QImageReader>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <set>
#include <span>

namespace {

// Crops of at most twice the target: 32 × 24 pixels.
constexpr TrimSettings SmallTarget{16, 12, 64, 48};
constexpr int LargestCropWidth = 2 * SmallTarget.TargetWidth;
constexpr int LargestCropHeight = 2 * SmallTarget.TargetHeight;
// Pictures up to this many pixels are also decoded whole.
constexpr qint64 LargestWholeDecode = 128 * 128;

const QColor Background(240, 240, 240);

const std::filesystem::path& PicturePath()
{
    static const std::filesystem::path path = fuzz::ScratchFolder() / "picture";
    return path;
}

const std::filesystem::path& OutputPath()
{
    static const std::filesystem::path path = fuzz::ScratchFolder() / "crop[00000].bmp";
    return path;
}

QString ToQString(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

std::optional<QImage> CheckRegion(PictureSource& picture, const QRect& region)
{
    QString error;
    const std::optional<QImage> pixels = picture.decodeRegion(region, Background, error);
    const bool inside = QRect(QPoint(0, 0), picture.size()).contains(region) && !region.isEmpty();
    FUZZ_REQUIRE(inside || !pixels);
    FUZZ_REQUIRE(pixels || !error.isEmpty());
    if (pixels)
        FUZZ_REQUIRE(pixels->size() == region.size() && pixels->format() == QImage::Format_RGB888);
    return pixels;
}

// Qt's reader leaves the pixels of a run-length encoded bitmap that no run reaches as stray memory, so its
// decode of one is no reference.
bool IsRunLengthBitmap(std::span<const std::uint8_t> bytes)
{
    constexpr std::size_t CompressionOffset = 30;
    if (bytes.size() < CompressionOffset + 4 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const std::uint32_t compression = bytes[CompressionOffset] | bytes[CompressionOffset + 1] << 8 |
                                      bytes[CompressionOffset + 2] << 16 |
                                      std::uint32_t(bytes[CompressionOffset + 3]) << 24;
    return compression == 1 || compression == 2;
}

// Qt's GIF reader leaves the screen around a smaller first image as stray memory, and draws an index beyond
// the colour table white: its decode of a GIF is no reference.
bool IsGif(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 3 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F';
}

// A region decode matches Qt's full decode of a picture both can read. Pixels naming a colour beyond a short
// colour table have none in Qt's decode (ours are black), so such pictures are left out.
void CheckSameAsQt(const QImage& decoded)
{
    QImageReader reader(ToQString(PicturePath()));
    reader.setAutoTransform(false);
    QImage whole = reader.read();
    if (whole.isNull() || whole.size() != decoded.size())
        return;
    if (whole.colorCount() > 0) {
        if (whole.colorCount() < (1 << whole.depth()))
            return;
        whole = whole.convertToFormat(whole.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }
    QString error;
    const std::optional<QImage> expected = flattenOnto(whole, whole.rect(), Background, error);
    FUZZ_REQUIRE(!expected || *expected == decoded);
}

void CheckPictureSource(std::span<const std::uint8_t> bytes)
{
    QString error;
    const std::unique_ptr<PictureSource> picture =
        OpenPicture(ToQString(PicturePath()), ProbeImage(PicturePath(), 0), error);
    FUZZ_REQUIRE(picture || !error.isEmpty());
    if (!picture)
        return;
    const QSize size = picture->size();
    FUZZ_REQUIRE(!size.isEmpty());
    if (qint64(size.width()) * size.height() <= LargestWholeDecode) {
        const QRect all(QPoint(0, 0), size);
        if (const std::optional<QImage> whole = CheckRegion(*picture, all)) {
            if (!IsRunLengthBitmap(bytes) && !IsGif(bytes))
                CheckSameAsQt(*whole);
            // The same file gives the same pixels at every decode.
            FUZZ_REQUIRE(CheckRegion(*picture, all) == whole);
        }
    }
    CheckRegion(*picture, QRect(0, 0, 1, 1));
    CheckRegion(*picture, QRect(size.width() - 1, size.height() - 1, 1, 1));
    CheckRegion(*picture, QRect(size.width() / 2, size.height() / 2, qMin(size.width() / 2, 7),
                                qMin(size.height() / 2, 5)));
    CheckRegion(*picture, QRect(size.width() - 1, 0, 2, 1));
}

std::set<std::filesystem::path> FilesInScratchFolder()
{
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(fuzz::ScratchFolder()))
        files.insert(entry.path());
    return files;
}

void CheckTrim()
{
    const TrimResult result = TrimAndSaveFile(ToQString(PicturePath()), SmallTarget, ToQString(OutputPath()));
    FUZZ_REQUIRE(!result.message.isEmpty());
    if (!result.saved) {
        // Only the picture can be at fault: the scratch folder takes any file.
        FUZZ_REQUIRE(!result.preview);
        FUZZ_REQUIRE(FilesInScratchFolder() == std::set{PicturePath()});
        return;
    }
    FUZZ_REQUIRE(result.preview && !result.preview->isNull());
    const QSize crop = result.preview->size();
    FUZZ_REQUIRE(crop.width() <= LargestCropWidth && crop.height() <= LargestCropHeight);
    const ImageSizeInfo written = GetImageSize(OutputPath(), 1);
    FUZZ_REQUIRE(written == (ImageSizeInfo{1, crop.width(), crop.height(), 24}));
    FUZZ_REQUIRE(FilesInScratchFolder() == (std::set{PicturePath(), OutputPath()}));
    std::filesystem::remove(OutputPath());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::StartQtApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::WriteBytes(PicturePath(), {data, size});
    CheckPictureSource({data, size});
    CheckTrim();
    return 0;
}
