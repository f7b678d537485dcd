#pragma once
// The cells of a multi-level header. A horizontal header keeps one model row
// per level and one column per section; a vertical one keeps one row per
// section and one column per level. Cells are created on first use and hold
// their label, colours, size and spans as item-data roles.

#include <QAbstractTableModel>
#include <QHash>
#include <QVariant>

#include <memory>
#include <unordered_map>
#include <utility>

// One header cell. The root of the model owns every cell as its child.
class HeaderCellItem
{
public:
    HeaderCellItem(int row, int column, HeaderCellItem* parent = nullptr);

    HeaderCellItem(const HeaderCellItem&) = delete;
    HeaderCellItem& operator=(const HeaderCellItem&) = delete;

    int row() const { return m_row; }
    int column() const { return m_column; }
    HeaderCellItem* parent() const { return m_parent; }

    // The child at (row, column), or nullptr when it was never created.
    HeaderCellItem* child(int row, int column) const;
    // The child at (row, column), created empty when missing.
    HeaderCellItem* childAt(int row, int column);
    int childCount() const { return static_cast<int>(m_children.size()); }

    // The value stored under role, or an invalid value.
    QVariant data(int role) const { return m_values.value(role); }
    void setData(int role, const QVariant& value) { m_values.insert(role, value); }

private:
    struct PositionHash
    {
        std::size_t operator()(const std::pair<int, int>& position) const noexcept;
    };

    int m_row;
    int m_column;
    HeaderCellItem* m_parent;
    std::unordered_map<std::pair<int, int>, std::unique_ptr<HeaderCellItem>, PositionHash>
        m_children;
    QHash<int, QVariant> m_values;
};

class RbTableHeaderModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        ColumnSpanRole = Qt::UserRole + 1, // columns a cell covers, from its own column
        RowSpanRole = Qt::UserRole + 2     // rows (levels) a cell covers, from its own row
    };

    RbTableHeaderModel(int rowCount, int columnCount, QObject* parent = nullptr);
    ~RbTableHeaderModel() override;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Spans are clipped at the last row or column; a span of 0 or less is
    // ignored. Returns false only for an invalid index. Emits nothing: the
    // header is repainted by its owner.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int m_rowCount;
    int m_columnCount;
    // Owns every cell; cells are created lazily, also from the const index().
    std::unique_ptr<HeaderCellItem> m_root;
};
