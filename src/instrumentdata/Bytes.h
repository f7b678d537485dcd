#pragma once
// Explicit little-endian field access for frames: the wire order never
// depends on the host.

#include <QByteArray>
#include <cstdint>

inline quint8 getU8(const QByteArray& b, int pos)
{
    return static_cast<quint8>(b.at(pos));
}

inline quint16 getU16le(const QByteArray& b, int pos)
{
    return static_cast<quint16>(getU8(b, pos) | (getU8(b, pos + 1) << 8));
}

inline qint16 getS16le(const QByteArray& b, int pos)
{
    return static_cast<qint16>(getU16le(b, pos));
}

inline quint32 getU32le(const QByteArray& b, int pos)
{
    return static_cast<quint32>(getU16le(b, pos)) | (static_cast<quint32>(getU16le(b, pos + 2)) << 16);
}

inline void putU8(QByteArray& b, quint8 v)
{
    b.append(static_cast<char>(v));
}

inline void putU16le(QByteArray& b, quint16 v)
{
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
}

inline void putU32le(QByteArray& b, quint32 v)
{
    putU16le(b, static_cast<quint16>(v & 0xFFFF));
    putU16le(b, static_cast<quint16>(v >> 16));
}
