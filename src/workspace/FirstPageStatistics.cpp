// The statistics of the shown table's records: the "Statistics" window (a
// click on a chart point selects its row in the table).

#include "FirstPageFor310.h"

#include "RecordTables.h"

void FirstPageFor310::on_pushButton_statistics_clicked()
{
    m_tables->showStatistics();
}
