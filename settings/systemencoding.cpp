#include "settings/systemencoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray ToSystemEncoding(QStringView text)
{
    QStringEncoder encoder(QStringConverter::System);
    return encoder(text);
}

QString FromSystemEncoding(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::System, QStringConverter::Flag::ConvertInitialBom);
    return decoder(bytes);
}

QString CutToEncodedLength(const QString& text, qsizetype maxBytes)
{
    QStringEncoder encoder(QStringConverter::System);
    qsizetype usedBytes = 0;
    qsizetype end = 0;
    while (end < text.size() && text[end] != QChar(0)) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const qsizetype next = end + (pair ? 2 : 1);
        const QByteArray encoded = encoder(QStringView(text).sliced(end, next - end));
        usedBytes += encoded.size();
        if (usedBytes > maxBytes)
            break;
        end = next;
    }
    return text.left(end);
}
