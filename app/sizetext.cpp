#include "app/sizetext.h"

#include <QStringEncoder>

bool IsSignedDigits(const QString& text)
{
    const qsizetype first = text.startsWith(u'-') ? 1 : 0;
    for (qsizetype i = first; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    return true;
}

bool StartsWithDoubleByte(const QString& text)
{
    const qsizetype length = text.size() > 1 && text[0].isHighSurrogate() ? 2 : 1;
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray encoded = encoder.encode(QStringView(text).first(length));
    return encoded.size() > 1;
}
