// The entry points of the rows' Delete and Report buttons and of a double
// click on a comparison table: each hands over to the record list.

#include "FirstPageFor310.h"

#include "ComparisonColumns.h"
#include "FirstPageForm.h"
#include "RecordTable.h"

namespace {

// The Delete (or Report) cell of the row of table's current cell, or none.
QModelIndex rowButtonOfCurrentRow(const RecordTableView* table, bool report)
{
    if (!table || !table->recordModel() || !table->currentIndex().isValid()) {
        return {};
    }
    const RecordTableModel* model = table->recordModel();
    return model->index(table->currentIndex().row(), ComparisonColumns::deleteColumn(model->layout()) + (report ? 1 : 0));
}

void editTestName(RecordTableView* table, int row, int column)
{
    if (table && column == ComparisonColumns::kTestNameColumn && row >= 0 && row < table->model()->rowCount()) {
        table->edit(table->model()->index(row, column)); // nothing else is edited
    }
}

} // namespace

void FirstPageFor310::on_DeleteBtn_clicked()
{
    rowButtonPressed(rowButtonOfCurrentRow(ui->tableWidget_data, false), false);
}

void FirstPageFor310::on_DeleteBtn_clicked_old()
{
    rowButtonPressed(rowButtonOfCurrentRow(ui->tbData, false), true);
}

void FirstPageFor310::on_ReportBtn_clicked()
{
    rowButtonPressed(rowButtonOfCurrentRow(ui->tableWidget_data, true), false);
}

void FirstPageFor310::on_ReportBtn_clicked_old()
{
    rowButtonPressed(rowButtonOfCurrentRow(ui->tbData, true), true);
}

void FirstPageFor310::doubleClickedSlot(int row, int column)
{
    editTestName(ui->tableWidget_data, row, column);
}

void FirstPageFor310::doubleClickedSlot_old(int row, int column)
{
    editTestName(ui->tbData, row, column);
}
