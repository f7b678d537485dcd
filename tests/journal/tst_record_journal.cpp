// The comparison journal: what survives a killed process and a restart, the
// station database's outbox, pruning of history, the conversion of journals
// of the former format, what happens when the file cannot be used, and the
// keeper that follows the page's record lists.
#include "ComparisonRecordList.h"
#include "JournalKeeper.h"
#include "RecordCodec.h"
#include "RecordJournal.h"

#include <QDataStream>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableWidgetItem>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <cmath>
#include <csignal>
#include <memory>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

ComparisonRecord makeRecord(int n, bool legacy = false)
{
    ComparisonRecord r;
    r.id = QUuid::createUuid();
    r.legacy = legacy;
    r.sequence = n;
    r.testName = QStringLiteral("Comp%1").arg(n);
    r.time = QDateTime(QDate(2026, 12, 8), QTime(9, n % 60));
    r.modelName = QStringLiteral("TX310");
    r.serialNumber = QStringLiteral("SN-0042");
    for (int i = 0; i < ComparisonRecord::ValueCount; ++i) {
        r.standard[i] = 50.0 + i + n * 0.01;
        r.sample[i] = 50.0 + i - n * 0.01;
    }
    r.standard[ComparisonRecord::X] = 0.3127;
    r.hazeDifference = -0.02 * n;
    r.deltaE = 1.25;
    r.pass = n % 2 == 0;
    r.settings.hazeTolerance = 0.5;
    r.settings.deltaEThreshold = 2.0;
    r.settings.formulaText = QStringLiteral("CIE76");
    return r;
}

// The two tables of a window and the keeper of the journal at path watching them.
struct WatchedTables
{
    explicit WatchedTables(const QString& path)
        : keeper(std::make_unique<RecordJournal>(path))
    {
        opened = keeper.journal().open();
        keeper.watch(&current, false);
        keeper.watch(&legacy, true);
    }
    ComparisonRecordList current;
    ComparisonRecordList legacy;
    JournalKeeper keeper;
    bool opened = false;
};

bool same(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

// Every field the journal keeps, or the first that differs.
template <typename List>
bool readingsSame(const List& x, const List& y)
{
    if (x.size() != y.size()) {
        return false;
    }
    for (qsizetype r = 0; r < x.size(); ++r) {
        for (std::size_t i = 0; i < x.at(r).size(); ++i) {
            if (!same(x.at(r)[i], y.at(r)[i])) {
                return false;
            }
        }
    }
    return true;
}

QString difference(const ComparisonRecord& a, const ComparisonRecord& b)
{
    const auto values = [](const auto& x, const auto& y) {
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (!same(x[i], y[i])) {
                return false;
            }
        }
        return true;
    };
    const ComparisonSettings& s = a.settings;
    const ComparisonSettings& t = b.settings;
    const std::pair<const char*, bool> checks[] = {
        {"legacy", a.legacy == b.legacy},
        {"pass", a.pass == b.pass},
        {"sequence", same(a.sequence, b.sequence)},
        {"testName", a.testName == b.testName},
        // The same instant on the same wall clock (a local time may come back as its offset).
        {"time", a.time == b.time && a.time.offsetFromUtc() == b.time.offsetFromUtc()
                     && a.time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")) == b.time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"))},
        {"model", a.modelName == b.modelName},
        {"serial", a.serialNumber == b.serialNumber},
        {"standard", values(a.standard, b.standard)},
        {"sample", values(a.sample, b.sample)},
        {"legacyStandard", values(a.legacyStandard, b.legacyStandard)},
        {"legacySample", values(a.legacySample, b.legacySample)},
        {"differences", same(a.hazeDifference, b.hazeDifference)
                            && same(a.transmittanceDifference, b.transmittanceDifference) && same(a.deltaE, b.deltaE)},
        {"tolerances", same(s.hazeTolerance, t.hazeTolerance) && same(s.transmittanceTolerance, t.transmittanceTolerance)
                           && same(s.deltaEThreshold, t.deltaEThreshold) && same(s.parameterThreshold, t.parameterThreshold)},
        {"codes", s.formulaCode == t.formulaCode && s.displayMode == t.displayMode && s.layoutIndex == t.layoutIndex},
        {"texts", s.formulaText == t.formulaText && s.thresholdText == t.thresholdText},
        {"library", a.library.standardId == b.library.standardId && a.library.standardName == b.library.standardName
                        && a.library.standardCode == b.library.standardCode
                        && a.library.standardVersion == b.library.standardVersion
                        && a.library.tolerances.id == b.library.tolerances.id
                        && a.library.tolerances.name == b.library.tolerances.name
                        && a.library.tolerances.version == b.library.tolerances.version
                        && a.library.tolerances.sameLimits(b.library.tolerances)
                        && a.library.warning == b.library.warning && a.library.decidedBy == b.library.decidedBy},
        {"readings", a.readings.median == b.readings.median && readingsSame(a.readings.standard, b.readings.standard)
                         && readingsSame(a.readings.sample, b.readings.sample)
                         && readingsSame(a.readings.legacyStandard, b.readings.legacyStandard)
                         && readingsSame(a.readings.legacySample, b.readings.legacySample)},
    };
    for (const auto& [name, ok] : checks) {
        if (!ok) {
            return QString::fromLatin1(name);
        }
    }
    return {};
}

// A row as the former journal kept it: the page's comparison counter, then
// every cell's flags and data in every role.
QByteArray formerRow(int tableId, const QList<QTableWidgetItem*>& cells, int counter)
{
    QByteArray row;
    QDataStream out(&row, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << quint32(0x54575230) << qint32(tableId) << qint32(cells.size());
    for (const QTableWidgetItem* item : cells) {
        out << bool(item != nullptr);
        if (item) {
            out << qint32(item->flags());
            item->write(out);
        }
    }
    qDeleteAll(cells);
    QByteArray envelope;
    QDataStream env(&envelope, QIODevice::WriteOnly);
    env.setVersion(QDataStream::Qt_6_4);
    env << qint32(counter) << row;
    return envelope;
}

QList<QTableWidgetItem*> formerCells(const QStringList& texts, int verdictColumn, const QVariant& pass)
{
    QList<QTableWidgetItem*> cells;
    for (int c = 0; c < texts.size(); ++c) {
        if (texts.at(c).isNull()) {
            cells << nullptr;
            continue;
        }
        auto* item = new QTableWidgetItem(texts.at(c));
        item->setTextAlignment(Qt::AlignCenter);
        if (c == verdictColumn) {
            if (pass.isValid()) {
                item->setData(Qt::UserRole + 1, pass);
            }
            item->setBackground(QColor(Qt::red));
            item->setForeground(QColor(Qt::white));
        }
        cells << item;
    }
    return cells;
}

QStringList currentTexts(const QString& name, const QString& verdict)
{
    QStringList t{QStringLiteral("3"), name, QStringLiteral("2025/03/04  10:11")};
    const QStringList values{QStringLiteral("12.34%"), QStringLiteral("90.10%"), QStringLiteral("50.00"),
                             QStringLiteral("-1.25"), QStringLiteral("2.50"), QStringLiteral("50.00"),
                             QStringLiteral("2.80"), QStringLiteral("116.6"), QStringLiteral("18.42"),
                             QStringLiteral("0.3127"), QStringLiteral("0.3290")};
    t << values << values;
    t << QStringLiteral("0.05%") << QStringLiteral("-0.20%") << QStringLiteral("1.03") << verdict << QString()
      << QString() << QStringLiteral("\u00B10.50%") << QStringLiteral("\u00B11.00%") << QStringLiteral("2.0")
      << QStringLiteral("TX420") << QStringLiteral("SN7");
    return t;
}

QStringList legacyTexts()
{
    return {QStringLiteral("1"), QStringLiteral("Rec1"), QStringLiteral("2025/03/04  10:12"), QStringLiteral("50.00"),
            QStringLiteral("1.00"), QStringLiteral("2.00"), QStringLiteral("2.24"), QStringLiteral("63.4"),
            QStringLiteral("51.00"), QStringLiteral("1.50"), QStringLiteral("2.00"), QStringLiteral("2.50"),
            QStringLiteral("53.1"), QStringLiteral("1.12"), QStringLiteral("PASS"), QString(), QString(),
            QStringLiteral("CIE94"), QStringLiteral("1.5"), QStringLiteral("TX200"), QStringLiteral("SN1")};
}

} // namespace

class TestRecordJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void codecKeepsEveryValue_data()
    {
        QTest::addColumn<ComparisonRecord>("record");
        QTest::addColumn<int>("maxBytes");
        QTest::newRow("measured, current layout") << makeRecord(7) << 140;
        ComparisonRecord legacy = makeRecord(8, true);
        legacy.legacyStandard = {50.12, -1.5, 2.25, 2.7, 123.4};
        legacy.settings.thresholdText = QStringLiteral("1.5");
        QTest::newRow("legacy layout") << legacy << 150;
        ComparisonRecord odd = makeRecord(9);
        odd.standard[0] = 1.0 / 3.0;                        // no short decimal
        odd.standard[1] = static_cast<double>(50.123f);     // an instrument's float
        odd.standard[2] = -0.0;
        odd.standard[3] = kNaN;
        odd.standard[4] = std::numeric_limits<double>::infinity();
        odd.standard[5] = 1e300;
        odd.standard[6] = -123456.1234567;
        odd.sample[0] = 4503599627370497.0;                 // past 2^52
        odd.settings.formulaCode = -1;
        odd.settings.displayMode = DisplayMode::HazeTLab;
        odd.settings.layoutIndex = 3;
        odd.testName = QStringLiteral("样品 \u00B1 <b>&</b>");
        odd.time = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5, 678), Qt::UTC);
        QTest::newRow("values without a short form") << odd << 200;
        ComparisonRecord offset = makeRecord(10);
        offset.time = QDateTime(QDate(2026, 7, 1), QTime(12, 0), Qt::OffsetFromUTC, 8 * 3600);
        QTest::newRow("time with an offset") << offset << 150;
        ComparisonRecord empty;
        empty.time = QDateTime();
        QTest::newRow("nothing set") << empty << 100;
        ComparisonRecord library = makeRecord(11);
        library.library.standardId = QUuid::createUuid();
        library.library.standardName = QStringLiteral("红 12");
        library.library.standardCode = QStringLiteral("4006381333931");
        library.library.standardVersion = 3;
        library.library.tolerances.id = QUuid::createUuid();
        library.library.tolerances.version = 7;
        library.library.tolerances.limits = parseToleranceLimits(QStringLiteral("dE00<=1,db=-0.3..0.6:info")).limits;
        library.library.tolerances.warnPercent = 80;
        library.library.warning = true;
        library.library.decidedBy = QStringLiteral("db");
        QTest::newRow("judged against a library standard") << library << 260;
        ComparisonRecord read = makeRecord(11);
        read.readings.median = true;
        read.readings.standard = {read.standard, read.standard, read.standard};
        read.readings.sample = {read.sample, read.sample};
        read.readings.sample[1][ComparisonRecord::LabL] = kNaN;
        QTest::newRow("several readings") << read << 400;
        ComparisonRecord both = library;
        both.readings = read.readings;
        QTest::newRow("several readings, judged against a library standard") << both << 660;
        ComparisonRecord legacyRead = makeRecord(12, true);
        legacyRead.readings.legacySample = {legacyRead.legacySample, legacyRead.legacySample};
        QTest::newRow("several readings, legacy") << legacyRead << 250;
    }

    // A row written before readings were kept comes back with one reading of each.
    void codecReadsFormatOne()
    {
        const ComparisonRecord record = makeRecord(7);
        const QByteArray bytes = RecordCodec::encode(record);
        QCOMPARE(int(bytes.at(0)), int(RecordCodec::kFormat)); // read once: the first format, byte for byte
        RecordCodec::Decoder decoder;
        ComparisonRecord back;
        back.readings.sample = {record.sample, record.sample};
        QVERIFY(decoder.decode(bytes, back));
        QCOMPARE(difference(back, record), QString());
        QVERIFY(back.readings.sample.isEmpty());
        // A count of readings past the bytes given is refused.
        ComparisonRecord median = record;
        median.readings.median = true; // no list: the readings' flags are the last byte
        QByteArray huge = RecordCodec::encode(median);
        QCOMPARE(int(huge.at(0)), int(RecordCodec::kReadingsFormat));
        huge.back() = 0x05; // the median of sample readings, whose count follows
        huge.append("\xff\xff\xff\x7f", 4);
        QVERIFY(!decoder.decode(huge, back));
    }

    void codecKeepsEveryValue()
    {
        QFETCH(ComparisonRecord, record);
        QFETCH(int, maxBytes);
        const QByteArray bytes = RecordCodec::encode(record);
        QVERIFY2(bytes.size() <= maxBytes, qPrintable(QString::number(bytes.size())));
        RecordCodec::Decoder decoder;
        ComparisonRecord back;
        QVERIFY(decoder.decode(bytes, back));
        QCOMPARE(difference(back, record), QString());
        // A record cut short anywhere is refused, never read past its end.
        for (int size = 0; size < bytes.size(); ++size) {
            ComparisonRecord cut;
            QVERIFY2(!decoder.decode(bytes.left(size), cut), qPrintable(QString::number(size)));
        }
    }

    void recordsSurviveKillNineAtAnyMoment_data()
    {
        QTest::addColumn<int>("shownBeforeKill");
        QTest::newRow("first record") << 1;
        QTest::newRow("a shift's worth") << 200;
    }

    // The child is another process: what it showed comes back in this one.
    void recordsSurviveKillNineAtAnyMoment()
    {
        QFETCH(int, shownBeforeKill);
        const QString path = m_dir.filePath(QStringLiteral("kill%1.sqlite").arg(shownBeforeKill));
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/record_journal_child"), {path});
        QVERIFY(child.waitForStarted());
        QMap<QUuid, int> shown;
        const auto take = [&shown](const QByteArray& line) {
            const QList<QByteArray> parts = line.trimmed().split(' ');
            if (parts.size() == 3) {
                shown.insert(QUuid::fromString(QLatin1String(parts.at(1))), parts.at(2).toInt());
            }
        };
        while (shown.size() < shownBeforeKill) {
            if (!child.canReadLine()) {
                QVERIFY2(child.waitForReadyRead(10000), qPrintable(child.readAllStandardError()));
                continue;
            }
            take(child.readLine());
        }
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL); // mid-write, most likely
        QVERIFY(child.waitForFinished());
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            take(line); // written before the kill, read after it
        }

        RecordJournal journal(path);
        QVERIFY2(journal.open(), qPrintable(journal.errorText()));
        QVERIFY(journal.integrityChecked()); // the child never closed it
        const QList<JournalSession> sessions = journal.openSessions();
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.first().model, QStringLiteral("TX310"));
        QVERIFY(sessions.first().counter >= shown.last());
        QMap<QUuid, QString> kept;
        for (const ComparisonRecord& r : journal.records(sessions.first().id)) {
            kept.insert(r.id, r.testName);
        }
        for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
            QCOMPARE(kept.value(it.key()), QStringLiteral("Comp%1").arg(it.value()));
        }
    }

    void editsDeletesAndClosesSurviveRestart()
    {
        const QString path = m_dir.filePath(QStringLiteral("restart.sqlite"));
        QList<ComparisonRecord> made{makeRecord(1), makeRecord(2, true), makeRecord(3)};
        {
            RecordJournal journal(path);
            QVERIFY(journal.open());
            journal.setSessionInfo(QStringLiteral("TX430"), 1);
            QVERIFY(journal.append(made, 3)); // an import batch
            QVERIFY(journal.remove({made.at(0).id}));
            made[2].testName = QStringLiteral("renamed"); // the caller did not raise the version
            QVERIFY(journal.update({made.at(2)}));
        }
        RecordJournal journal(path);
        QVERIFY(journal.open());
        QVERIFY(!journal.integrityChecked()); // closed cleanly: no whole-file read
        QList<JournalSession> sessions = journal.openSessions();
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.first().recordCount, 2);
        QCOMPARE(sessions.first().layout, 1);
        QCOMPARE(sessions.first().counter, 3);
        const QList<ComparisonRecord> records = journal.records(sessions.first().id);
        QCOMPARE(records.size(), 2);
        QCOMPARE(records.at(0).id, made.at(1).id);
        QCOMPARE(difference(records.at(0), made.at(1)), QString());
        QCOMPARE(records.at(1).testName, QStringLiteral("renamed"));
        QCOMPARE(records.at(1).version, qint64(2));

        // Restored and worked on, then cleared: closed, and a new record starts afresh.
        journal.resume(sessions.first().id);
        QVERIFY(journal.append({makeRecord(4)}, 4));
        QCOMPARE(journal.records(sessions.first().id).size(), 3);
        QVERIFY(journal.closeCurrentSession());
        QVERIFY(journal.openSessions().isEmpty());
        QCOMPARE(journal.closedSessions().size(), 1);
        QVERIFY(journal.closedSessions().first().closedAt.isValid());
        QVERIFY(journal.append({makeRecord(5)}));
        // Records without an id are kept each on its own, not one over the other.
        QVERIFY(journal.append({ComparisonRecord(), ComparisonRecord()}));
        sessions = journal.openSessions();
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.first().recordCount, 3);
    }

    // What the station database is sent, and when it stops being sent.
    void outboxHoldsWhatTheServerHasNotAcknowledged_data()
    {
        QTest::addColumn<int>("acknowledgedVersion"); // relative to the journal's version
        QTest::addColumn<bool>("staysInOutbox");
        QTest::newRow("older version (changed meanwhile)") << -1 << true;
        QTest::newRow("the version sent") << 0 << false;
        QTest::newRow("a newer version than the journal's") << 1 << false;
    }

    void outboxHoldsWhatTheServerHasNotAcknowledged()
    {
        QFETCH(int, acknowledgedVersion);
        QFETCH(bool, staysInOutbox);
        RecordJournal journal(m_dir.filePath(QStringLiteral("outbox%1.sqlite").arg(acknowledgedVersion + 1)));
        QVERIFY(journal.open());
        const QList<ComparisonRecord> made{makeRecord(1), makeRecord(2), makeRecord(3)};
        QVERIFY(journal.append(made));
        ComparisonRecord changed = made.at(0);
        changed.pass = !changed.pass;
        changed.version = 2; // raised by the judging rule
        QVERIFY(journal.update({changed}));

        QList<JournalOutboxEntry> sent = journal.unacknowledged(2);
        QCOMPARE(sent.size(), 2); // the limit, oldest record first
        QCOMPARE(sent.at(0).record.id, made.at(0).id);
        QCOMPARE(sent.at(0).record.version, qint64(2));
        QCOMPARE(sent.at(0).record.pass, changed.pass);
        QCOMPARE(sent.at(1).record.id, made.at(1).id);
        QCOMPARE(journal.unacknowledgedCount(), 3);

        QVERIFY(journal.acknowledge({{made.at(0).id, 2 + acknowledgedVersion}, {made.at(1).id, 1}}));
        sent = journal.unacknowledged(10);
        QCOMPARE(sent.size(), staysInOutbox ? 2 : 1);
        QCOMPARE(sent.last().record.id, made.at(2).id);

        // A delete is sent too, as a tombstone with a version of its own.
        QVERIFY(journal.remove({made.at(1).id}));
        sent = journal.unacknowledged(10);
        const auto tombstone = std::find_if(sent.cbegin(), sent.cend(),
                                            [&](const JournalOutboxEntry& e) { return e.record.id == made.at(1).id; });
        QVERIFY(tombstone != sent.cend());
        QVERIFY(tombstone->deleted);
        QCOMPARE(tombstone->record.version, qint64(2));
        QCOMPARE(tombstone->record.testName, QStringLiteral("Comp2"));
        QVERIFY(journal.acknowledge({{made.at(1).id, 2}}));
        QCOMPARE(journal.unacknowledgedCount(), staysInOutbox ? 2 : 1);
    }

    // A record the server refused for good stays out of the outbox after a
    // restart (also in a journal written before refusals were kept), until
    // it is changed again.
    void refusalSurvivesReopening_data()
    {
        QTest::addColumn<bool>("formerSchema");
        QTest::addColumn<bool>("changedAfterwards");
        QTest::addColumn<bool>("refusedOlderVersion");
        QTest::newRow("refused") << false << false << false;
        QTest::newRow("refused in a journal of schema 2") << true << false << false;
        QTest::newRow("changed after the refusal") << false << true << false;
        QTest::newRow("refusal of a version changed meanwhile") << false << false << true;
    }

    void refusalSurvivesReopening()
    {
        QFETCH(bool, formerSchema);
        QFETCH(bool, changedAfterwards);
        QFETCH(bool, refusedOlderVersion);
        const QString path = m_dir.filePath(QStringLiteral("refused-%1.sqlite").arg(QTest::currentDataTag()));
        QList<ComparisonRecord> made{makeRecord(1), makeRecord(2), makeRecord(3)};
        {
            RecordJournal journal(path);
            QVERIFY(journal.open());
            QVERIFY(journal.append(made));
            QVERIFY(journal.closeCurrentSession());
            if (formerSchema) {
                // The file as schema 2 left it: no refusal columns.
                QSqlQuery q(QSqlDatabase::database(journal.connectionName()));
                for (const char* statement :
                     {"DROP INDEX records_outbox", "ALTER TABLE records DROP COLUMN refused",
                      "ALTER TABLE records DROP COLUMN refusal",
                      "CREATE INDEX records_outbox ON records(seq) WHERE acked < version", "PRAGMA user_version = 2"}) {
                    QVERIFY2(q.exec(QString::fromLatin1(statement)), qPrintable(q.lastError().text()));
                }
            }
        }
        {
            RecordJournal journal(path);
            QVERIFY2(journal.open(RecordJournal::Role::Shared), qPrintable(journal.errorText()));
            QCOMPARE(journal.unacknowledgedCount(), 3);
            if (refusedOlderVersion) {
                ComparisonRecord renamed = made.at(1);
                renamed.testName = QStringLiteral("Renamed");
                QVERIFY(journal.update({renamed}));
            }
            QVERIFY(journal.refuse({{made.at(1).id, 1}}, QStringLiteral("another station's row")));
            QCOMPARE(journal.unacknowledgedCount(), refusedOlderVersion ? 3 : 2);
        }
        RecordJournal journal(path);
        QVERIFY(journal.open());
        if (changedAfterwards) {
            ComparisonRecord renamed = made.at(1);
            renamed.testName = QStringLiteral("Renamed");
            QVERIFY(journal.update({renamed}));
        }
        const bool setAside = !changedAfterwards && !refusedOlderVersion;
        QList<QUuid> waiting;
        for (const JournalOutboxEntry& e : journal.unacknowledged(10)) {
            waiting << e.record.id;
        }
        QCOMPARE(waiting, setAside ? (QList<QUuid>{made.at(0).id, made.at(2).id})
                                   : (QList<QUuid>{made.at(0).id, made.at(1).id, made.at(2).id}));
        QCOMPARE(journal.unacknowledgedCount(), waiting.size());
        const QList<JournalRefusal> refusals = journal.refusals();
        QCOMPARE(refusals.size(), setAside ? 1 : 0);
        if (setAside) {
            QCOMPARE(refusals.first().id, made.at(1).id);
            QCOMPARE(refusals.first().version, qint64(1));
            QCOMPARE(refusals.first().reason, QStringLiteral("another station's row"));
        }
        // The others acknowledged: a refused record no longer holds its session back from pruning.
        QVERIFY(journal.acknowledge({{made.at(0).id, 1}, {made.at(2).id, 1}}));
        QCOMPARE(journal.pruneClosedSessions(QDateTime::currentDateTime().addDays(1), true).records, setAside ? 3 : 0);
    }

    // The station sync acknowledges on a connection of its own, on its own
    // thread, while the window keeps journaling one record at a time (a
    // record a millisecond, far faster than an operator): no write of either
    // side fails, and exactly what was acknowledged has left the outbox.
    void acknowledgingWhileTheOwnerJournals()
    {
        const QString path = m_dir.filePath(QStringLiteral("concurrent.sqlite"));
        RecordJournal owner(path);
        QVERIFY(owner.open());
        QList<ComparisonRecord> backlog;
        for (int n = 0; n < 2000; ++n) {
            backlog.append(makeRecord(n));
        }
        QVERIFY(owner.append(backlog));
        std::atomic<bool> syncFailed{false};
        std::atomic<int> acknowledged{0};
        std::unique_ptr<QThread> sync(QThread::create([&] {
            RecordJournal journal(path);
            if (!journal.open(RecordJournal::Role::Shared)) {
                syncFailed = true;
                return;
            }
            for (QList<JournalOutboxEntry> entries = journal.unacknowledged(150); !entries.isEmpty();
                 entries = journal.unacknowledged(150)) {
                QList<std::pair<QUuid, qint64>> versions;
                for (const JournalOutboxEntry& e : entries) {
                    versions.append({e.record.id, e.record.version});
                }
                if (!journal.acknowledge(versions)) {
                    syncFailed = true;
                    return;
                }
                acknowledged += int(versions.size());
            }
        }));
        sync->start();
        int journaled = 0;
        for (; journaled < 300 || !sync->isFinished(); ++journaled) {
            QVERIFY2(owner.append({makeRecord(5000 + journaled)}), qPrintable(owner.errorText()));
            QThread::usleep(1000);
        }
        QVERIFY(sync->wait(60000));
        QVERIFY(!syncFailed);
        QVERIFY(acknowledged >= backlog.size());
        QCOMPARE(owner.unacknowledgedCount(), int(backlog.size()) + journaled - acknowledged);
    }

    void pruningRemovesOnlyOldClosedHistory_data()
    {
        QTest::addColumn<int>("closedDaysAgo");
        QTest::addColumn<bool>("acknowledged");
        QTest::addColumn<bool>("keepUnacknowledged");
        QTest::addColumn<bool>("pruned");
        QTest::newRow("old, acknowledged") << 40 << true << true << true;
        QTest::newRow("old, not sent, no station") << 40 << false << false << true;
        QTest::newRow("old, not sent yet to the station") << 40 << false << true << false;
        QTest::newRow("recent") << 10 << true << true << false;
    }

    void pruningRemovesOnlyOldClosedHistory()
    {
        QFETCH(int, closedDaysAgo);
        QFETCH(bool, acknowledged);
        QFETCH(bool, keepUnacknowledged);
        QFETCH(bool, pruned);
        RecordJournal journal(m_dir.filePath(QStringLiteral("prune%1.sqlite").arg(QTest::currentDataTag())));
        QVERIFY(journal.open());
        const QList<ComparisonRecord> old{makeRecord(1), makeRecord(2)};
        QVERIFY(journal.append(old));
        if (acknowledged) {
            QVERIFY(journal.acknowledge({{old.at(0).id, 1}, {old.at(1).id, 1}}));
        }
        const qint64 oldSession = journal.currentSession();
        QVERIFY(journal.closeCurrentSession());
        QSqlQuery q(QSqlDatabase::database(journal.connectionName()));
        QVERIFY(q.exec(QStringLiteral("UPDATE sessions SET closed_at = %1 WHERE id = %2")
                           .arg(QDateTime::currentDateTime().addDays(-closedDaysAgo).toMSecsSinceEpoch())
                           .arg(oldSession)));
        QVERIFY(journal.append({makeRecord(3)})); // the open work is never pruned
        const RecordJournal::Pruned result =
            journal.pruneClosedSessions(QDateTime::currentDateTime().addDays(-30), keepUnacknowledged);
        QCOMPARE(result.sessions, pruned ? 1 : 0);
        QCOMPARE(result.records, pruned ? 2 : 0);
        QCOMPARE(journal.closedSessions().size(), pruned ? 0 : 1);
        QCOMPARE(journal.openSessions().size(), 1);
        QCOMPARE(journal.records(journal.currentSession()).size(), 1);
    }

    // A journal of the former format (whole table rows) becomes records once.
    void formerJournalIsConvertedOnce()
    {
        const QString path = m_dir.filePath(QStringLiteral("former.sqlite"));
        const QDateTime closedAt(QDate(2025, 1, 2), QTime(3, 4, 5));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("former"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            for (const char* statement :
                 {"PRAGMA journal_mode=WAL",
                  "CREATE TABLE sessions (id INTEGER PRIMARY KEY AUTOINCREMENT, started TEXT NOT NULL, model TEXT,"
                  " layout INTEGER NOT NULL DEFAULT 0, closed INTEGER NOT NULL DEFAULT 0)",
                  "CREATE TABLE rows (id INTEGER PRIMARY KEY AUTOINCREMENT, session INTEGER NOT NULL REFERENCES"
                  " sessions(id), payload BLOB NOT NULL, deleted INTEGER NOT NULL DEFAULT 0, changed TEXT NOT NULL)",
                  "INSERT INTO sessions (started, model, layout) VALUES ('2025-03-04T10:00:00.000', 'TX420', 1)",
                  "INSERT INTO sessions (started, model, layout, closed) VALUES ('2025-01-01T08:00:00.000', 'TX200', 0, 1)"}) {
                QVERIFY2(q.exec(QString::fromLatin1(statement)), qPrintable(q.lastError().text()));
            }
            const QList<std::tuple<int, QByteArray, int, QString>> rows{
                {1, formerRow(0, formerCells(currentTexts(QStringLiteral("Comp1"), QStringLiteral("PASS")), 28, true), 5), 0,
                 QStringLiteral("2025-03-04T10:11:00.000")},
                // Older rows had no verdict data: the word shown, here in Chinese.
                {1, formerRow(0, formerCells(currentTexts(QStringLiteral("Comp2"), QStringLiteral("不合格")), 28, {}), 6), 0,
                 QStringLiteral("2025-03-04T10:12:00.000")},
                {1, formerRow(1, formerCells(legacyTexts(), 14, true), 6), 0, QStringLiteral("2025-03-04T10:13:00.000")},
                {1, formerRow(0, formerCells(currentTexts(QStringLiteral("Gone"), QStringLiteral("PASS")), 28, true), 7), 1,
                 QStringLiteral("2025-03-04T10:14:00.000")},
                {1, QByteArray("not a row"), 0, QStringLiteral("2025-03-04T10:15:00.000")},
                {2, formerRow(1, formerCells(legacyTexts(), 14, false), 1), 0, closedAt.toString(Qt::ISODateWithMs)},
            };
            q.prepare(QStringLiteral("INSERT INTO rows (session, payload, deleted, changed) VALUES (?, ?, ?, ?)"));
            for (const auto& [session, payload, deleted, changed] : rows) {
                q.addBindValue(session);
                q.addBindValue(payload);
                q.addBindValue(deleted);
                q.addBindValue(changed);
                QVERIFY(q.exec());
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("former"));

        // Converted by a process without a window, as the command line would.
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/record_journal_child"),
                    {QStringLiteral("convert"), path});
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("converted 5"));

        RecordJournal journal(path);
        QVERIFY2(journal.open(), qPrintable(journal.errorText()));
        QCOMPARE(journal.convertedRows(), 0); // once
        const QList<JournalSession> open = journal.openSessions();
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.first().recordCount, 3);
        QCOMPARE(open.first().counter, 7);
        QCOMPARE(open.first().model, QStringLiteral("TX420"));
        const QList<ComparisonRecord> records = journal.records(open.first().id);
        QCOMPARE(records.size(), 3);
        const ComparisonRecord& first = records.at(0);
        QVERIFY(!first.id.isNull());
        QCOMPARE(first.testName, QStringLiteral("Comp1"));
        QCOMPARE(first.time, QDateTime(QDate(2025, 3, 4), QTime(10, 11)));
        QCOMPARE(first.standard[ComparisonRecord::Haze], 12.34);
        QCOMPARE(first.sample[ComparisonRecord::LabA], -1.25);
        QCOMPARE(first.sample[ComparisonRecord::SmallY], 0.329);
        QCOMPARE(first.transmittanceDifference, -0.2);
        QCOMPARE(first.deltaE, 1.03);
        QVERIFY(first.pass);
        QCOMPARE(first.settings.hazeTolerance, 0.5);
        QCOMPARE(first.settings.transmittanceTolerance, 1.0);
        QCOMPARE(first.settings.deltaEThreshold, 2.0);
        QCOMPARE(first.settings.layoutIndex, 1);
        QCOMPARE(first.serialNumber, QStringLiteral("SN7"));
        QVERIFY(!records.at(1).pass);
        const ComparisonRecord& legacy = records.at(2);
        QVERIFY(legacy.legacy);
        QCOMPARE(legacy.legacySample[ComparisonRecord::LegacyH], 53.1);
        QCOMPARE(legacy.deltaE, 1.12);
        QCOMPARE(legacy.settings.formulaText, QStringLiteral("CIE94"));
        QCOMPARE(legacy.settings.thresholdText, QStringLiteral("1.5"));
        QCOMPARE(legacy.modelName, QStringLiteral("TX200"));
        const QList<JournalSession> closed = journal.closedSessions();
        QCOMPARE(closed.size(), 1);
        QCOMPARE(closed.first().closedAt, closedAt);
        QVERIFY(!journal.records(closed.first().id).first().pass);
        // The row that could not be read stays where it was.
        QSqlQuery q(QSqlDatabase::database(journal.connectionName()));
        QVERIFY(q.exec(QStringLiteral("SELECT payload FROM rows")) && q.next());
        QCOMPARE(q.value(0).toByteArray(), QByteArray("not a row"));
        QVERIFY(!q.next());
        // The deleted row is history, and nothing to send.
        QCOMPARE(journal.unacknowledgedCount(), 4);
    }

    void unusableFileWarnsAndTurnsOff_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder cannot be made") << QStringLiteral("folder");
        QTest::newRow("damaged file") << QStringLiteral("damaged");
        QTest::newRow("newer schema") << QStringLiteral("newer");
    }

    void unusableFileWarnsAndTurnsOff()
    {
        QFETCH(QString, kind);
        QString path = m_dir.filePath(kind + QStringLiteral(".sqlite"));
        QByteArray before;
        if (kind == QLatin1String("folder")) {
            // A plain file where the folder should be (root ignores permissions).
            QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            path = blocker.fileName() + QStringLiteral("/journal.sqlite");
        } else if (kind == QLatin1String("damaged")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, '\x5A'));
        } else {
            {
                RecordJournal newer(path);
                QVERIFY(newer.open());
                QSqlQuery(QSqlDatabase::database(newer.connectionName())).exec(QStringLiteral("PRAGMA user_version = 9"));
            }
        }
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            before = file.readAll();
            file.close();
        }
        RecordJournal journal(path);
        const bool opened = journal.open();
        if (kind == QLatin1String("damaged")) {
            // Moved aside, never overwritten; a new journal starts.
            QVERIFY2(opened, qPrintable(journal.errorText()));
            QFile aside(journal.movedAsideTo());
            QVERIFY(aside.open(QIODevice::ReadOnly));
            QCOMPARE(aside.readAll(), before);
            QVERIFY(journal.append({makeRecord(1)}));
            return;
        }
        QVERIFY(!opened);
        QVERIFY(journal.errorText().contains(QDir::toNativeSeparators(path)));
        QVERIFY(!journal.append({makeRecord(1)})); // the work goes on without it
        if (kind == QLatin1String("newer")) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before); // left as it was
        }
    }

    void fullDiskReportsOnceAndGoesOn()
    {
        RecordJournal journal(m_dir.filePath(QStringLiteral("full.sqlite")));
        QVERIFY(journal.open());
        QStringList reported;
        journal.setFailureHandler([&](const QString& text) { reported << text; });
        QVERIFY(journal.append({makeRecord(1)}));
        // The disk fills up: no page may be added any more.
        QSqlQuery q(QSqlDatabase::database(journal.connectionName()));
        QVERIFY(q.exec(QStringLiteral("PRAGMA max_page_count = 1")));
        QList<ComparisonRecord> many;
        for (int i = 0; i < 200; ++i) {
            many << makeRecord(i);
        }
        QVERIFY(!journal.append(many));
        QVERIFY(!journal.append({makeRecord(2)}));
        QVERIFY(!journal.isActive());
        QCOMPARE(reported.size(), 1);
        QVERIFY(reported.first().contains(journal.fileName()));
    }

    // The page's view: the record lists change (appended, imported, renamed,
    // judged again, deleted) and a restart brings the work back.
    void keeperFollowsTheListsAcrossRestart()
    {
        const QString path = m_dir.filePath(QStringLiteral("keeper.sqlite"));
        QList<ComparisonRecord> expected;
        {
            WatchedTables w(path);
            QVERIFY(w.opened);
            int counter = 0;
            w.keeper.setCounter([&counter] { return counter; });
            w.keeper.setSessionInfo(QStringLiteral("TX420"), 1);
            // Every write is announced (the station's sync sends it at once), a batch's appends once at its end.
            QSignalSpy journaled(&w.keeper, &JournalKeeper::journaled);
            for (int n = 1; n <= 2; ++n) {
                counter = n;
                w.current.append(makeRecord(n));
            }
            QCOMPARE(journaled.count(), 2);
            w.keeper.beginBatch(); // an import
            w.legacy.append(QList<ComparisonRecord>{makeRecord(3, true), makeRecord(4, true), makeRecord(5, true)});
            QCOMPARE(w.keeper.journal().openSessions().first().recordCount, 2); // not before the batch ends
            QCOMPARE(journaled.count(), 2);
            QVERIFY(w.legacy.rename(2, QStringLiteral("named during the import"))); // one version more, not two
            w.keeper.endBatch();
            QCOMPARE(journaled.count(), 4);
            QVERIFY(w.current.rename(1, QStringLiteral("renamed")));
            ComparisonRecord rejudged = w.current.at(0);
            rejudged.pass = !rejudged.pass;
            ++rejudged.version;
            w.current.replace({0}, {rejudged});
            QVERIFY(w.legacy.remove(0));
            QCOMPARE(journaled.count(), 7);
            expected << w.current.records() << w.legacy.records();
        } // the window is closed (or the process dies): nothing is asked, the work stays open

        WatchedTables w(path);
        QVERIFY(w.opened);
        const QList<JournalSession> sessions = w.keeper.openSessions();
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions.first().recordCount, 4);
        QCOMPARE(sessions.first().model, QStringLiteral("TX420"));
        const JournalKeeper::Restored restored = w.keeper.restore(sessions.first());
        QCOMPARE(restored.current, 2);
        QCOMPARE(restored.legacy, 2);
        QCOMPARE(restored.counter, 2);
        const QList<ComparisonRecord> back = QList<ComparisonRecord>() << w.current.records() << w.legacy.records();
        QCOMPARE(back.size(), expected.size());
        for (int i = 0; i < back.size(); ++i) {
            QCOMPARE(back.at(i).id, expected.at(i).id);
            QCOMPARE(back.at(i).version, expected.at(i).version);
            QCOMPARE(difference(back.at(i), expected.at(i)), QString());
        }
        // Restored records were not written again.
        QCOMPARE(w.keeper.journal().unacknowledgedCount(), 5);

        // Restored records stay in the work; clearing closes them for good.
        QVERIFY(w.legacy.remove(0));
        QCOMPARE(w.keeper.openSessions().first().recordCount, 3);
        w.keeper.closeWork();
        w.current.clear();
        w.legacy.clear();
        QCoreApplication::processEvents();
        QVERIFY(w.keeper.openSessions().isEmpty());
    }

    // Clearing one table while the other holds records: those stay in the
    // open work. Two sessions restored become one: none is left open.
    void keeperLeavesNothingShownOutOfTheWork()
    {
        const QString path = m_dir.filePath(QStringLiteral("work.sqlite"));
        for (int session = 0; session < 2; ++session) {
            RecordJournal journal(path);
            QVERIFY(journal.open());
            QVERIFY(journal.append({makeRecord(10 * session + 1), makeRecord(10 * session + 2, true)}, 2));
        }
        ComparisonRecordList current;
        ComparisonRecordList legacy;
        {
            JournalKeeper keeper(std::make_unique<RecordJournal>(path));
            QVERIFY(keeper.journal().open());
            keeper.watch(&current, false);
            keeper.watch(&legacy, true);
            const QList<JournalSession> sessions = keeper.openSessions();
            QCOMPARE(sessions.size(), 2);
            for (const JournalSession& session : sessions) {
                keeper.restore(session);
            }
            QCOMPARE(current.size() + legacy.size(), 4);
            QCOMPARE(keeper.openSessions().size(), 1);
            QCOMPARE(keeper.openSessions().first().recordCount, 4);

            keeper.closeWork(); // the legacy table's Clear
            legacy.clear();
            QCoreApplication::processEvents();
            QCOMPARE(keeper.openSessions().size(), 1);
            QCOMPARE(keeper.openSessions().first().recordCount, 2); // the current table's two
        }
        RecordJournal journal(path);
        QVERIFY(journal.open());
        QCOMPARE(journal.openSessions().size(), 1);
        QCOMPARE(journal.closedSessions().size(), 2);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestRecordJournal)
#include "tst_record_journal.moc"
