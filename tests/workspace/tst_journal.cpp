// The comparison journal: what survives a killed process and a restart, how
// the work is closed, and what happens when the file cannot be used.
#include "ComparisonJournal.h"
#include "JournalKeeper.h"
#include "TableRowCodec.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void rowsSurviveKillNineAtAnyMoment_data()
    {
        QTest::addColumn<int>("shownBeforeKill");
        QTest::newRow("first row") << 1;
        QTest::newRow("a few") << 7;
        QTest::newRow("a shift's worth") << 200;
    }

    void rowsSurviveKillNineAtAnyMoment()
    {
        QFETCH(int, shownBeforeKill);
        const QString path = m_dir.filePath(QStringLiteral("kill%1.sqlite").arg(shownBeforeKill));
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/journal_kill_child"),
                    {path});
        QVERIFY(child.waitForStarted());
        QMap<qint64, QByteArray> shown;
        while (shown.size() < shownBeforeKill) {
            if (!child.canReadLine()) {
                QVERIFY2(child.waitForReadyRead(10000), qPrintable(child.readAllStandardError()));
                continue;
            }
            const QList<QByteArray> parts = child.readLine().trimmed().split(' ');
            QCOMPARE(parts.size(), 3);
            shown.insert(parts.at(1).toLongLong(), QByteArray("row ") + parts.at(2));
        }
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL); // mid-write, most likely
        QVERIFY(child.waitForFinished());
        // Lines already written but not yet read were shown too.
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.trimmed().split(' ');
            if (parts.size() == 3) {
                shown.insert(parts.at(1).toLongLong(), QByteArray("row ") + parts.at(2));
            }
        }

        ComparisonJournal journal(path);
        QVERIFY2(journal.open(), qPrintable(journal.errorText()));
        const QList<JournalSession> sessions = journal.openSessions();
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.first().model, QStringLiteral("TX310"));
        QMap<qint64, QByteArray> kept;
        for (const JournalRow& row : journal.rows(sessions.first().id)) {
            kept.insert(row.id, row.payload);
        }
        for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
            QCOMPARE(kept.value(it.key()), it.value());
        }
    }

    void deleteEditAndCloseSurviveRestart()
    {
        const QString path = m_dir.filePath(QStringLiteral("restart.sqlite"));
        qint64 kept = 0;
        {
            ComparisonJournal journal(path);
            QVERIFY(journal.open());
            journal.setSessionInfo(QStringLiteral("TX430"), 1);
            const QList<qint64> ids = journal.appendRows({"a", "b", "c"}); // an import batch
            QCOMPARE(ids.size(), 3);
            QVERIFY(journal.deleteRow(ids.at(0)));
            QVERIFY(journal.updateRow(ids.at(2), "c renamed"));
            kept = ids.at(1);
        }
        ComparisonJournal journal(path);
        QVERIFY(journal.open());
        QList<JournalSession> sessions = journal.openSessions();
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.first().rowCount, 2);
        QCOMPARE(sessions.first().layout, 1);
        const QList<JournalRow> rows = journal.rows(sessions.first().id);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).id, kept);
        QCOMPARE(rows.at(1).payload, QByteArray("c renamed"));

        // Restored and worked on, then cleared: closed, and a new row starts afresh.
        journal.resume(sessions.first().id);
        QVERIFY(journal.appendRow("d") != 0);
        QCOMPARE(journal.rows(sessions.first().id).size(), 3);
        QVERIFY(journal.closeCurrentSession());
        QVERIFY(journal.openSessions().isEmpty());
        QVERIFY(journal.appendRow("e") != 0);
        sessions = journal.openSessions();
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.first().rowCount, 1);
    }

    void unusableFileWarnsAndTurnsOff_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder cannot be made") << QStringLiteral("folder");
        QTest::newRow("damaged file") << QStringLiteral("damaged");
    }

    void unusableFileWarnsAndTurnsOff()
    {
        QFETCH(QString, kind);
        QString path;
        QByteArray damaged;
        if (kind == QLatin1String("folder")) {
            // A plain file where the folder should be (root ignores permissions).
            QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            path = blocker.fileName() + QStringLiteral("/journal.sqlite");
        } else {
            path = m_dir.filePath(QStringLiteral("damaged.sqlite"));
            damaged = QByteArray(8192, '\x5A');
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damaged);
        }
        ComparisonJournal journal(path);
        const bool opened = journal.open();
        if (kind == QLatin1String("folder")) {
            QVERIFY(!opened);
            QVERIFY(!journal.isActive());
            QVERIFY(journal.errorText().contains(QDir::toNativeSeparators(path)));
            QCOMPARE(journal.appendRow("x"), qint64(0)); // the work goes on without it
        } else {
            // Moved aside, never overwritten; a new journal starts.
            QVERIFY2(opened, qPrintable(journal.errorText()));
            QVERIFY(!journal.movedAsideTo().isEmpty());
            QFile aside(journal.movedAsideTo());
            QVERIFY(aside.open(QIODevice::ReadOnly));
            QCOMPARE(aside.readAll(), damaged);
            QVERIFY(journal.appendRow("x") != 0);
        }
    }

    void fullDiskReportsOnceAndGoesOn()
    {
        ComparisonJournal journal(m_dir.filePath(QStringLiteral("full.sqlite")));
        QVERIFY(journal.open());
        QStringList reported;
        journal.setFailureHandler([&](const QString& text) { reported << text; });
        QVERIFY(journal.appendRow("a") != 0);
        // The disk fills up: no page may be added any more.
        QSqlQuery q(QSqlDatabase::database(journal.connectionName()));
        QVERIFY(q.exec(QStringLiteral("PRAGMA max_page_count = 1")));
        QCOMPARE(journal.appendRow(QByteArray(100000, 'b')), qint64(0));
        QCOMPARE(journal.appendRow("c"), qint64(0));
        QVERIFY(!journal.isActive());
        QCOMPARE(reported.size(), 1);
        QVERIFY(reported.first().contains(journal.fileName()));
    }

    void tableRowRoundTrip()
    {
        QTableWidget table(0, 4);
        table.insertRow(0);
        auto* name = new QTableWidgetItem(QStringLiteral("Comp1"));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsEditable);
        table.setItem(0, 0, name);
        auto* verdict = new QTableWidgetItem(QStringLiteral("NG"));
        verdict->setForeground(Qt::red);
        verdict->setData(Qt::UserRole + 1, false);
        table.setItem(0, 2, verdict);
        auto* hidden = new QTableWidgetItem;
        hidden->setData(Qt::UserRole, QVariantList{50.123, QStringLiteral("<b>R&D</b>")});
        table.setItem(0, 3, hidden);

        const QByteArray bytes = TableRowCodec::encode(table, 0, 1);
        QCOMPARE(TableRowCodec::tableOf(bytes), 1);
        QTableWidget restored(0, 4);
        QVERIFY(TableRowCodec::insert(restored, bytes));
        QCOMPARE(restored.rowCount(), 1);
        QCOMPARE(restored.item(0, 0)->text(), QStringLiteral("Comp1"));
        QCOMPARE(restored.item(0, 0)->flags(), Qt::ItemIsEnabled | Qt::ItemIsEditable);
        QVERIFY(restored.item(0, 1) == nullptr);
        QCOMPARE(restored.item(0, 2)->foreground().color(), QColor(Qt::red));
        QCOMPARE(restored.item(0, 2)->data(Qt::UserRole + 1), QVariant(false));
        QCOMPARE(restored.item(0, 3)->data(Qt::UserRole), hidden->data(Qt::UserRole));
        QVERIFY(!TableRowCodec::insert(restored, QByteArray("row 7")));
        QCOMPARE(restored.rowCount(), 1);
    }

    // The page's view: rows shown in both tables, renamed, deleted, imported,
    // and what a restart brings back.
    void keeperRestoresBothTablesAfterRestart()
    {
        const QString path = m_dir.filePath(QStringLiteral("keeper.sqlite"));
        const auto addRow = [](QTableWidget& table, const QString& name, const QString& verdict) {
            const int r = table.rowCount();
            table.setRowCount(r + 1);
            table.setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
            table.setItem(r, 1, new QTableWidgetItem(name));
            auto* v = new QTableWidgetItem(verdict);
            v->setBackground(verdict == QLatin1String("NG") ? Qt::red : Qt::darkGreen);
            table.setItem(r, 2, v);
            return r;
        };
        {
            QTableWidget current(0, 3);
            QTableWidget legacy(0, 3);
            JournalKeeper keeper(std::make_unique<ComparisonJournal>(path));
            QVERIFY(keeper.journal().open());
            keeper.watch(&current, 0);
            keeper.watch(&legacy, 1);
            keeper.setSessionInfo(QStringLiteral("TX420"), 1);
            keeper.rowShown(&current, addRow(current, QStringLiteral("Comp1"), QStringLiteral("PASS")), 1);
            keeper.rowShown(&current, addRow(current, QStringLiteral("Comp2"), QStringLiteral("NG")), 2);
            keeper.beginBatch(); // an import
            for (int i = 0; i < 3; ++i) {
                keeper.rowShown(&legacy, addRow(legacy, QStringLiteral("Rec%1").arg(i), QStringLiteral("PASS")), 2);
            }
            keeper.endBatch();
            current.item(1, 1)->setText(QStringLiteral("renamed")); // test-name edit
            legacy.removeRow(0);                                    // "Delete"
            QTest::qWait(0); // the edit and the delete are committed at the next turn
            QCoreApplication::processEvents();
        } // the window is closed (or the process dies): nothing is asked, rows stay open

        QTableWidget current(0, 3);
        QTableWidget legacy(0, 3);
        JournalKeeper keeper(std::make_unique<ComparisonJournal>(path));
        QVERIFY(keeper.journal().open());
        keeper.watch(&current, 0);
        keeper.watch(&legacy, 1);
        const QList<JournalSession> sessions = keeper.openSessions();
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.first().rowCount, 4);
        QCOMPARE(sessions.first().model, QStringLiteral("TX420"));
        const JournalKeeper::Restored restored = keeper.restore(sessions.first());
        QCOMPARE(restored.currentRows.size(), 2);
        QCOMPARE(restored.legacyRows.size(), 2);
        QCOMPARE(restored.sequence, 2);
        QCOMPARE(current.item(1, 1)->text(), QStringLiteral("renamed"));
        QCOMPARE(current.item(1, 2)->background().color(), QColor(Qt::red));
        QCOMPARE(legacy.item(0, 1)->text(), QStringLiteral("Rec1"));

        // Restored rows stay journaled; clearing closes them for good.
        legacy.removeRow(0);
        keeper.flush();
        QCOMPARE(keeper.openSessions().first().rowCount, 3);
        keeper.closeWork();
        current.setRowCount(0);
        legacy.setRowCount(0);
        keeper.flush();
        QVERIFY(keeper.openSessions().isEmpty());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestJournal)
#include "tst_journal.moc"
