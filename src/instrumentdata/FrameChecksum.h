#pragma once
#include <QByteArray>
#include <cstddef>
#include <cstdint>

// CRC-16/MODBUS (reflected polynomial 0xA001, initial 0xFFFF, no final XOR).
// It protects every frame and every data block inside a frame; it goes on the
// wire low byte first.
quint16 frameChecksum(const quint8* bytes, std::size_t count);
quint16 frameChecksum(const QByteArray& bytes, int count);
inline quint16 frameChecksum(const QByteArray& bytes)
{
    return frameChecksum(bytes, bytes.size());
}
