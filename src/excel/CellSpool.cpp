#include "CellSpool.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr qsizetype kChunk = 1 << 20;
constexpr int kHeader = 13; // row, column, kind, length

void putRaw32(QByteArray& out, quint32 v)
{
    out.append(reinterpret_cast<const char*>(&v), sizeof v); // this process reads it back
}

quint32 getRaw32(const char* p)
{
    quint32 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

bool CellSpool::append(int row, int column, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return put(row, column, SpooledCell::Empty, QByteArray());
    case QMetaType::Bool:
        return put(row, column, SpooledCell::Boolean, value.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return put(row, column, SpooledCell::Number, QByteArray::number(value.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d)) { // no number XML can carry
            return put(row, column, SpooledCell::Text, value.toString().toUtf8());
        }
        return put(row, column, SpooledCell::Number, QByteArray::number(d, 'g', 17));
    }
    default:
        return put(row, column, SpooledCell::Text, value.toString().toUtf8());
    }
}

bool CellSpool::put(int row, int column, SpooledCell::Kind kind, const QByteArray& text)
{
    if (!m_file) {
        m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/tintwell-cells-XXXXXX"));
        if (!m_file->open()) {
            m_file.reset();
            return false;
        }
        m_writeBuffer.reserve(kChunk + 4096);
    }
    if (row < m_lastRow || (row == m_lastRow && column < m_lastColumn)) {
        m_sorted = false;
    }
    m_lastRow = row;
    m_lastColumn = column;
    m_maxRow = qMax(m_maxRow, row);
    m_maxColumn = qMax(m_maxColumn, column);
    putRaw32(m_writeBuffer, static_cast<quint32>(row));
    putRaw32(m_writeBuffer, static_cast<quint32>(column));
    m_writeBuffer.append(static_cast<char>(kind));
    putRaw32(m_writeBuffer, static_cast<quint32>(text.size()));
    m_writeBuffer.append(text);
    ++m_count;
    if (m_writeBuffer.size() >= kChunk) {
        return flushWrites();
    }
    return !m_failed;
}

bool CellSpool::flushWrites()
{
    if (m_file && !m_writeBuffer.isEmpty()) {
        if (m_file->write(m_writeBuffer) != m_writeBuffer.size()) {
            m_failed = true;
        }
        m_writeBuffer.clear();
    }
    return !m_failed;
}

bool CellSpool::fill(qsizetype need)
{
    if (m_readBuffer.size() - m_readPos >= need) {
        return true;
    }
    m_readBuffer.remove(0, m_readPos);
    m_readPos = 0;
    const QByteArray more = m_file->read(qMax(kChunk, need));
    m_readBuffer.append(more);
    return m_readBuffer.size() >= need;
}

bool CellSpool::readRaw(SpooledCell& cell)
{
    if (m_fromMemory) {
        if (m_memoryNext >= m_inMemory.size()) {
            return false;
        }
        cell = std::move(m_inMemory[m_memoryNext++]);
        return true;
    }
    if (m_read >= m_count || !fill(kHeader)) {
        return false;
    }
    const char* p = m_readBuffer.constData() + m_readPos;
    cell.row = static_cast<int>(getRaw32(p));
    cell.column = static_cast<int>(getRaw32(p + 4));
    cell.kind = static_cast<SpooledCell::Kind>(p[8]);
    const qsizetype length = getRaw32(p + 9);
    m_readPos += kHeader;
    if (!fill(length)) {
        return false;
    }
    cell.text = QByteArray(m_readBuffer.constData() + m_readPos, length);
    m_readPos += length;
    ++m_read;
    return true;
}

bool CellSpool::rewind()
{
    m_hasPeek = false;
    m_hasLookahead = false;
    m_read = 0;
    m_memoryNext = 0;
    m_inMemory.clear();
    m_fromMemory = false;
    m_readBuffer.clear();
    m_readPos = 0;
    if (!m_file) {
        return true;
    }
    if (!flushWrites() || !m_file->flush() || !m_file->seek(0)) {
        return false;
    }
    if (!m_sorted) {
        // Out-of-order writes: sort them (stable, so the later of two writes
        // to one cell stays later).
        std::vector<SpooledCell> cells;
        cells.reserve(static_cast<size_t>(m_count));
        SpooledCell cell;
        while (readRaw(cell)) {
            cells.push_back(cell);
        }
        std::stable_sort(cells.begin(), cells.end(), [](const SpooledCell& a, const SpooledCell& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        m_inMemory = std::move(cells);
        m_fromMemory = true;
    }
    return true;
}

const SpooledCell* CellSpool::peek()
{
    if (!m_hasPeek) {
        // The next cell: the last of a run of writes to the same cell.
        if (m_hasLookahead) {
            m_peek = std::move(m_lookahead);
            m_hasLookahead = false;
        } else if (!readRaw(m_peek)) {
            return nullptr;
        }
        while (readRaw(m_lookahead)) {
            if (m_lookahead.row == m_peek.row && m_lookahead.column == m_peek.column) {
                m_peek = std::move(m_lookahead);
            } else {
                m_hasLookahead = true;
                break;
            }
        }
        m_hasPeek = true;
    }
    return &m_peek;
}

void CellSpool::clear()
{
    m_file.reset();
    m_writeBuffer.clear();
    m_readBuffer.clear();
    m_readPos = 0;
    m_count = 0;
    m_sorted = true;
    m_failed = false;
    m_lastRow = m_lastColumn = m_maxRow = m_maxColumn = 0;
    m_inMemory.clear();
    m_fromMemory = false;
    m_hasPeek = m_hasLookahead = false;
}
