// The history over the journal: the filters in time order, a journal of the
// former schema filled in, and a query cancelled while it reads.
#include "JournalHistory.h"
#include "RecordJournal.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cmath>

namespace {

ComparisonRecord record(const QString& name, const QString& model, int minute, bool pass, double deltaE)
{
    ComparisonRecord r;
    r.id = QUuid::createUuid();
    r.testName = name;
    r.modelName = model;
    r.time = QDateTime(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC).addSecs(60 * minute);
    for (int i = 0; i < ComparisonRecord::ValueCount; ++i) {
        r.standard[i] = std::nan("");
        r.sample[i] = std::nan("");
    }
    r.standard[ComparisonRecord::LabL] = minute < 100 ? 50.0 : 60.0;
    r.standard[ComparisonRecord::LabA] = 1.0;
    r.standard[ComparisonRecord::LabB] = 2.0;
    r.deltaE = deltaE;
    r.pass = pass;
    return r;
}

QStringList names(const QList<HistoryRow>& rows)
{
    QStringList out;
    for (const HistoryRow& r : rows) {
        out << r.testName;
    }
    return out;
}

} // namespace

class TestJournalHistory : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    qint64 m_closedSession = 0;

    // Session 1 (closed): A1 A2 B1 (deleted); session 2 (open): X[1] renamed
    // to "Comp[1]", Late. Minutes 0..200; standards "Lab 50.00 ..." below
    // minute 100, "Lab 60.00 ..." from it.
    void fill(const QString& path)
    {
        RecordJournal journal(path);
        QVERIFY(journal.open());
        journal.setSessionInfo(QStringLiteral("TX310"), 0);
        const ComparisonRecord deleted = record(QStringLiteral("B1"), QStringLiteral("TX310"), 30, true, 0.5);
        QVERIFY(journal.append({record(QStringLiteral("A2"), QStringLiteral("TX310"), 20, false, 3.0),
                                record(QStringLiteral("A1"), QStringLiteral("TX310"), 10, true, 1.0), deleted}));
        QVERIFY(journal.remove({deleted.id}));
        m_closedSession = journal.currentSession();
        QVERIFY(journal.closeCurrentSession());
        journal.setSessionInfo(QStringLiteral("TX450"), 0);
        ComparisonRecord renamed = record(QStringLiteral("X[1]"), QStringLiteral("TX450"), 100, true, 2.0);
        QVERIFY(journal.append({renamed, record(QStringLiteral("Late"), QStringLiteral("TX450"), 200, false, kNaN)}));
        renamed.testName = QStringLiteral("Comp[1]");
        QVERIFY(journal.update({renamed}));
    }

    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("journal.sqlite"));
        fill(m_path);
    }

    void filtersSelectRowsInTimeOrder_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("expected");
        const QDateTime base(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC);
        QTest::newRow("nothing: every record not deleted, oldest first")
            << "" << "" << QStringList{"A1", "A2", "Comp[1]", "Late"};
        QTest::newRow("from, inclusive") << "from" << base.addSecs(20 * 60).toString(Qt::ISODate)
                                         << QStringList{"A2", "Comp[1]", "Late"};
        QTest::newRow("before, exclusive") << "to" << base.addSecs(100 * 60).toString(Qt::ISODate)
                                           << QStringList{"A1", "A2"};
        QTest::newRow("model") << "model" << "TX450" << QStringList{"Comp[1]", "Late"};
        QTest::newRow("a model no record has") << "model" << "TX" << QStringList{};
        QTest::newRow("standard") << "standard" << "Lab 60.00 1.00 2.00" << QStringList{"Comp[1]", "Late"};
        QTest::newRow("name with *") << "name" << "A*" << QStringList{"A1", "A2"};
        QTest::newRow("name with ?") << "name" << "?2" << QStringList{"A2"};
        QTest::newRow("a bracket is literal") << "name" << "Comp[1]" << QStringList{"Comp[1]"};
        QTest::newRow("names are case-sensitive") << "name" << "a*" << QStringList{};
        QTest::newRow("the old name of a changed record") << "name" << "X*" << QStringList{};
        QTest::newRow("PASS") << "pass" << "1" << QStringList{"A1", "Comp[1]"};
        QTest::newRow("NG") << "pass" << "0" << QStringList{"A2", "Late"};
        QTest::newRow("the closed session") << "session" << "" << QStringList{"A1", "A2"};
        QTest::newRow("with the deleted") << "deleted" << "" << QStringList{"A1", "A2", "B1", "Comp[1]", "Late"};
    }

    void filtersSelectRowsInTimeOrder()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QStringList, expected);
        HistoryFilter f;
        if (field == QLatin1String("from")) {
            f.from = QDateTime::fromString(value, Qt::ISODate);
        } else if (field == QLatin1String("to")) {
            f.to = QDateTime::fromString(value, Qt::ISODate);
        } else if (field == QLatin1String("model")) {
            f.model = value;
        } else if (field == QLatin1String("standard")) {
            f.standard = value;
        } else if (field == QLatin1String("name")) {
            f.testNamePattern = value;
        } else if (field == QLatin1String("pass")) {
            f.pass = value == QLatin1String("1");
        } else if (field == QLatin1String("session")) {
            f.session = m_closedSession;
        } else if (field == QLatin1String("deleted")) {
            f.includeDeleted = true;
        }
        const JournalHistory history(m_path);
        QList<HistoryRow> rows;
        QString error;
        QVERIFY2(history.rows(f, 0, &rows, &error, {}, nullptr), qPrintable(error));
        QCOMPARE(names(rows), expected);
        for (const HistoryRow& r : rows) {
            QCOMPARE(r.record.testName, r.testName); // the whole record came with its row
            QCOMPARE(r.record.id.toString(QUuid::WithoutBraces), r.id);
        }
        HistoryStatistics s;
        QVERIFY2(history.statistics(f, &s, &error, nullptr), qPrintable(error));
        QCOMPARE(s.count, qint64(expected.size()));
    }

    // A journal kept before the history's columns: they are added and filled
    // from every record's data when it is opened.
    void olderJournalIsFilledIn()
    {
        const QString path = m_dir.filePath(QStringLiteral("older.sqlite"));
        fill(path);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("DROP INDEX records_history")));
            QVERIFY(q.exec(QStringLiteral("DROP INDEX records_history_name")));
            for (const char* column : {"measured_at", "test_name", "model", "standard", "pass", "delta_e",
                                       "haze_difference", "transmittance_difference"}) {
                QVERIFY(q.exec(QStringLiteral("ALTER TABLE records DROP COLUMN %1").arg(QLatin1String(column))));
            }
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 3")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("older"));
        RecordJournal owner(path);
        QVERIFY(owner.open());
        HistoryFilter f;
        f.model = QStringLiteral("TX450");
        QList<HistoryRow> rows;
        QString error;
        QVERIFY2(JournalHistory(path).rows(f, 0, &rows, &error, {}, nullptr), qPrintable(error));
        QCOMPARE(names(rows), (QStringList{"Comp[1]", "Late"}));
    }

    void cancelStopsTheQuery_data()
    {
        QTest::addColumn<bool>("before"); // cancelled before it starts, or while it reads
        QTest::newRow("before") << true;
        QTest::newRow("while reading") << false;
    }

    void cancelStopsTheQuery()
    {
        QFETCH(bool, before);
        const QString path = m_dir.filePath(QStringLiteral("many.sqlite"));
        if (!QFile::exists(path)) {
            RecordJournal journal(path);
            QVERIFY(journal.open());
            QList<ComparisonRecord> many;
            for (int i = 0; i < 2000; ++i) {
                many << record(QStringLiteral("R%1").arg(i), QStringLiteral("TX310"), i, true, 1.0);
            }
            QVERIFY(journal.append(many));
        }
        const JournalHistory history(path, 2000);
        std::atomic<bool> cancelled{before};
        QList<HistoryRow> rows;
        QString error;
        int seen = 0;
        QVERIFY(!history.rows({}, 0, &rows, &error, [&](int done) {
            seen = done;
            cancelled = true;
        }, &cancelled));
        QVERIFY2(error.isEmpty(), qPrintable(error)); // a cancel is no failure
        QVERIFY(rows.size() < 2000);
        QCOMPARE(seen, before ? 0 : 256);
        HistoryStatistics s;
        QCOMPARE(history.statistics({}, &s, &error, &cancelled), false);
    }
};

QTEST_GUILESS_MAIN(TestJournalHistory)
#include "tst_journal_history.moc"
