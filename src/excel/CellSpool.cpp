#include "CellSpool.h"

#include <QDir>

#include <algorithm>

namespace {
enum Kind : quint8 { Empty = 0, Text = 1, Number = 2, Boolean = 3 };
}

bool CellSpool::append(int row, int column, const QVariant& value)
{
    if (!m_file) {
        m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/tintwell-cells-XXXXXX"));
        if (!m_file->open()) {
            m_file.reset();
            return false;
        }
        m_stream.setDevice(m_file.get());
    }
    if (row < m_lastRow || (row == m_lastRow && column < m_lastColumn)) {
        m_sorted = false;
    }
    m_lastRow = row;
    m_lastColumn = column;
    m_maxRow = qMax(m_maxRow, row);
    m_maxColumn = qMax(m_maxColumn, column);
    m_stream << qint32(row) << qint32(column);
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        m_stream << quint8(Empty);
        break;
    case QMetaType::Bool:
        m_stream << quint8(Boolean) << value.toBool();
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        m_stream << quint8(Number) << value.toDouble();
        break;
    default:
        m_stream << quint8(Text) << value.toString();
        break;
    }
    ++m_count;
    return m_stream.status() == QDataStream::Ok;
}

bool CellSpool::readRaw(SpooledCell& cell)
{
    if (!m_inMemory.empty() || !m_sorted) {
        if (m_memoryNext >= m_inMemory.size()) {
            return false;
        }
        cell = std::move(m_inMemory[m_memoryNext++]);
        return true;
    }
    if (m_read >= m_count) {
        return false;
    }
    qint32 row = 0;
    qint32 column = 0;
    quint8 kind = Empty;
    m_stream >> row >> column >> kind;
    cell.row = row;
    cell.column = column;
    switch (kind) {
    case Text: {
        QString text;
        m_stream >> text;
        cell.value = text;
        break;
    }
    case Number: {
        double number = 0;
        m_stream >> number;
        cell.value = number;
        break;
    }
    case Boolean: {
        bool flag = false;
        m_stream >> flag;
        cell.value = flag;
        break;
    }
    default:
        cell.value = QVariant();
        break;
    }
    ++m_read;
    return m_stream.status() == QDataStream::Ok;
}

bool CellSpool::rewind()
{
    m_hasPeek = false;
    m_hasLookahead = false;
    m_read = 0;
    m_memoryNext = 0;
    m_inMemory.clear();
    if (!m_file) {
        return true;
    }
    if (!m_file->flush() || !m_file->seek(0)) {
        return false;
    }
    m_stream.resetStatus();
    if (!m_sorted) {
        // Out-of-order writes: sort them (stable, so the later of two writes
        // to one cell stays later).
        m_sorted = true;
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
        m_sorted = false;
    }
    return true;
}

bool CellSpool::peek(SpooledCell& cell)
{
    if (!m_hasPeek) {
        // The next cell: the last of a run of writes to the same cell.
        if (!m_hasLookahead && !readRaw(m_lookahead)) {
            return false;
        }
        m_peek = std::move(m_lookahead);
        m_hasLookahead = false;
        SpooledCell following;
        while (readRaw(following)) {
            if (following.row == m_peek.row && following.column == m_peek.column) {
                m_peek = std::move(following);
            } else {
                m_lookahead = std::move(following);
                m_hasLookahead = true;
                break;
            }
        }
        m_hasPeek = true;
    }
    cell = m_peek;
    return true;
}

void CellSpool::clear()
{
    m_stream.setDevice(nullptr);
    m_file.reset();
    m_count = 0;
    m_sorted = true;
    m_lastRow = m_lastColumn = m_maxRow = m_maxColumn = 0;
    m_inMemory.clear();
    m_hasPeek = m_hasLookahead = false;
}
