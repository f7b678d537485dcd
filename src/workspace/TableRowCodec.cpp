#include "TableRowCodec.h"

#include <QDataStream>
#include <QIODevice>
#include <QTableWidget>

namespace {

constexpr quint32 kMagic = 0x54575230; // "TWR0"

} // namespace

namespace TableRowCodec {

QByteArray encode(const QTableWidget& table, int row, int tableId)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    const int columns = table.columnCount();
    out << kMagic << qint32(tableId) << qint32(columns);
    for (int c = 0; c < columns; ++c) {
        const QTableWidgetItem* item = table.item(row, c);
        out << bool(item != nullptr);
        if (item) {
            out << qint32(item->flags());
            item->write(out);
        }
    }
    return bytes;
}

int tableOf(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    qint32 tableId = -1;
    in >> magic >> tableId;
    return in.status() == QDataStream::Ok && magic == kMagic ? tableId : -1;
}

bool insert(QTableWidget& table, const QByteArray& bytes, int row)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    qint32 tableId = 0;
    qint32 columns = 0;
    in >> magic >> tableId >> columns;
    if (in.status() != QDataStream::Ok || magic != kMagic || columns < 0 || columns > 1000) {
        return false;
    }
    QList<QTableWidgetItem*> items;
    for (int c = 0; c < columns; ++c) {
        bool present = false;
        in >> present;
        QTableWidgetItem* item = nullptr;
        if (present) {
            qint32 flags = 0;
            in >> flags;
            item = new QTableWidgetItem;
            item->read(in);
            item->setFlags(Qt::ItemFlags(flags));
        }
        items.append(item);
        if (in.status() != QDataStream::Ok) {
            qDeleteAll(items);
            return false;
        }
    }
    const int at = row < 0 || row > table.rowCount() ? table.rowCount() : row;
    table.insertRow(at);
    for (int c = 0; c < items.size(); ++c) {
        if (c < table.columnCount() && items.at(c)) {
            table.setItem(at, c, items.at(c));
        } else {
            delete items.at(c);
        }
    }
    return true;
}

} // namespace TableRowCodec
