#pragma once
// One comparison table of the page as a view of a record list: the
// QTableWidget (tableWidget_data or tbData, kept for its object name, row
// buttons and journal) is filled from the records through the column mapping
// and follows every change of the list; a test name typed into the table
// renames the record. Nothing is ever read back from the cells.

#include "ComparisonColumns.h"

#include <QObject>

class ComparisonRecordList;
class QTableWidget;
class QTableWidgetItem;

class RecordTable : public QObject
{
    Q_OBJECT
public:
    RecordTable(QTableWidget* table, ComparisonRecordList* records, ComparisonColumns::Layout layout,
                QObject* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    ComparisonRecordList* records() const { return m_records; }

    // The verdict texts again, in the language in force.
    void relabel();

Q_SIGNALS:
    // Rows first..last were filled for new records.
    void rowsShown(int first, int last);

private:
    void fillRow(int row);
    void showVerdict(QTableWidgetItem* item, bool pass);
    void refresh(const QList<int>& rows);

    QTableWidget* m_table;
    ComparisonRecordList* m_records;
    ComparisonColumns::Layout m_layout;
    bool m_filling = false;
};
