#include "tests/support/pictures/qtwritten.h"

#include <QBuffer>
#include <QImageWriter>

namespace testpictures {

QByteArray QtWritten(const QImage& picture, const char* format, int quality, bool progressive)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(picture);
    return buffer.data();
}

} // namespace testpictures
