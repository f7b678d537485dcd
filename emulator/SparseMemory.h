#pragma once
// The instrument's memory as the 0x40 read and 0x70/0x74 writes see it: a
// sparse 32-bit address space, zero where nothing was ever written.

#include <QByteArray>
#include <QHash>

class SparseMemory
{
public:
    QByteArray read(quint32 address, int length) const;
    void write(quint32 address, const QByteArray& bytes);
    void clear() { m_pages.clear(); }

private:
    static constexpr quint32 kPageSize = 4096;
    QHash<quint32, QByteArray> m_pages; // page number -> kPageSize bytes
};
