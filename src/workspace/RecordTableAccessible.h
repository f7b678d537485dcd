#pragma once
// What assistive technology (a screen reader, through AT-SPI) finds in a
// comparison table: a table of cells as Qt's own item views offer, except
// that the painted Delete and Report cells are buttons with the press action
// a button has. Pressing one through it does what a click does.

#include <QAccessibleWidget>
#include <QHash>

class RecordTableView;

// The accessible of a RecordTableView; cells are made when first asked for
// and forgotten when rows or columns change.
class RecordTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit RecordTableAccessible(RecordTableView* view);
    ~RecordTableAccessible() override;

    // Installed once, by the first RecordTableView.
    static QAccessibleInterface* factory(const QString& className, QObject* object);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    RecordTableView* view() const;
    // The child index of a cell, as the view numbers it in its focus events:
    // the corner first, then the column headers, then each row after its header.
    int logicalIndex(int row, int column) const;

private:
    void forgetChildren();

    mutable QHash<int, QAccessible::Id> m_children;
};
