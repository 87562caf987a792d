// Windows bitmaps built byte by byte from the format's rules: every header size (the core header, the 40-byte
// one, OS/2's 64, versions 4 and 5), every depth and the compressions each allows (bit fields of several
// masks, with alpha or without, run-length codes of 8 and 4 bits with runs and absolute runs), rows
// bottom-up or top-down, colour tables of every length.
#include "tests/differential/differentialpicture.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/bytelayout.h"

using namespace testpictures;

namespace {

QByteArray noiseRows(int width, int height, int bits, Choices& choices)
{
    QByteArray rows(qsizetype(BmpRowBytes(width, bits)) * height, '\0');
    for (char& byte : rows)
        byte = char(choices.between(0, 255));
    return rows;
}

// Masks of bit-field pictures: 5-6-5, 5-5-5, 4-4-4 with 4 bits of alpha, 8-8-8 with and without alpha,
// 10-10-10 with 2 bits of alpha, and channels in another order.
struct Masks
{
    const char* name;
    int bits;
    QList<quint32> masks;
};
const std::vector<Masks> bitFieldMasks = {
    {"565", 16, {0xf800, 0x07e0, 0x001f, 0}},
    {"555", 16, {0x7c00, 0x03e0, 0x001f, 0}},
    {"4444", 16, {0x0f00, 0x00f0, 0x000f, 0xf000}},
    {"888", 32, {0x00ff0000, 0x0000ff00, 0x000000ff, 0}},
    {"8888", 32, {0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000}},
    {"bgra", 32, {0x0000ff00, 0x00ff0000, 0xff000000, 0x000000ff}},
    {"1010102", 32, {0x3ff00000, 0x000ffc00, 0x000003ff, 0xc0000000}},
};

// Run-length rows that reach every pixel (a picture's pixels no run reaches are Qt's stray memory): runs
// of one index and absolute runs, each row closed by an end-of-line code, the picture by an end-of-bitmap
// code.
QByteArray runLengthRows(int width, int height, int bits, int colours, Choices& choices)
{
    QByteArray runs;
    const auto index = [&] { return choices.between(0, colours - 1); };
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width;) {
            const int length = std::min(width - x, choices.between(1, 40));
            if (length >= 3 && choices.chance(40)) {
                // An absolute run: escape, count, the pixels, padded to an even number of bytes.
                QByteArray stored;
                for (int i = 0; i < length; i += bits == 8 ? 1 : 2)
                    stored += char(bits == 8 ? index() : index() << 4 | index());
                if (stored.size() % 2 != 0)
                    stored += '\0';
                runs += ByteValues({0, quint8(length)}) + stored;
            } else {
                runs += char(length);
                runs += char(bits == 8 ? index() : index() << 4 | index());
            }
            x += length;
        }
        runs += ByteValues({0, 0});
    }
    return runs + ByteValues({0, 1});
}

QString sizeName(int width, int height)
{
    return QStringLiteral("_%1x%2").arg(width).arg(height);
}

// Every depth under every header, bit fields of every mask under the headers that take them, and
// run-length codes of both depths.
void addBitmaps(Choices& choices, std::vector<DifferentialPicture>& pictures)
{
    const auto chooseSize = [&choices] {
        return choices.chance(25) ? QSize(choices.between(1, 12), choices.between(1, 12))
                                  : QSize(choices.between(12, 160), choices.between(12, 120));
    };
    // Uncompressed, every depth and header.
    for (const int bits : {1, 4, 8, 16, 24, 32}) {
        for (const quint32 header : {12u, 40u, 64u, 108u, 124u}) {
            const QSize size = chooseSize();
            BmpLayout layout;
            layout.width = quint32(size.width());
            const bool topDown = header != 12 && choices.chance(40);
            layout.height = quint32(topDown ? -size.height() : size.height());
            layout.bitsPerPixel = quint16(bits);
            layout.infoHeaderBytes = header;
            bool shortTable = false;
            if (bits <= 8) {
                const int full = 1 << bits;
                const int count = header != 12 && choices.chance(40) ? choices.between(1, full) : full;
                shortTable = count < full;
                layout.colourTable = choices.colours(count);
                layout.coloursUsed = shortTable ? quint32(count) : 0;
            }
            if (header >= 108 && bits == 32)
                layout.masks = {0x00ff0000, 0x0000ff00, 0x000000ff, choices.chance(50) ? 0xff000000u : 0u};
            pictures.push_back({QStringLiteral("rgb%1_header%2%3%4")
                                    .arg(bits)
                                    .arg(header)
                                    .arg(topDown ? "_topDown" : "")
                                    .arg(sizeName(size.width(), size.height())),
                                BmpFile(layout, noiseRows(size.width(), size.height(), bits, choices)),
                                {},
                                shortTable});
        }
    }
    // Bit fields, in the 40-byte header's trailing masks or inside the longer headers.
    for (const Masks& masks : bitFieldMasks) {
        for (const quint32 header : {40u, 108u, 124u}) {
            const QSize size = chooseSize();
            BmpLayout layout;
            layout.width = quint32(size.width());
            const bool topDown = choices.chance(40);
            layout.height = quint32(topDown ? -size.height() : size.height());
            layout.bitsPerPixel = quint16(masks.bits);
            layout.compression = BmpBitFields;
            layout.infoHeaderBytes = header;
            layout.masks = header == 40 ? masks.masks.first(3) : masks.masks;
            pictures.push_back(
                {QStringLiteral("bitFields%1_header%2%3%4")
                     .arg(masks.name)
                     .arg(header)
                     .arg(topDown ? "_topDown" : "")
                     .arg(sizeName(size.width(), size.height())),
                 BmpFile(layout, noiseRows(size.width(), size.height(), masks.bits, choices))});
        }
    }
    // Run-length codes.
    for (const int bits : {8, 4}) {
        for (int repeat = 0; repeat < 5; ++repeat) {
            const QSize size = chooseSize();
            const int colours = choices.between(2, 1 << bits);
            BmpLayout layout;
            layout.width = quint32(size.width());
            layout.height = quint32(size.height());
            layout.bitsPerPixel = quint16(bits);
            layout.compression = bits == 8 ? BmpRle8 : BmpRle4;
            layout.infoHeaderBytes = choices.oneOf(std::vector<quint32>{40, 108, 124});
            layout.colourTable = choices.colours(colours);
            layout.coloursUsed = quint32(colours);
            pictures.push_back(
                {QStringLiteral("runLength%1_header%2%3")
                     .arg(bits)
                     .arg(layout.infoHeaderBytes)
                     .arg(sizeName(size.width(), size.height())),
                 BmpFile(layout, runLengthRows(size.width(), size.height(), bits, colours, choices))});
        }
    }
}

} // namespace

std::vector<DifferentialPicture> BmpPictures()
{
    Choices choices(0xb3b);
    std::vector<DifferentialPicture> pictures;
    for (int repeat = 0; repeat < 3; ++repeat)
        addBitmaps(choices, pictures);
    return pictures;
}
