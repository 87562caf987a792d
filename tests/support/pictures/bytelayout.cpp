#include "tests/support/pictures/bytelayout.h"

namespace testpictures {

QByteArray U16LE(quint32 value)
{
    return ByteValues({quint8(value), quint8(value >> 8)});
}

QByteArray U32LE(quint32 value)
{
    return U16LE(value & 0xFFFF) + U16LE(value >> 16);
}

QByteArray U16BE(quint32 value)
{
    return ByteValues({quint8(value >> 8), quint8(value)});
}

QByteArray U32BE(quint32 value)
{
    return U16BE(value >> 16) + U16BE(value & 0xFFFF);
}

QByteArray ByteValues(std::initializer_list<quint8> values)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(values.size()));
    for (const quint8 value : values)
        bytes.append(char(value));
    return bytes;
}

std::span<const std::uint8_t> ByteSpan(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

} // namespace testpictures
