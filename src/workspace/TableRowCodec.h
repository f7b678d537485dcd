#pragma once
// One table row as bytes and back: every cell's data in every role (texts,
// verdict data, colours, hidden per-row data) and its flags. What the journal
// keeps of a comparison row, so a restored row is the row that was shown.

#include <QByteArray>

class QTableWidget;

namespace TableRowCodec {

// tableId tells the two tables of the page apart (current, legacy layout).
QByteArray encode(const QTableWidget& table, int row, int tableId);
// The table the bytes were taken from, or -1 when they are not a row.
int tableOf(const QByteArray& bytes);
// Inserts the row at `row` (appends when row < 0). false when the bytes are not a row.
bool insert(QTableWidget& table, const QByteArray& bytes, int row = -1);

} // namespace TableRowCodec
