#include "tests/support/pictures/jpegfiles.h"

#include "tests/support/pictures/bytelayout.h"

namespace testpictures {

namespace {

enum Marker : quint8 {
    BaselineFrameMarker = 0xC0,
    ProgressiveFrameMarker = 0xC2,
    HuffmanTablesMarker = 0xC4,
    ScanMarker = 0xDA,
    QuantisationTablesMarker = 0xDB,
    JfifMarker = 0xE0,
};

// The luminance tables of the standard's Annex K.3.
QByteArray StandardLumaTables()
{
    const QByteArray dcSymbols = QByteArray::fromHex("000102030405060708090a0b");
    const QByteArray acSymbols =
        QByteArray::fromHex("01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282"
                            "090a161718191a25262728292a3435363738393a434445464748494a535455565758595a"
                            "636465666768696a737475767778797a838485868788898a92939495969798999aa2a3a4"
                            "a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3"
                            "e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9fa");
    return JpegMarkerSegment(HuffmanTablesMarker,
                             JpegHuffmanTable(0, 0, {0, 1, 5, 1, 1, 1, 1, 1, 1}, dcSymbols)) +
           JpegMarkerSegment(
               HuffmanTablesMarker,
               JpegHuffmanTable(1, 0, {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d}, acSymbols));
}

} // namespace

QByteArray JpegStartOfImage()
{
    return ByteValues({0xFF, 0xD8});
}

QByteArray JpegEndOfImage()
{
    return ByteValues({0xFF, 0xD9});
}

QByteArray JpegMarkerSegment(quint8 marker, const QByteArray& data)
{
    return ByteValues({0xFF, marker}) + U16BE(quint32(data.size()) + 2) + data;
}

QByteArray JpegFrame(quint8 marker, quint16 width, quint16 height,
                     const QList<JpegFrameComponent>& components)
{
    QByteArray frame = char(8) + U16BE(height) + U16BE(width) + char(components.size());
    for (const JpegFrameComponent& component : components)
        frame += ByteValues({component.id, component.sampling, component.quantisationTable});
    return JpegMarkerSegment(marker, frame);
}

QByteArray JpegScanHeader(const QList<quint8>& componentIds, quint8 spectralStart, quint8 spectralEnd,
                          quint8 approximation)
{
    QByteArray scan(1, char(componentIds.size()));
    for (const quint8 id : componentIds)
        scan += ByteValues({id, 0x00});
    return JpegMarkerSegment(ScanMarker, scan + ByteValues({spectralStart, spectralEnd, approximation}));
}

QByteArray JpegHuffmanTable(quint8 tableClass, quint8 slot, const QList<quint8>& countsByLength,
                            const QByteArray& symbols)
{
    QByteArray counts(16, '\0');
    for (qsizetype length = 0; length < countsByLength.size(); ++length)
        counts[length] = char(countsByLength[length]);
    return char(tableClass << 4 | slot) + counts + symbols;
}

QByteArray JpegJfifSegment()
{
    return JpegMarkerSegment(JfifMarker, QByteArray("JFIF", 5) + ByteValues({1, 1, 0}) + U16BE(1) + U16BE(1) +
                                             ByteValues({0, 0}));
}

QByteArray SmallJpeg(quint8 frameMarker, quint16 width, quint16 height)
{
    return JpegStartOfImage() + JpegJfifSegment() +
           JpegMarkerSegment(QuantisationTablesMarker, '\0' + QByteArray(64, '\x01')) +
           JpegFrame(frameMarker, width, height) + JpegScanHeader({1}) + ByteValues({0x12, 0x34, 0x56}) +
           JpegEndOfImage();
}

QByteArray FlatGreyJpeg(quint16 side)
{
    // A block codes as 00 (DC difference 0) and 1010 (end of block): four blocks fill three bytes.
    const qsizetype blocks = qsizetype(side / 8) * (side / 8);
    return JpegStartOfImage() + JpegMarkerSegment(QuantisationTablesMarker, '\0' + QByteArray(64, '\x01')) +
           JpegFrame(BaselineFrameMarker, side, side, {{1, 0x11, 0}}) + StandardLumaTables() +
           JpegScanHeader({1}) + QByteArray::fromHex("28a28a").repeated(blocks / 4) + JpegEndOfImage();
}

QByteArray FlatProgressiveJpeg(quint16 width, quint16 height, int components, bool fullPrecision)
{
    // DC: category 0 (a difference of zero) is the code 0. AC: the end-of-band runs EOB0 to EOB14 take the
    // four-bit codes 0000 to 1110; EOBr with r extra bits stands for 2^r to 2^(r+1) - 1 blocks.
    constexpr int longestRunBits = 14;
    QByteArray endOfBandSymbols;
    for (int run = 0; run <= longestRunBits; ++run)
        endOfBandSymbols += char(run << 4);
    const QByteArray tables =
        JpegMarkerSegment(HuffmanTablesMarker, JpegHuffmanTable(0, 0, {1}, QByteArray(1, '\0')) +
                                                   JpegHuffmanTable(1, 0, {0, 0, 0, 15}, endOfBandSymbols));
    QList<JpegFrameComponent> frameComponents;
    for (int component = 0; component < components; ++component)
        frameComponents.append({quint8(component + 1), 0x11, 0});
    const qint64 blocks = qint64((width + 7) / 8) * ((height + 7) / 8);
    // One zero bit a block, the last byte padded with ones.
    QByteArray dcData(qsizetype((blocks + 7) / 8), '\0');
    if (blocks % 8 != 0)
        dcData.back() = char(0xFF >> (blocks % 8));
    // Runs of 32767 blocks and a last shorter one, each code followed by its run's extra bits.
    quint64 bits = 0;
    int bitCount = 0;
    QByteArray acData;
    const auto put = [&](quint32 value, int count) {
        bits = bits << count | value;
        for (bitCount += count; bitCount >= 8; bitCount -= 8) {
            acData += char(bits >> (bitCount - 8));
            if (uchar(acData.back()) == 0xFF)
                acData += '\0';
        }
    };
    for (qint64 left = blocks; left > 0;) {
        const qint64 run = qMin<qint64>(left, (1 << (longestRunBits + 1)) - 1);
        int runBits = 0;
        while ((qint64(2) << runBits) <= run)
            ++runBits;
        put(quint32(runBits), 4);
        put(quint32(run - (qint64(1) << runBits)), runBits);
        left -= run;
    }
    put(0xFF >> (8 - (8 - bitCount) % 8), (8 - bitCount) % 8);
    QByteArray jpeg = JpegStartOfImage() +
                      JpegMarkerSegment(QuantisationTablesMarker, '\0' + QByteArray(64, '\x01')) +
                      JpegFrame(ProgressiveFrameMarker, width, height, frameComponents) + tables;
    for (const JpegFrameComponent& component : frameComponents)
        jpeg += JpegScanHeader({component.id}, 0, 0, 0) + dcData;
    for (const JpegFrameComponent& component : frameComponents)
        jpeg += JpegScanHeader({component.id}, 1, 63, fullPrecision ? 0 : 1) + acData;
    return jpeg + JpegEndOfImage();
}

QByteArray WithJpegFrameSize(QByteArray jpeg, quint16 width, quint16 height)
{
    qsizetype frame = jpeg.indexOf("\xff\xc0");
    if (frame < 0)
        frame = jpeg.indexOf("\xff\xc2");
    jpeg.replace(frame + 5, 4, U16BE(height) + U16BE(width));
    return jpeg;
}

qsizetype OffsetAfterRestartMarker(const QByteArray& jpeg, int index)
{
    qsizetype at = jpeg.indexOf("\xff\xda");
    for (int seen = 0; at >= 0 && at + 1 < jpeg.size(); ++at) {
        const auto marker = quint8(jpeg[at + 1]);
        if (quint8(jpeg[at]) == 0xff && marker >= 0xd0 && marker <= 0xd7 && seen++ == index)
            return at + 2;
    }
    return -1;
}

} // namespace testpictures
