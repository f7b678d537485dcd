// The workspace's "Statistics" button: the window follows the shown table's
// records as comparisons arrive, and a point clicked in it selects its row.
// The batch report of the table's rows: all, one standard's, the selected.
#include "RecordTables.h"
#include "BatchReportDialog.h"
#include "ComparisonRecordList.h"
#include "PageFixture.h"
#include "StatisticsCases.h"
#include "StatisticsWindow.h"

#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>

class tst_page_statistics : public QObject, public PageFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpPage(); }
    void cleanup() { tearDownPage(); }

    void statisticsButton_followsTheTableAndSelectsRows()
    {
        const QList<ComparisonRecord> records = statisticscases::driftingRecords(3, 12);
        m_page->tables().addComparisonRows(records.mid(0, 10), false);
        ui().pushButton_statistics->click();
        auto* window = m_page->findChild<StatisticsWindow*>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->statistics().rowCount(), 10);
        m_page->tables().addComparisonRow(records.at(10));
        QCOMPARE(window->statistics().rowCount(), 11);
        QCOMPARE(window->statistics().overall().find(StatQuantity::DeltaE)->values.count(), 11);

        Q_EMIT window->rowActivated(7);
        const QList<QModelIndex> selected = ui().tableWidget_data->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.front().row(), 7);
        Q_EMIT window->rowActivated(40); // no such row: the selection stays
        QCOMPARE(ui().tableWidget_data->selectionModel()->selectedRows().front().row(), 7);

        // The legacy table shown (rows restored without an instrument): the window follows it.
        m_page->tables().addComparisonRows(records.mid(0, 3), true);
        ui().stackedWidget_data->setCurrentWidget(ui().page_oldData);
        QCOMPARE(window->statistics().rowCount(), 3);
        window->close();
    }

    void batchReport_allOneStandardOrSelectedRows()
    {
        const QList<ComparisonRecord> records = statisticscases::driftingRecords(3, 12, true);
        m_page->tables().addComparisonRows(records, false);
        const auto reported = [this](RecordTables::BatchRows rows, int standard = -1) {
            m_page->tables().openBatchReport(false, rows, standard);
            auto* dialog = m_page->findChild<BatchReportDialog*>();
            QStringList names;
            if (dialog) {
                const BatchTable* specimens = nullptr;
                for (const BatchBlock& block : dialog->document().blocks) {
                    if (block.kind == BatchBlock::Table && block.table.headings.contains(QStringLiteral("Verdict"))) {
                        specimens = &block.table;
                    }
                }
                for (const QStringList& row : specimens ? specimens->rows : QList<QStringList>()) {
                    names << row.at(1);
                }
                delete dialog;
            }
            return names;
        };
        QStringList all;
        for (const ComparisonRecord& r : m_page->tables().records().records()) {
            all << r.testName;
        }
        QCOMPARE(all.size(), 12);
        QCOMPARE(reported(RecordTables::BatchRows::All), all);
        QCOMPARE(reported(RecordTables::BatchRows::Standard, 1), all.mid(6)); // the second from the middle on
        QItemSelectionModel* selection = ui().tableWidget_data->selectionModel();
        selection->select(ui().tableWidget_data->model()->index(9, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection->select(ui().tableWidget_data->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(reported(RecordTables::BatchRows::Selected), (QStringList{all.at(2), all.at(9)}));
    }
};

QTEST_MAIN(tst_page_statistics)
#include "tst_page_statistics.moc"
