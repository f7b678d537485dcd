#include "SparseMemory.h"

#include <algorithm>

QByteArray SparseMemory::read(quint32 address, int length) const
{
    QByteArray out;
    if (length <= 0) {
        return out;
    }
    out.reserve(length);
    quint64 at = address;
    const quint64 end = static_cast<quint64>(address) + static_cast<quint64>(length);
    while (at < end) {
        const quint32 page = static_cast<quint32>(at / kPageSize);
        const int offset = static_cast<int>(at % kPageSize);
        const int chunk = static_cast<int>(std::min<quint64>(kPageSize - offset, end - at));
        const auto it = m_pages.constFind(page);
        if (it == m_pages.constEnd()) {
            out.append(QByteArray(chunk, '\0'));
        } else {
            out.append(it->constData() + offset, chunk);
        }
        at += static_cast<quint64>(chunk);
    }
    return out;
}

void SparseMemory::write(quint32 address, const QByteArray& bytes)
{
    quint64 at = address;
    int from = 0;
    while (from < bytes.size()) {
        const quint32 page = static_cast<quint32>(at / kPageSize);
        const int offset = static_cast<int>(at % kPageSize);
        const int chunk = std::min(static_cast<int>(kPageSize) - offset, static_cast<int>(bytes.size()) - from);
        QByteArray& data = m_pages[page];
        if (data.isEmpty()) {
            data = QByteArray(static_cast<int>(kPageSize), '\0');
        }
        std::copy(bytes.constData() + from, bytes.constData() + from + chunk, data.data() + offset);
        from += chunk;
        at += static_cast<quint64>(chunk);
    }
}
