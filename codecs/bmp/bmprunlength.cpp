#include "codecs/bmp/bmprunlength.h"

#include "codecs/bmp/bmpmessages.h"

namespace {

constexpr uchar escape = 0;
constexpr uchar endOfRow = 0;
constexpr uchar endOfPicture = 1;
constexpr uchar jump = 2;

// Places pixels of one stored row at a time into the region's part of the picture.
class RunWriter
{
  public:
    RunWriter(int pictureHeight, const QRect& region, QImage& indexes)
        : pictureHeight_(pictureHeight), region_(region), indexes_(indexes)
    {
    }

    // The rows are stored bottom-up: the region is complete once the rows reach above its top.
    bool regionDone() const { return storedRow_ >= pictureHeight_ || pictureRow() < region_.top(); }

    void put(uchar index)
    {
        const int y = pictureRow();
        if (column_ >= region_.left() && column_ <= region_.right() && y >= region_.top() &&
            y <= region_.bottom())
            indexes_.scanLine(y - region_.top())[column_ - region_.left()] = index;
        ++column_;
    }
    void nextRow()
    {
        column_ = 0;
        ++storedRow_;
    }
    void move(uchar right, uchar up)
    {
        column_ += right;
        storedRow_ += up;
    }

  private:
    qint64 pictureRow() const { return pictureHeight_ - 1 - storedRow_; }

    const qint64 pictureHeight_;
    const QRect region_;
    QImage& indexes_;
    qint64 column_ = 0;
    qint64 storedRow_ = 0;
};

bool readByte(QFile& file, uchar& byte)
{
    return file.getChar(reinterpret_cast<char*>(&byte));
}

// Puts `count` pixels: with 8 bits each is `value`; with 4 bits they take its two halves in turn.
void putRun(RunWriter& writer, int bitsPerPixel, int count, uchar value)
{
    for (int i = 0; i < count; ++i)
        writer.put(bitsPerPixel == 8 ? value : (i % 2 == 0 ? uchar(value >> 4) : uchar(value & 0x0f)));
}

// Puts `count` pixels stored one by one, padded to an even number of bytes.
bool putStoredPixels(QFile& file, RunWriter& writer, int bitsPerPixel, int count)
{
    const int byteCount = bitsPerPixel == 8 ? count : (count + 1) / 2;
    uchar byte = 0;
    for (int i = 0; i < byteCount; ++i) {
        if (!readByte(file, byte))
            return false;
        putRun(writer, bitsPerPixel, bitsPerPixel == 8 ? 1 : qMin(2, count - 2 * i), byte);
    }
    return byteCount % 2 == 0 || readByte(file, byte);
}

} // namespace

bool expandRunLength(QFile& file, qint64 pixelStart, int pictureHeight, int bitsPerPixel, const QRect& region,
                     QImage& indexes, QString& error)
{
    error = BmpMessages::CutShort();
    if (!file.seek(pixelStart))
        return false;
    RunWriter writer(pictureHeight, region, indexes);
    uchar first = 0;
    uchar second = 0;
    while (!writer.regionDone()) {
        if (!readByte(file, first) || !readByte(file, second))
            return false;
        if (first != escape) {
            putRun(writer, bitsPerPixel, first, second);
        } else if (second == endOfRow) {
            writer.nextRow();
        } else if (second == endOfPicture) {
            break;
        } else if (second == jump) {
            uchar right = 0;
            uchar up = 0;
            if (!readByte(file, right) || !readByte(file, up))
                return false;
            writer.move(right, up);
        } else if (!putStoredPixels(file, writer, bitsPerPixel, second)) {
            return false;
        }
    }
    error.clear();
    return true;
}
