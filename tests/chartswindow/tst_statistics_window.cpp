// The statistics window following a record list: a new record is added to
// the kept statistics, a change of the list takes every record again, another
// display mode changes the differences shown; a click on a point names its row.
#include "ComparisonRecordList.h"
#include "StatisticsCases.h"
#include "StatisticsChartView.h"
#include "StatisticsWindow.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>

using namespace statisticscases;

namespace {

QString cell(StatisticsWindow& window, int row, int column)
{
    auto* table = window.findChild<QTableWidget*>(QStringLiteral("tableWidget_statistics"));
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class TestStatisticsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsTheList()
    {
        ComparisonRecordList list;
        const QList<ComparisonRecord> records = driftingRecords(0, 30);
        list.append(records.mid(0, 20));
        StatisticsWindow window;
        window.setRecordList(&list);
        window.refresh();
        QCOMPARE(window.statistics().quantities(), (QList<StatQuantity>{StatQuantity::Haze, StatQuantity::Transmittance}));
        QCOMPARE(cell(window, 0, 0), QStringLiteral("ΔHaze"));
        QCOMPARE(cell(window, 0, 1), QStringLiteral("20"));

        list.append(records.mid(20, 10));
        QTRY_COMPARE(cell(window, 0, 1), QStringLiteral("30"));
        QCOMPARE(window.statistics().rowCount(), 30);

        list.remove(0);
        QTRY_COMPARE(cell(window, 0, 1), QStringLiteral("29"));
        QCOMPARE(window.statistics().overall().rows.front(), 0); // rows counted again from the list

        // A colour record: the differences of the Lab mode, taken from every row.
        list.append(driftingRecords(3, 1));
        QTRY_COMPARE(cell(window, 5, 0), QStringLiteral("ΔE"));
        QCOMPARE(cell(window, 5, 1), QStringLiteral("1")); // haze rows have no ΔE
        QCOMPARE(cell(window, 0, 1), QStringLiteral("1"));

        list.clear();
        QTRY_COMPARE(cell(window, 5, 1), QStringLiteral("0"));
        QCOMPARE(cell(window, 5, 3), QStringLiteral("—")); // no mean without rows
    }

    // The table as high as its rows, and the charts right below it, whichever
    // display mode the list shows and in whatever order they come.
    void tableRows_chartsTakeTheRest_data()
    {
        QTest::addColumn<QList<int>>("modes");
        QTest::addColumn<int>("rows");
        QTest::newRow("every quantity, then Haze/T: fewer rows") << QList<int>{-1, 0} << 2;
        QTest::newRow("every quantity, then Lab") << QList<int>{-1, 3} << 6;
        QTest::newRow("Haze/T, then Haze/T/Lab: more rows") << QList<int>{0, 6} << 8;
        QTest::newRow("Lab, then every quantity") << QList<int>{3, -1} << 11;
    }
    void tableRows_chartsTakeTheRest()
    {
        QFETCH(QList<int>, modes);
        QFETCH(int, rows);
        ComparisonRecordList list;
        StatisticsWindow window;
        window.resize(1200, 800);
        window.setRecordList(&list);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const int mode : modes) {
            list.clear();
            if (mode >= 0) {
                list.append(driftingRecords(mode, 20));
            }
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        }
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("tableWidget_statistics"));
        QCOMPARE(table->rowCount(), rows);
        const int rowHeight = table->verticalHeader()->defaultSectionSize();
        QTRY_VERIFY2(table->viewport()->height() >= rows * rowHeight, qPrintable(QString::number(table->height())));
        QVERIFY(table->viewport()->height() < (rows + 1) * rowHeight);
        auto* splitter = window.findChild<QSplitter*>(QStringLiteral("splitter_tableCharts"));
        QCOMPARE(splitter->sizes().value(0), table->height()); // no gap under the table
        auto* charts = window.findChild<QWidget*>(QStringLiteral("widget_charts"));
        QCOMPARE(charts->geometry().bottom(), splitter->height() - 1);
    }

    void clickOnAPoint_namesItsRow()
    {
        ComparisonRecordList list;
        list.append(driftingRecords(3, 40));
        StatisticsWindow window;
        window.resize(1200, 800);
        window.setRecordList(&list);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.refresh();
        auto* chart = window.findChild<StatisticsChartView*>(QStringLiteral("chart_control"));
        const ControlChartGeometry& c = window.scene().control();
        const int point = 17;
        const QPoint at(qRound(c.individuals.x(point)), qRound(c.individuals.y(window.scene().series()->values()[point])));
        QSignalSpy activated(&window, &StatisticsWindow::rowActivated);
        QTest::mouseClick(chart, Qt::LeftButton, {}, at);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toInt(), point);
        QVERIFY(window.rowText(point).startsWith(QStringLiteral("Comp18  2026/12/08  07:47")));
    }
};

QTEST_MAIN(TestStatisticsWindow)
#include "tst_statistics_window.moc"
