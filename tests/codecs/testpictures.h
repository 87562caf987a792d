#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

// Photo-like RGB888 content: gradients with noise, so every chroma sample differs from its neighbours.
QImage photoContent(int width, int height);

// One scan of a progressive picture's own scan script: the components it holds (indexes), its band and
// its successive approximation.
struct JpegScanStep
{
    std::vector<int> components;
    int spectralStart = 0;
    int spectralEnd = 0;
    int approximationHigh = 0;
    int approximationLow = 0;
};

struct JpegVariant
{
    int lumaH = 1;
    int lumaV = 1;
    bool grey = false;
    bool progressive = false;
    int restartInterval = 0;
    bool cmyk = false;
    int exifOrientation = 0;
};

// A progressive picture gets the scans of `scanScript` in its order, or libjpeg's when it is empty.
void writeJpeg(const QString& path, const QImage& content, const JpegVariant& variant,
               const std::vector<JpegScanStep>& scanScript = {});

struct PngVariant
{
    int colourType = 0;
    int bitDepth = 8;
    bool interlaced = false;
    bool transparency = false;
    int paletteSize = 0;
    // Small IDAT chunks, so a file can be cut after the chunks a region needs.
    bool smallChunks = false;
    // libpng's PNG_FILTER_* flags the rows may use; 0 leaves the choice to libpng.
    int filters = 0;
};

// Pseudo-random samples of the variant; palette indexes run beyond a short palette.
void writePng(const QString& path, int width, int height, const PngVariant& variant);

struct BmpVariant
{
    int bits = 24;
    bool topDown = false;
    int colourCount = 0;    // 0: the full table for the bit depth
    bool bitFields = false; // 16 bits as 5-6-5, 32 bits with an alpha channel in a version 4 header
};

QByteArray bmpBytes(int width, int height, const BmpVariant& variant);

void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

// A full decode by Qt's readers, the region drawn over `background` into an RGB888 image. Qt draws
// palette indexes beyond a short colour table from stray memory; `blackBeyondPalette` makes them black.
QImage referenceCrop(const QString& path, const QRect& region, const QColor& background,
                     bool blackBeyondPalette = false);

// Regions at the corners, edges and centre of a picture, around block boundaries, 1x1 and the whole.
QList<QRect> probeRegions(QSize pictureSize);

// Empty when equal; otherwise where the first difference is.
std::string differenceBetween(const QImage& actual, const QImage& expected);
