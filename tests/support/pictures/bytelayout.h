#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace testpictures {

// Hand-built file bytes: numbers in the byte order each format names, and byte values written out.
QByteArray U16LE(quint32 value);
QByteArray U32LE(quint32 value);
QByteArray U16BE(quint32 value);
QByteArray U32BE(quint32 value);

// The bytes of the values, in their order: ByteValues({0xFF, 0xD8}).
QByteArray ByteValues(std::initializer_list<quint8> values);

// The bytes as the readers under test take them.
std::span<const std::uint8_t> ByteSpan(const QByteArray& bytes);

// Bytes and, for each row of the picture they hold, the offset just past the last byte that row needs: a
// file cut there keeps that row and the ones before it whole.
struct RowMarkedBytes
{
    QByteArray bytes;
    QList<qsizetype> rowEnds;
};

} // namespace testpictures
