#pragma once

#include <QtGlobal>

inline quint16 readU16LE(const uchar* bytes)
{
    return quint16(bytes[0] | (bytes[1] << 8));
}

inline quint16 readU16BE(const uchar* bytes)
{
    return quint16((bytes[0] << 8) | bytes[1]);
}

inline quint32 readU32LE(const uchar* bytes)
{
    return quint32(bytes[0]) | (quint32(bytes[1]) << 8) | (quint32(bytes[2]) << 16) |
           (quint32(bytes[3]) << 24);
}

inline quint32 readU32BE(const uchar* bytes)
{
    return (quint32(bytes[0]) << 24) | (quint32(bytes[1]) << 16) | (quint32(bytes[2]) << 8) |
           quint32(bytes[3]);
}
