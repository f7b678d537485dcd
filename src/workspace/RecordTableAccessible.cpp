#include "RecordTableAccessible.h"

#include "RecordTable.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>
#include <QPointer>

#include <algorithm>
#include <utility>

namespace {

// One child of the table: the corner, a column or row header, or a cell.
class RecordTableItem : public QAccessibleInterface,
                        public QAccessibleTableCellInterface,
                        public QAccessibleActionInterface
{
public:
    enum Kind { Corner, ColumnHeader, RowHeader, Cell };

    RecordTableItem(RecordTableView* view, Kind kind, int section, const QModelIndex& index = {})
        : m_view(view), m_kind(kind), m_section(section), m_index(index)
    {
    }

    bool isValid() const override
    {
        if (!m_view || !m_view->model()) {
            return false;
        }
        switch (m_kind) {
        case Cell: return m_index.isValid();
        case ColumnHeader: return m_section < m_view->model()->columnCount();
        case RowHeader: return m_section < m_view->model()->rowCount();
        case Corner: return true;
        }
        return false;
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (m_kind != Cell) {
            return nullptr;
        }
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        if (type == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    QAccessible::Role role() const override
    {
        switch (m_kind) {
        case Corner: return QAccessible::Pane;
        case ColumnHeader: return QAccessible::ColumnHeader;
        case RowHeader: return QAccessible::RowHeader;
        case Cell: return isButton() ? QAccessible::Button : QAccessible::Cell;
        }
        return QAccessible::NoRole;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.invisible = rect().isEmpty();
        if (m_kind != Cell) {
            return s;
        }
        s.focusable = true;
        s.focused = m_view->hasFocus() && m_view->currentIndex() == QModelIndex(m_index);
        if (isButton()) {
            s.pressed = m_view->pressedIndex() == QModelIndex(m_index);
            return s;
        }
        s.selectable = m_view->selectionMode() != QAbstractItemView::NoSelection;
        s.selected = isSelected();
        s.editable = (m_index.flags() & Qt::ItemIsEditable) != 0;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid()) {
            return {};
        }
        const QAbstractItemModel* model = m_view->model();
        switch (m_kind) {
        case ColumnHeader:
            return t == QAccessible::Name ? model->headerData(m_section, Qt::Horizontal).toString() : QString();
        case RowHeader:
            return t == QAccessible::Name ? model->headerData(m_section, Qt::Vertical).toString() : QString();
        case Corner:
            return {};
        case Cell:
            break;
        }
        if (t == QAccessible::Description) {
            return m_index.data(Qt::AccessibleDescriptionRole).toString();
        }
        if (t != QAccessible::Name) {
            return {};
        }
        const QString name = m_index.data(Qt::AccessibleTextRole).toString();
        return name.isEmpty() ? m_index.data(Qt::DisplayRole).toString() : name;
    }

    QRect rect() const override
    {
        if (!isValid() || !m_view->isVisible()) {
            return {};
        }
        QRect local;
        QWidget* area = m_view->viewport();
        switch (m_kind) {
        case Cell:
            local = m_view->visualRect(m_index);
            break;
        case ColumnHeader:
            area = m_view->horizontalHeader();
            local = QRect(m_view->horizontalHeader()->sectionViewportPosition(m_section), 0,
                          m_view->horizontalHeader()->sectionSize(m_section), area->height());
            break;
        case RowHeader:
            area = m_view->verticalHeader();
            local = QRect(0, m_view->verticalHeader()->sectionViewportPosition(m_section), area->width(),
                          m_view->verticalHeader()->sectionSize(m_section));
            break;
        case Corner:
            return {};
        }
        if (local.isEmpty() || !area->isVisible()) {
            return {};
        }
        return QRect(area->mapToGlobal(local.topLeft()), local.size());
    }

    // QAccessibleTableCellInterface
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    int columnIndex() const override { return m_index.column(); }
    int rowIndex() const override { return m_index.row(); }
    bool isSelected() const override
    {
        return m_view && m_view->selectionModel() && m_view->selectionModel()->isSelected(m_index);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        return headerCell(Qt::Horizontal);
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return headerCell(Qt::Vertical); }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleActionInterface: a row button is pressed, any other cell is
    // selected or not, as in Qt's own tables.
    QStringList actionNames() const override
    {
        if (!isValid()) {
            return {};
        }
        return {isButton() ? pressAction() : toggleAction()};
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    void doAction(const QString& action) override
    {
        if (!isValid()) {
            return;
        }
        if (isButton() && action == pressAction()) {
            // Later, from the event loop: pressing Delete removes the row,
            // and with it this interface, which must not go while it runs.
            const QPointer<RecordTableView> view = m_view;
            const QPersistentModelIndex index = m_index;
            QMetaObject::invokeMethod(
                m_view.data(),
                [view, index] {
                    if (view && index.isValid()) {
                        view->pressRowButton(index);
                    }
                },
                Qt::QueuedConnection);
        } else if (!isButton() && action == toggleAction() && m_view->selectionModel()
                   && m_view->selectionMode() != QAbstractItemView::NoSelection) {
            m_view->selectionModel()->select(m_index, isSelected() ? QItemSelectionModel::Deselect
                                                                   : QItemSelectionModel::Select);
        }
    }

    Kind kind() const { return m_kind; }
    int section() const { return m_section; }
    QModelIndex index() const { return m_index; }

private:
    bool isButton() const { return m_view && m_view->recordModel() && m_view->recordModel()->isButtonColumn(m_index.column()); }

    QList<QAccessibleInterface*> headerCell(Qt::Orientation orientation) const
    {
        auto* table = static_cast<RecordTableAccessible*>(parent());
        if (!table || !isValid()) {
            return {};
        }
        return {orientation == Qt::Horizontal ? table->child(m_index.column() + 1)
                                              : table->child(table->logicalIndex(m_index.row(), -1))};
    }

    QPointer<RecordTableView> m_view;
    Kind m_kind;
    int m_section;
    QPersistentModelIndex m_index;
};

// Where a child stands now, as the view numbers its children.
int placeOf(const RecordTableAccessible& table, const RecordTableItem& item)
{
    switch (item.kind()) {
    case RecordTableItem::Corner: return 0;
    case RecordTableItem::ColumnHeader: return item.section() + 1;
    case RecordTableItem::RowHeader: return table.logicalIndex(item.section(), -1);
    case RecordTableItem::Cell: return table.logicalIndex(item.index().row(), item.index().column());
    }
    return -1;
}

} // namespace

RecordTableAccessible::RecordTableAccessible(RecordTableView* view) : QAccessibleWidget(view, QAccessible::Table)
{
}

RecordTableAccessible::~RecordTableAccessible()
{
    forgetChildren();
}

QAccessibleInterface* RecordTableAccessible::factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("RecordTableView") && object && object->isWidgetType()) {
        return new RecordTableAccessible(static_cast<RecordTableView*>(object));
    }
    return nullptr;
}

RecordTableView* RecordTableAccessible::view() const
{
    return static_cast<RecordTableView*>(widget());
}

void* RecordTableAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::Role RecordTableAccessible::role() const
{
    return QAccessible::Table;
}

int RecordTableAccessible::logicalIndex(int row, int column) const
{
    return (row + 1) * (columnCount() + 1) + column + 1;
}

int RecordTableAccessible::childCount() const
{
    return (rowCount() + 1) * (columnCount() + 1);
}

QAccessibleInterface* RecordTableAccessible::child(int index) const
{
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    const int width = columnCount() + 1;
    const int row = index / width - 1;
    const int column = index % width - 1;
    // Without an assistive technology listening the view announces no row
    // changes: a child made earlier may stand elsewhere now, or be gone.
    const auto known = m_children.constFind(index);
    if (known != m_children.constEnd()) {
        auto* item = static_cast<RecordTableItem*>(QAccessible::accessibleInterface(known.value()));
        if (item && item->isValid() && placeOf(*this, *item) == index) {
            return item;
        }
        QAccessible::deleteAccessibleInterface(known.value());
        m_children.remove(index);
    }
    RecordTableItem* item = nullptr;
    if (row < 0 && column < 0) {
        item = new RecordTableItem(view(), RecordTableItem::Corner, 0);
    } else if (row < 0) {
        item = new RecordTableItem(view(), RecordTableItem::ColumnHeader, column);
    } else if (column < 0) {
        item = new RecordTableItem(view(), RecordTableItem::RowHeader, row);
    } else {
        item = new RecordTableItem(view(), RecordTableItem::Cell, 0, view()->model()->index(row, column));
    }
    const QAccessible::Id id = QAccessible::registerAccessibleInterface(item);
    m_children.insert(index, id);
    return item;
}

int RecordTableAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const bool ours = std::any_of(m_children.cbegin(), m_children.cend(), [child](QAccessible::Id id) {
        return QAccessible::accessibleInterface(id) == child;
    });
    if (!ours || !child->isValid()) {
        return -1;
    }
    return placeOf(*this, *static_cast<const RecordTableItem*>(child));
}

QAccessibleInterface* RecordTableAccessible::childAt(int x, int y) const
{
    const QPoint local = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = view()->indexAt(local);
    return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
}

QAccessibleInterface* RecordTableAccessible::focusChild() const
{
    const QModelIndex current = view()->currentIndex();
    return current.isValid() ? cellAt(current.row(), current.column()) : nullptr;
}

QAccessibleInterface* RecordTableAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) {
        return nullptr;
    }
    return child(logicalIndex(row, column));
}

int RecordTableAccessible::columnCount() const
{
    return view()->model() ? view()->model()->columnCount() : 0;
}

int RecordTableAccessible::rowCount() const
{
    return view()->model() ? view()->model()->rowCount() : 0;
}

QString RecordTableAccessible::columnDescription(int column) const
{
    return view()->model() ? view()->model()->headerData(column, Qt::Horizontal).toString() : QString();
}

QString RecordTableAccessible::rowDescription(int row) const
{
    return view()->model() ? view()->model()->headerData(row, Qt::Vertical).toString() : QString();
}

int RecordTableAccessible::selectedCellCount() const
{
    return view()->selectionModel() ? int(view()->selectionModel()->selectedIndexes().size()) : 0;
}

int RecordTableAccessible::selectedColumnCount() const
{
    return int(selectedColumns().size());
}

int RecordTableAccessible::selectedRowCount() const
{
    return int(selectedRows().size());
}

QList<QAccessibleInterface*> RecordTableAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    if (view()->selectionModel()) {
        for (const QModelIndex& index : view()->selectionModel()->selectedIndexes()) {
            cells << cellAt(index.row(), index.column());
        }
    }
    return cells;
}

QList<int> RecordTableAccessible::selectedColumns() const
{
    QList<int> columns;
    if (view()->selectionModel()) {
        for (const QModelIndex& index : view()->selectionModel()->selectedColumns()) {
            columns << index.column();
        }
    }
    return columns;
}

QList<int> RecordTableAccessible::selectedRows() const
{
    QList<int> rows;
    if (view()->selectionModel()) {
        for (const QModelIndex& index : view()->selectionModel()->selectedRows()) {
            rows << index.row();
        }
    }
    return rows;
}

bool RecordTableAccessible::isColumnSelected(int column) const
{
    return view()->selectionModel() && view()->selectionModel()->isColumnSelected(column, QModelIndex());
}

bool RecordTableAccessible::isRowSelected(int row) const
{
    return view()->selectionModel() && view()->selectionModel()->isRowSelected(row, QModelIndex());
}

bool RecordTableAccessible::selectRow(int row)
{
    if (!view()->selectionModel() || view()->selectionMode() == QAbstractItemView::NoSelection || row < 0
        || row >= rowCount()) {
        return false;
    }
    view()->selectionModel()->select(view()->model()->index(row, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return true;
}

bool RecordTableAccessible::selectColumn(int column)
{
    if (!view()->selectionModel() || view()->selectionMode() == QAbstractItemView::NoSelection || column < 0
        || column >= columnCount()) {
        return false;
    }
    view()->selectionModel()->select(view()->model()->index(0, column),
                                     QItemSelectionModel::Select | QItemSelectionModel::Columns);
    return true;
}

bool RecordTableAccessible::unselectRow(int row)
{
    if (!view()->selectionModel() || row < 0 || row >= rowCount()) {
        return false;
    }
    view()->selectionModel()->select(view()->model()->index(row, 0),
                                     QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    return true;
}

bool RecordTableAccessible::unselectColumn(int column)
{
    if (!view()->selectionModel() || column < 0 || column >= columnCount()) {
        return false;
    }
    view()->selectionModel()->select(view()->model()->index(0, column),
                                     QItemSelectionModel::Deselect | QItemSelectionModel::Columns);
    return true;
}

void RecordTableAccessible::modelChange(QAccessibleTableModelChangeEvent* event)
{
    // Rows and columns that come or go move every child index after them:
    // the children are made again when next asked for.
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged) {
        forgetChildren();
    }
}

void RecordTableAccessible::forgetChildren()
{
    const QHash<int, QAccessible::Id> children = std::exchange(m_children, {});
    for (const QAccessible::Id id : children) {
        QAccessible::deleteAccessibleInterface(id);
    }
}
