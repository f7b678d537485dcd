// The statistics of the shown table's records: the "Statistics" window (a
// click on a chart point selects its row here), the export's statistics
// sheet and the report's statistics page.

#include "FirstPageFor310.h"

#include "ComparisonRecordList.h"
#include "FirstPageForm.h"
#include "FirstPageReport.h"
#include "StatisticsTable.h"
#include "StatisticsWindow.h"

#include <QStackedWidget>

bool FirstPageFor310::showsLegacyTable() const
{
    return isFirstGeneration() || ui->stackedWidget_data->currentWidget() == ui->page_oldData;
}

void FirstPageFor310::setUpStatistics()
{
    // An open window follows the table shown (another instrument, restored legacy rows).
    connect(ui->stackedWidget_data, &QStackedWidget::currentChanged, this, [this] {
        if (m_statisticsWindow) {
            m_statisticsWindow->setRecordList(showsLegacyTable() ? m_legacyRecords : m_records);
        }
    });
    m_reports->setStatisticsSource([this] {
        const ComparisonRecordList& list = showsLegacyTable() ? *m_legacyRecords : *m_records;
        WorkStatistics work(shownQuantities(list.records()));
        work.rebuild(list.records());
        // The window's choice when it is open, so the page shows what the operator looks at.
        const ChartChoice choice = m_statisticsWindow && m_statisticsWindow->isVisible()
                                       ? m_statisticsWindow->choice()
                                       : defaultChartChoice(work);
        return reportStatisticsPage(work, choice);
    });
}

void FirstPageFor310::on_pushButton_statistics_clicked()
{
    if (!m_statisticsWindow) {
        m_statisticsWindow = new StatisticsWindow(this);
        connect(m_statisticsWindow, &StatisticsWindow::rowActivated, this, [this](int row) {
            RecordTableView* table = showsLegacyTable() ? ui->tbData : ui->tableWidget_data;
            if (row >= 0 && row < table->model()->rowCount()) {
                table->selectRow(row);
                table->scrollTo(table->model()->index(row, 0));
            }
        });
    }
    m_statisticsWindow->setRecordList(showsLegacyTable() ? m_legacyRecords : m_records);
    m_statisticsWindow->show();
    m_statisticsWindow->raise();
    m_statisticsWindow->activateWindow();
}

QList<QStringList> FirstPageFor310::statisticsSheet(bool legacy) const
{
    return ::statisticsSheet(legacy ? m_legacyRecords->records() : m_records->records());
}
