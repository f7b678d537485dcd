// The history window over this computer's journal: pages, the session
// filter, the statistics of the whole selection after its first page, the statistics
// window and the export of the rows shown.
#include "ComparisonRecordList.h"
#include "HistoryWindow.h"
#include "JournalHistory.h"
#include "RecordJournal.h"
#include "ScriptedDialogs.h"
#include "StatisticsWindow.h"
#include "WaitUntil.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {
ComparisonRecord record(const QString& name, int minute, double deltaE)
{
    ComparisonRecord r;
    r.id = QUuid::createUuid();
    r.testName = name;
    r.modelName = QStringLiteral("TX460");
    r.time = QDateTime(QDate(2026, 12, 2), QTime(9, 0), Qt::UTC).addSecs(60 * minute);
    for (int i = 0; i < ComparisonRecord::ValueCount; ++i) {
        r.standard[i] = std::nan("");
        r.sample[i] = std::nan("");
    }
    r.settings.displayMode = DisplayMode::Lab;
    r.standard[ComparisonRecord::LabL] = 50.0;
    r.sample[ComparisonRecord::LabL] = 50.0 + deltaE;
    r.deltaE = deltaE;
    r.pass = deltaE < 2.0;
    return r;
}
} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesSessionsStatisticsAndExport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
        qint64 first = 0;
        {
            RecordJournal journal(path);
            QVERIFY(journal.open());
            QVERIFY(journal.append({record(QStringLiteral("S1a"), 0, 1.0), record(QStringLiteral("S1b"), 1, 3.0)}));
            first = journal.currentSession();
            QVERIFY(journal.closeCurrentSession());
            QVERIFY(journal.append({record(QStringLiteral("S2a"), 2, 0.5)}));
        }
        ScriptedDialogs dialogs;
        HistoryWindow window(std::make_unique<JournalHistory>(path, 2), dialogs);
        QCOMPARE(window.windowTitle(), QStringLiteral("History of this computer"));
        auto* table = window.findChild<QTableWidget*>();
        QVERIFY(table->isColumnHidden(0)); // one station: no station column
        auto* session = window.findChild<QComboBox*>(QStringLiteral("historySession"));
        QCOMPARE(session->count(), 3); // every session, and both

        QSignalSpy finished(&window, &HistoryWindow::finished);
        QSignalSpy statisticsShown(&window, &HistoryWindow::statisticsShown);
        window.query();
        QVERIFY(waitUntil([&] { return finished.count() == 1 && statisticsShown.count() == 1; }, 10000));
        QVERIFY2(finished.last().at(0).toBool(), qPrintable(finished.last().at(1).toString()));
        QCOMPARE(window.rows().size(), 2);
        QVERIFY(window.hasMore());
        QVERIFY2(window.statisticsText().startsWith(QStringLiteral("3 records, 2 PASS, 1 NG; ΔE mean 1.5000, standard deviation 1.3229, from 0.5000 to 3.0000")),
                 qPrintable(window.statisticsText()));
        window.fetchMore();
        QVERIFY(waitUntil([&] { return finished.count() == 2; }, 10000));
        QCOMPARE(window.rows().size(), 3);
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(2, 2)->text(), QStringLiteral("S2a"));
        QVERIFY(!window.hasMore());
        QCOMPARE(window.records().records().size(), 3);
        QCOMPARE(dialogs.openProgressDialogs, 0);

        // Every row at once, page after page (one row a page here): the whole
        // selection for the statistics, the export and the report.
        {
            HistoryWindow paged(std::make_unique<JournalHistory>(path, 1), dialogs);
            QSignalSpy pagedFinished(&paged, &HistoryWindow::finished);
            paged.query();
            QVERIFY(waitUntil([&] { return pagedFinished.count() == 1; }, 10000));
            QCOMPARE(paged.rows().size(), 1);
            paged.fetchAll();
            QVERIFY(waitUntil([&] { return pagedFinished.count() == 2; }, 10000));
            QCOMPARE(paged.rows().size(), 3);
            QCOMPARE(paged.records().records().size(), 3);
            QCOMPARE(paged.rows().at(2).testName, QStringLiteral("S2a"));
            QVERIFY(!paged.hasMore());
            QVERIFY(waitUntil([&] { return dialogs.openProgressDialogs == 0; }, 10000));
        }

        // One session's rows, in the statistics window and in a file.
        session->setCurrentIndex(session->findData(first));
        window.query();
        QVERIFY(waitUntil([&] { return finished.count() == 3 && statisticsShown.count() == 2; }, 10000));
        QCOMPARE(window.rows().size(), 2);
        QCOMPARE(window.rows().at(0).testName, QStringLiteral("S1a"));
        StatisticsWindow* statistics = window.showStatistics();
        statistics->refresh();
        QCOMPARE(statistics->statistics().overall().records, 2);
        statistics->close();
        const QString csv = dir.filePath(QStringLiteral("history.csv"));
        QVERIFY(window.exportCsv(csv));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4); // heading, two rows, the last line's end
        QVERIFY(lines.at(1).contains(",2026-12-02T09:00:00Z,S1a,TX460,"));
    }
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_history_window.moc"
