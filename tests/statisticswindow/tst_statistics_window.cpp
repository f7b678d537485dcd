// The statistics window following a record list: a new record is added to
// the kept statistics, a change of the list takes every record again, another
// display mode changes the differences shown; a click on a point names its row.
#include "ComparisonRecordList.h"
#include "StatisticsCases.h"
#include "StatisticsChartView.h"
#include "StatisticsWindow.h"

#include <QSignalSpy>
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
