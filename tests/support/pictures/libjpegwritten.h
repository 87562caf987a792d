#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

namespace testpictures {

// Pictures written by libjpeg, with the options Qt's writer does not offer.

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
    int lumaH = 1, lumaV = 1; // the first component's sampling factors
    bool grey = false;
    bool progressive = false;
    int restartInterval = 0;
    bool cmyk = false;
    int exifOrientation = 0;
    bool arithmetic = false;
    // Four components stored as YCCK (with cmyk set).
    bool ycck = false;
    // The other components' sampling factors.
    int chromaH = 1, chromaV = 1;
    int quality = 85;
    // Huffman tables made for the picture, in place of the standard's.
    bool optimizeCoding = false;
    // Three components stored as RGB.
    bool rgb = false;
    // A restart marker after every this many rows of MCUs (restartInterval 0).
    int restartRows = 0;
};

// The content at the variant's quality. The picture gets the scans of `scanScript` in its order (a
// progressive script, or sequential scans of some components each), or libjpeg's when it is empty.
QByteArray LibjpegWritten(const QImage& content, const JpegVariant& variant,
                          const std::vector<JpegScanStep>& scanScript = {});

} // namespace testpictures
