#pragma once
// The cells written to a workbook before it is saved, kept in a temporary
// file rather than in memory, so a sheet of 100 000 rows costs a bounded
// amount of memory. Cells written in row order (what every export does) are
// read back as a stream; cells written out of order are sorted in memory at
// save time.

#include <QByteArray>
#include <QTemporaryFile>
#include <QVariant>

#include <memory>
#include <vector>

struct SpooledCell
{
    enum Kind : quint8 { Empty = 0, Text = 1, Number = 2, Boolean = 3 };
    int row = 0;
    int column = 0;
    Kind kind = Empty;
    QByteArray text; // UTF-8 text; the number as written in XML; "1" or "0"
};

class CellSpool
{
public:
    CellSpool() = default;
    CellSpool(const CellSpool&) = delete;
    CellSpool& operator=(const CellSpool&) = delete;

    // value: QString (text), a number, bool, or invalid (an empty cell).
    bool append(int row, int column, const QVariant& value);
    bool isEmpty() const { return m_count == 0; }
    int lastRow() const { return m_maxRow; }
    int lastColumn() const { return m_maxColumn; }

    // Reading, after the writes: cells by row, then column; of two writes to
    // one cell the later one.
    bool rewind();
    const SpooledCell* peek(); // the next cell, or null at the end
    void take() { m_hasPeek = false; }
    void clear();

private:
    bool put(int row, int column, SpooledCell::Kind kind, const QByteArray& text);
    bool flushWrites();
    bool readRaw(SpooledCell& cell);
    bool fill(qsizetype need);

    std::unique_ptr<QTemporaryFile> m_file;
    QByteArray m_writeBuffer;
    qint64 m_count = 0;
    bool m_sorted = true;
    int m_lastRow = 0;
    int m_lastColumn = 0;
    int m_maxRow = 0;
    int m_maxColumn = 0;
    bool m_failed = false;
    // reading
    bool m_fromMemory = false;
    std::vector<SpooledCell> m_inMemory; // only for out-of-order writes
    size_t m_memoryNext = 0;
    qint64 m_read = 0;
    QByteArray m_readBuffer;
    qsizetype m_readPos = 0;
    SpooledCell m_lookahead;
    bool m_hasLookahead = false;
    SpooledCell m_peek;
    bool m_hasPeek = false;
};
