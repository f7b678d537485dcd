#include "FrameChecksum.h"

quint16 frameChecksum(const quint8* bytes, std::size_t count)
{
    quint16 c = 0xFFFF;
    for (std::size_t i = 0; i < count; ++i) {
        c ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1u) ? static_cast<quint16>((c >> 1) ^ 0xA001u) : static_cast<quint16>(c >> 1);
        }
    }
    return c;
}

quint16 frameChecksum(const QByteArray& bytes, int count)
{
    if (count < 0) {
        count = 0;
    }
    if (count > bytes.size()) {
        count = bytes.size();
    }
    return frameChecksum(reinterpret_cast<const quint8*>(bytes.constData()),
                         static_cast<std::size_t>(count));
}
