#include "RbTableHeaderModel.h"

#include <functional>

HeaderCellItem::HeaderCellItem(int row, int column, HeaderCellItem* parent)
    : m_row(row), m_column(column), m_parent(parent)
{
}

std::size_t HeaderCellItem::PositionHash::operator()(
    const std::pair<int, int>& position) const noexcept
{
    const auto key = (static_cast<quint64>(static_cast<quint32>(position.first)) << 32)
                     | static_cast<quint32>(position.second);
    return std::hash<quint64>()(key);
}

HeaderCellItem* HeaderCellItem::child(int row, int column) const
{
    const auto found = m_children.find({row, column});
    return found == m_children.end() ? nullptr : found->second.get();
}

HeaderCellItem* HeaderCellItem::childAt(int row, int column)
{
    auto& slot = m_children[{row, column}];
    if (!slot) {
        slot = std::make_unique<HeaderCellItem>(row, column, this);
    }
    return slot.get();
}

RbTableHeaderModel::RbTableHeaderModel(int rowCount, int columnCount, QObject* parent)
    : QAbstractTableModel(parent),
      m_rowCount(rowCount),
      m_columnCount(columnCount),
      m_root(std::make_unique<HeaderCellItem>(0, 0))
{
}

RbTableHeaderModel::~RbTableHeaderModel() = default;

QModelIndex RbTableHeaderModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent)) {
        return QModelIndex();
    }
    HeaderCellItem* owner = parent.isValid()
                                ? static_cast<HeaderCellItem*>(parent.internalPointer())
                                : m_root.get();
    return createIndex(row, column, owner->childAt(row, column));
}

int RbTableHeaderModel::rowCount(const QModelIndex& /*parent*/) const
{
    return m_rowCount;
}

int RbTableHeaderModel::columnCount(const QModelIndex& /*parent*/) const
{
    return m_columnCount;
}

QVariant RbTableHeaderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rowCount || index.column() >= m_columnCount) {
        return QVariant();
    }
    const auto* item = static_cast<const HeaderCellItem*>(index.internalPointer());
    return item->data(role);
}

bool RbTableHeaderModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid()) {
        return false;
    }
    auto* item = static_cast<HeaderCellItem*>(index.internalPointer());
    if (role == ColumnSpanRole || role == RowSpanRole) {
        const int span = value.toInt();
        if (span <= 0) {
            return true;
        }
        const int start = role == ColumnSpanRole ? index.column() : index.row();
        const int count = role == ColumnSpanRole ? m_columnCount : m_rowCount;
        // Clip at the last column (row); compared without forming start + span,
        // which could overflow for a huge span.
        const int room = count - start;
        item->setData(role, span <= room ? span : room);
        return true;
    }
    item->setData(role, value);
    return true;
}

Qt::ItemFlags RbTableHeaderModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::ItemIsEnabled;
    }
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}
