#pragma once

#include <QByteArray>

// Appends numbers to hand-built file bytes in the byte order each format names.
inline void AppendU16LE(QByteArray& bytes, quint32 value)
{
    bytes.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

inline void AppendU32LE(QByteArray& bytes, quint32 value)
{
    AppendU16LE(bytes, value & 0xffff);
    AppendU16LE(bytes, value >> 16);
}
