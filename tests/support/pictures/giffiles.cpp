#include "tests/support/pictures/giffiles.h"

#include "tests/support/pictures/bytelayout.h"

#include <unordered_map>
#include <utility>

namespace testpictures {

namespace {

// LZW codes packed from the lowest bit up.
class CodePacker
{
  public:
    void put(int code, int width)
    {
        for (int bit = 0; bit < width; ++bit, ++used_) {
            if (used_ % 8 == 0)
                packed_ += '\0';
            if (code & (1 << bit))
                packed_.back() = char(packed_.back() | (1 << (used_ % 8)));
        }
    }
    const QByteArray& packed() const { return packed_; }

  private:
    QByteArray packed_;
    int used_ = 0;
};

constexpr int SubBlockBytes = 255;

// Where `streamOffset` of the packed codes lands among sub-blocks that each start with their length.
qsizetype InSubBlocks(qsizetype streamOffset)
{
    return streamOffset + (streamOffset + SubBlockBytes - 1) / SubBlockBytes;
}

// The packed field's size bits of a table of `colours` colours, and the table padded to that size.
int TableSizeBits(qsizetype colours)
{
    int bits = 0;
    while ((qsizetype(2) << bits) < colours)
        ++bits;
    return bits;
}

QByteArray PaddedColourTable(QList<QRgb> colours)
{
    colours.resize(qsizetype(2) << TableSizeBits(colours.size()), qRgb(0, 0, 0));
    return GifColourTable(colours);
}

QByteArray InSubBlocksOf255(const QByteArray& stream)
{
    QByteArray blocks;
    for (qsizetype at = 0; at < stream.size(); at += SubBlockBytes) {
        const QByteArray block = stream.mid(at, SubBlockBytes);
        blocks += char(block.size()) + block;
    }
    return blocks + '\0';
}

QList<QRgb> TwoColours()
{
    return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
}

} // namespace

QByteArray GifScreen(const char* version, quint16 width, quint16 height, quint8 packedFields)
{
    return "GIF" + QByteArray(version) + U16LE(width) + U16LE(height) + ByteValues({packedFields, 0, 0});
}

QByteArray GifColourTable(const QList<QRgb>& colours)
{
    QByteArray table;
    for (const QRgb colour : colours)
        table += ByteValues({quint8(qRed(colour)), quint8(qGreen(colour)), quint8(qBlue(colour))});
    return table;
}

QList<QRgb> GifRampColours()
{
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours.append(qRgb(i, 255 - i, (i * 7) & 255));
    return colours;
}

QByteArray GifImageDescriptor(quint16 left, quint16 top, quint16 width, quint16 height, quint8 packedFields)
{
    return ',' + U16LE(left) + U16LE(top) + U16LE(width) + U16LE(height) + char(packedFields);
}

QByteArray GifTransparency(quint8 index)
{
    return ByteValues({0x21, 0xF9, 4, 0x01, 0, 0, index, 0});
}

RowMarkedBytes GifLiteralCodes(int minimumCodeSize, int width, int height,
                               const std::function<int(int x, int y)>& indexAt)
{
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    const int codeWidth = minimumCodeSize + 1;
    const int clearEvery = clearCode - 2;
    CodePacker codes;
    QList<qsizetype> streamRowEnds;
    int pixel = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, ++pixel) {
            if (pixel % clearEvery == 0)
                codes.put(clearCode, codeWidth);
            codes.put(indexAt(x, y), codeWidth);
        }
        streamRowEnds.append(codes.packed().size());
    }
    codes.put(endCode, codeWidth);

    RowMarkedBytes data{QByteArray(1, char(minimumCodeSize)), {}};
    for (qsizetype at = 0; at < codes.packed().size(); at += SubBlockBytes) {
        const QByteArray block = codes.packed().mid(at, SubBlockBytes);
        data.bytes += char(block.size()) + block;
    }
    data.bytes += '\0';
    for (const qsizetype streamEnd : streamRowEnds)
        data.rowEnds.append(1 + InSubBlocks(streamEnd));
    return data;
}

QByteArray GifLzwData(int minimumCodeSize, const QByteArray& indexes)
{
    constexpr int TableSize = 4096;
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    CodePacker codes;
    std::unordered_map<int, int> table;
    int width = minimumCodeSize + 1;
    int next = endCode + 1;
    codes.put(clearCode, width);
    int prefix = -1;
    for (const char value : indexes) {
        const int index = uchar(value);
        if (prefix < 0) {
            prefix = index;
            continue;
        }
        const auto known = table.find(prefix << 8 | index);
        if (known != table.end()) {
            prefix = known->second;
            continue;
        }
        codes.put(prefix, width);
        table.emplace(prefix << 8 | index, next++);
        // The decoder adds each entry a code later than the encoder, and widens its codes once its next
        // entry needs the wider code.
        if (next > (1 << width) && width < 12)
            ++width;
        if (next == TableSize) {
            codes.put(clearCode, width);
            table.clear();
            width = minimumCodeSize + 1;
            next = endCode + 1;
        }
        prefix = index;
    }
    if (prefix >= 0)
        codes.put(prefix, width);
    codes.put(endCode, width);
    return char(minimumCodeSize) + InSubBlocksOf255(codes.packed());
}

QByteArray GifFile(const GifPicture& picture)
{
    constexpr quint8 TableFlag = 0x80;
    constexpr quint8 InterlaceFlag = 0x40;
    const bool global = !picture.globalColours.isEmpty();
    const bool local = !picture.localColours.isEmpty();
    QByteArray file = GifScreen("89a", picture.screenWidth, picture.screenHeight,
                                global ? quint8(TableFlag | TableSizeBits(picture.globalColours.size())) : 0);
    file[11] = char(picture.backgroundIndex);
    if (global)
        file += PaddedColourTable(picture.globalColours);
    if (picture.transparentIndex >= 0)
        file += GifTransparency(quint8(picture.transparentIndex));
    const QRect& frame = picture.frame;
    const quint8 packed = quint8((local ? TableFlag | TableSizeBits(picture.localColours.size()) : 0) |
                                 (picture.interlaced ? InterlaceFlag : 0));
    file += GifImageDescriptor(quint16(frame.x()), quint16(frame.y()), quint16(frame.width()),
                               quint16(frame.height()), packed);
    if (local)
        file += PaddedColourTable(picture.localColours);
    QList<int> rows;
    if (picture.interlaced) {
        for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
            for (int row = first; row < frame.height(); row += step)
                rows.append(row);
        }
    } else {
        for (int row = 0; row < frame.height(); ++row)
            rows.append(row);
    }
    QByteArray indexes;
    for (const int row : rows) {
        for (int x = 0; x < frame.width(); ++x)
            indexes += char(picture.indexAt(x, row));
    }
    return file + GifLzwData(picture.minimumCodeSize, indexes) + GifTrailer;
}

RowMarkedBytes GifWithRowEnds(int width, int height)
{
    constexpr quint8 GlobalTableOf256 = 0xF7;
    const QByteArray start = GifScreen("89a", quint16(width), quint16(height), GlobalTableOf256) +
                             GifColourTable(GifRampColours()) +
                             GifImageDescriptor(0, 0, quint16(width), quint16(height));
    RowMarkedBytes data = GifLiteralCodes(8, width, height, [](int x, int y) { return (x + 3 * y) & 0xff; });
    for (qsizetype& rowEnd : data.rowEnds)
        rowEnd += start.size();
    data.bytes = start + data.bytes + GifTrailer;
    return data;
}

QByteArray GifWithoutImage(quint16 width, quint16 height)
{
    constexpr quint8 GlobalTableOf2 = 0x80;
    return GifScreen("89a", width, height, GlobalTableOf2) + GifColourTable(TwoColours()) + GifTrailer;
}

QByteArray GifClaiming(quint16 width, quint16 height)
{
    constexpr quint8 GlobalTableOf2 = 0x80;
    return GifScreen("89a", width, height, GlobalTableOf2) + GifColourTable(TwoColours()) +
           GifImageDescriptor(0, 0, width, height) +
           GifLiteralCodes(2, 1, 1, [](int, int) { return 0; }).bytes + GifTrailer;
}

} // namespace testpictures
