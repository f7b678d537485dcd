// The entry points of the rows' Delete and Report buttons and of a double
// click on a comparison table: each hands over to the tables.

#include "FirstPageFor310.h"

#include "RecordTables.h"

void FirstPageFor310::on_DeleteBtn_clicked()
{
    m_tables->pressCurrentRowButton(false, false);
}

void FirstPageFor310::on_DeleteBtn_clicked_old()
{
    m_tables->pressCurrentRowButton(true, false);
}

void FirstPageFor310::on_ReportBtn_clicked()
{
    m_tables->pressCurrentRowButton(false, true);
}

void FirstPageFor310::on_ReportBtn_clicked_old()
{
    m_tables->pressCurrentRowButton(true, true);
}

void FirstPageFor310::doubleClickedSlot(int row, int column)
{
    m_tables->editTestName(false, row, column);
}

void FirstPageFor310::doubleClickedSlot_old(int row, int column)
{
    m_tables->editTestName(true, row, column);
}
