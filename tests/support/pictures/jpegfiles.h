#pragma once

#include <QByteArray>
#include <QList>

namespace testpictures {

// JPEG files built segment by segment, and changes made to written ones.

QByteArray JpegStartOfImage();
QByteArray JpegEndOfImage();
// A marker, the segment's length (counting itself) and its data.
QByteArray JpegMarkerSegment(quint8 marker, const QByteArray& data);

struct JpegFrameComponent
{
    quint8 id;
    quint8 sampling; // horizontal factor in the high four bits, vertical in the low
    quint8 quantisationTable = 0;
};
// Luma sampled 2×2 with quantisation table 0, both chroma 1×1 with table 1.
inline const QList<JpegFrameComponent> JpegColour420{{1, 0x22, 0}, {2, 0x11, 1}, {3, 0x11, 1}};

// A frame header segment of 8-bit samples.
QByteArray JpegFrame(quint8 marker, quint16 width, quint16 height,
                     const QList<JpegFrameComponent>& components = JpegColour420);
// A scan header segment over the components of these ids, each with the tables in slot 0.
QByteArray JpegScanHeader(const QList<quint8>& componentIds, quint8 spectralStart = 0,
                          quint8 spectralEnd = 63, quint8 approximation = 0);
// One table of a DHT segment: class (0 DC, 1 AC) and slot, the code counts of lengths 1 up (the rest
// zero) and the symbols.
QByteArray JpegHuffmanTable(quint8 tableClass, quint8 slot, const QList<quint8>& countsByLength,
                            const QByteArray& symbols);
// The JFIF application segment: version 1.1, no density unit, no thumbnail.
QByteArray JpegJfifSegment();

// A small baseline-like file: JFIF segment, quantisation table, frame header, a scan of three data bytes.
QByteArray SmallJpeg(quint8 frameMarker, quint16 width, quint16 height);
// A grey side × side picture (side a multiple of 16) whose every 8×8 block is flat mid-grey, coded in six
// bits a block with the standard tables: a few megabytes that decode to a huge picture.
QByteArray FlatGreyJpeg(quint16 side);

// A progressive picture of `components` components sampled 1x1 (four: CMYK) whose every block is flat: each
// component's DC in a scan of its own, one bit a block, then its AC band in end-of-band runs. The AC band is
// sent without its lowest bit, which never follows, unless `fullPrecision`. 20000 × 20000 pixels of CMYK
// take about 3 MB.
QByteArray FlatProgressiveJpeg(quint16 width, quint16 height, int components, bool fullPrecision);

// The file with its frame header claiming width × height.
QByteArray WithJpegFrameSize(QByteArray jpeg, quint16 width, quint16 height);
// The offset just past the `index`th restart marker of the scan data; -1 when there is none.
qsizetype OffsetAfterRestartMarker(const QByteArray& jpeg, int index);

} // namespace testpictures
