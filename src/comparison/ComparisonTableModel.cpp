#include "ComparisonTableModel.h"

#include "ComparisonRecordList.h"

using namespace ComparisonColumns;

ComparisonTableModel::ComparisonTableModel(ComparisonRecordList& records, Layout layout, QObject* parent)
    : QAbstractTableModel(parent), m_records(records), m_layout(layout)
{
    connect(&records, &ComparisonRecordList::appended, this, [this](int first, int last) {
        beginInsertRows({}, first, last);
        endInsertRows();
    });
    connect(&records, &ComparisonRecordList::aboutToRemove, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(&records, &ComparisonRecordList::removed, this, [this] { endRemoveRows(); });
    connect(&records, &ComparisonRecordList::aboutToClear, this, [this] { beginResetModel(); });
    connect(&records, &ComparisonRecordList::cleared, this, [this] { endResetModel(); });
    connect(&records, &ComparisonRecordList::changed, this, [this](const QList<int>& rows) {
        // Neighbouring rows in one signal each run.
        for (int i = 0; i < rows.size();) {
            int j = i;
            while (j + 1 < rows.size() && rows.at(j + 1) == rows.at(j) + 1) {
                ++j;
            }
            emit dataChanged(index(rows.at(i), 0), index(rows.at(j), columnCount() - 1));
            i = j + 1;
        }
    });
}

int ComparisonTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_records.size();
}

int ComparisonTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ComparisonColumns::columnCount(m_layout);
}

QVariant ComparisonTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size() || index.column() >= columnCount()) {
        return {};
    }
    const ComparisonRecord& record = m_records.at(index.row());
    const int column = index.column();
    const bool verdict = column == verdictColumn(m_layout);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        // The button columns hold no data at all (not even an empty text).
        if (column == deleteColumn(m_layout) || column == deleteColumn(m_layout) + 1) {
            return {};
        }
        return cellText(m_layout, record, column);
    case Qt::TextAlignmentRole:
        return column <= centredLast(m_layout) ? QVariant(int(Qt::AlignCenter)) : QVariant();
    case kPassRole:
        return verdict ? QVariant(record.pass) : QVariant();
    default:
        return {};
    }
}

bool ComparisonTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != kTestNameColumn) {
        return false;
    }
    m_records.rename(index.row(), value.toString());
    return true;
}

Qt::ItemFlags ComparisonTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == kTestNameColumn) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}
