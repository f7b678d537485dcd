// The library of standards on a real server: a station copies it whole when
// it connects and hears of every change; it works from its copy while the
// server is away; only managers and editors write, and two editors cannot
// overwrite each other; a row recorded before an edit keeps its verdict, on
// the station and on the server.
#include "Comparison.h"
#include "ComparisonJudging.h"
#include "FileOutbox.h"
#include "JournalOutbox.h"
#include "RecordJournal.h"
#include "PgTestStart.h"
#include "ServerLibrary.h"
#include "StandardFiles.h"
#include "StandardLibrary.h"
#include "StationHistory.h"
#include "StationSync.h"
#include "WaitUntil.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
SyncOptions quickOptions(const QString& standardsPath)
{
    SyncOptions o;
    o.firstRetryDelayMs = 50;
    o.longestRetryDelayMs = 400;
    o.idlePollMs = 100;
    o.standardsPath = standardsPath;
    return o;
}

LibraryToleranceSet ownSet(const QString& limits, double warn = 0)
{
    LibraryToleranceSet set;
    set.id = QUuid::createUuid();
    set.version = 1;
    set.limits = parseToleranceLimits(limits).limits;
    set.warnPercent = warn;
    return set;
}

Standard labStandard(const QString& name, double l, const QUuid& set)
{
    Standard s;
    s.id = QUuid::createUuid();
    s.version = 1;
    s.name = name;
    s.withLab(l, 2.0, -3.0);
    s.toleranceSetId = set;
    return s;
}
} // namespace

class TestStationStandards : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void connectedStation_copiesWholeThenHearsOfChanges();
    void onlyManagersAndEditorsWrite_data();
    void onlyManagersAndEditorsWrite();
    void secondEditOfOneVersion_isRefused();
    void firstCopy_keepsTheStationsOwnStandards();
    void serverAway_stationWorksFromItsCopy();
    void editAfterRecording_rowKeepsItsVerdict();

private:
    // Writes as the editor; fails the test when refused.
    void edit(const ServerLibraryChange& change);

    PgTestCluster m_cluster;
    QTemporaryDir m_dir;
    StationConfig m_station;
    StationConfig m_manager;
    StationConfig m_editor;
    Standard m_red;
    LibraryToleranceSet m_redSet;
    LibraryToleranceSet m_shared;
};

void TestStationStandards::initTestCase()
{
    PG_TEST_CLUSTER_START_MIGRATED(m_cluster);
    m_station = m_cluster.addStation(QStringLiteral("line_1"));
    PgConnection admin(m_cluster.admin());
    QVERIFY(admin.open());
    QString error;
    QVERIFY2(StationSchema::addManager(admin, QStringLiteral("boss"), QStringLiteral("pw-boss"), &error), qPrintable(error));
    QVERIFY2(StationSchema::addEditor(admin, QStringLiteral("lab"), QStringLiteral("pw-lab"), &error), qPrintable(error));
    m_manager = m_cluster.as(QStringLiteral("boss"), QStringLiteral("pw-boss"));
    m_editor = m_cluster.as(QStringLiteral("lab"), QStringLiteral("pw-lab"));

    m_redSet = ownSet(QStringLiteral("dE00<=1.0,db=-0.3..0.6:info"), 80);
    m_shared = ownSet(QStringLiteral("dEab<=2"));
    m_shared.name = QStringLiteral("Loose");
    m_red = labStandard(QStringLiteral("Red 1"), 40.0, m_redSet.id);
    m_red.code = QStringLiteral("4006381333931");
    Standard blue = labStandard(QStringLiteral("Blue 7"), 30.0, m_shared.id);
    blue.values[ComparisonRecord::Haze] = 1.25;
    blue.spectrum = QList<double>(kStandardSpectrumBands, 12.5);
    blue.origin.kind = StandardOrigin::Kind::Measured;
    blue.origin.model = QStringLiteral("TX470");
    blue.origin.serial = QStringLiteral("S-9");
    blue.origin.time = QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC);
    edit({{m_redSet, m_shared}, {m_red, blue}, {}});
}

void TestStationStandards::init()
{
    if (!m_cluster.isRunning()) {
        QVERIFY2(m_cluster.startAgain(), qPrintable(m_cluster.log()));
    }
}

void TestStationStandards::edit(const ServerLibraryChange& change)
{
    PgConnection c(m_editor);
    QVERIFY2(c.open(), qPrintable(c.errorText()));
    QString error;
    QVERIFY2(ServerLibrary::write(c, change, &error), qPrintable(error));
}

void TestStationStandards::connectedStation_copiesWholeThenHearsOfChanges()
{
    const QString path = m_dir.filePath(QStringLiteral("connected.sqlite"));
    FileOutbox outbox(m_dir.filePath(QStringLiteral("connected-outbox.sqlite")));
    StationSync sync(m_station, &outbox, quickOptions(path));
    QSignalSpy copied(&sync, &StationSync::standardsCopied);
    QVERIFY2(waitUntil([&] { return !copied.isEmpty(); }, 10000), qPrintable(sync.standardsProblem()));
    QCOMPARE(copied.first().at(1).toBool(), true);
    {
        StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
        QVERIFY2(copy.open(), qPrintable(copy.errorText()));
        const auto blue = copy.findByName(QStringLiteral("blue 7"));
        QVERIFY(blue);
        QCOMPARE(blue->values[ComparisonRecord::Haze], 1.25);
        QCOMPARE(blue->spectrum.size(), kStandardSpectrumBands);
        QCOMPARE(blue->origin.serial, QStringLiteral("S-9"));
        QCOMPARE(blue->origin.time, QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC));
        QCOMPARE(copy.setOf(*blue).name, QStringLiteral("Loose"));
        const auto red = copy.findByCode(QStringLiteral("4006381333931"));
        QVERIFY(red);
        QCOMPARE(red->values[ComparisonRecord::LabL], 40.0);
        const LibraryToleranceSet set = copy.setOf(*red);
        QCOMPARE(formatToleranceLimits(set.limits), formatToleranceLimits(m_redSet.limits));
        QCOMPARE(set.warnPercent, 80.0);
    }

    // An edit and a removal on the server reach the connected station.
    Standard lighter = m_red;
    lighter.version = 2;
    lighter.withLab(41.5, 2.0, -3.0);
    PgConnection c(m_editor);
    QVERIFY(c.open());
    ServerLibraryCopy server;
    QString error;
    QVERIFY2(ServerLibrary::read(c, 0, &server, &error), qPrintable(error));
    const auto blueOnServer = std::find_if(server.standards.cbegin(), server.standards.cend(),
                                           [](const Standard& s) { return s.name == QLatin1String("Blue 7"); });
    QVERIFY(blueOnServer != server.standards.cend());
    const int before = int(copied.size());
    edit({{}, {lighter}, {*blueOnServer}});
    QVERIFY2(waitUntil([&] { return copied.size() > before; }, 3000), qPrintable(sync.standardsProblem()));
    QCOMPARE(copied.last().at(1).toBool(), false);
    StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
    QVERIFY(copy.open());
    QVERIFY(!copy.findByName(QStringLiteral("Blue 7")));
    QCOMPARE(copy.standard(m_red.id)->version, qint64(2));
    QCOMPARE(copy.standard(m_red.id)->values[ComparisonRecord::LabL], 41.5);
    m_red = *copy.standard(m_red.id);
}

void TestStationStandards::onlyManagersAndEditorsWrite_data()
{
    QTest::addColumn<QString>("who");
    QTest::addColumn<bool>("mayEdit");
    QTest::newRow("station") << "station" << false;
    QTest::newRow("manager") << "manager" << true;
    QTest::newRow("editor") << "editor" << true;
}

void TestStationStandards::onlyManagersAndEditorsWrite()
{
    QFETCH(QString, who);
    QFETCH(bool, mayEdit);
    const StationConfig config = who == QLatin1String("station") ? m_station
                                 : who == QLatin1String("manager") ? m_manager
                                                                    : m_editor;
    PgConnection c(config);
    QVERIFY2(c.open(), qPrintable(c.errorText()));
    QCOMPARE(ServerLibrary::mayEdit(c), mayEdit);
    QString error;
    const bool written = ServerLibrary::write(c, {{}, {labStandard(QStringLiteral("New by ") + who, 50, {})}, {}}, &error);
    QCOMPARE(written, mayEdit);
    if (!mayEdit) {
        QCOMPARE(error, ServerLibrary::editRefusal(config));
    }
}

void TestStationStandards::secondEditOfOneVersion_isRefused()
{
    Standard green = labStandard(QStringLiteral("Green 2"), 60, {});
    edit({{}, {green}, {}});
    green.version = 2;
    green.note = QStringLiteral("first editor");
    edit({{}, {green}, {}});
    // The second editor read version 1 too and writes what becomes 2.
    green.note = QStringLiteral("second editor");
    PgConnection c(m_manager);
    QVERIFY(c.open());
    QString error;
    QVERIFY(!ServerLibrary::write(c, {{}, {green}, {}}, &error));
    QVERIFY2(error.contains(QLatin1String("meanwhile")), qPrintable(error));
    QList<Standard> versions;
    QVERIFY2(ServerLibrary::versions(c, green.id, &versions, &error), qPrintable(error));
    QCOMPARE(versions.size(), 2);
    QCOMPARE(versions.last().note, QStringLiteral("first editor"));
}

// A station that kept a library of its own before it had a station
// database: the first copy replaces it, but what the server never had is
// written to a CSV file first; a standard the server removed is not.
void TestStationStandards::firstCopy_keepsTheStationsOwnStandards()
{
    Standard gone = labStandard(QStringLiteral("Gone 1"), 70, {});
    edit({{}, {gone}, {}});
    edit({{}, {}, {gone}});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("standards.sqlite"));
    {
        StandardLibrary own(path);
        QVERIFY(own.open());
        QVERIFY(own.replaceFromServer({gone}, {}));
        Standard mine = labStandard(QStringLiteral("Own 1"), 55, {});
        QVERIFY2(own.add(mine, ownSet(QStringLiteral("dE00<=2"))), qPrintable(own.errorText()));
    }
    FileOutbox outbox(m_dir.filePath(QStringLiteral("own-outbox.sqlite")));
    StationSync sync(m_station, &outbox, quickOptions(path));
    QSignalSpy kept(&sync, &StationSync::standardsKept);
    QSignalSpy copied(&sync, &StationSync::standardsCopied);
    QVERIFY2(waitUntil([&] { return !copied.isEmpty(); }, 10000), qPrintable(sync.standardsProblem()));
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first().at(1).toInt(), 1);
    const StandardFiles::ReadResult saved = StandardFiles::readFile(kept.first().at(0).toString());
    QVERIFY2(saved.ok(), qPrintable(saved.error));
    QCOMPARE(saved.standards.size(), 1);
    QCOMPARE(saved.standards.first().standard.name, QStringLiteral("Own 1"));
    QCOMPARE(formatToleranceLimits(saved.standards.first().ownSet->limits), QStringLiteral("dE00<=2"));
    StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
    QVERIFY(copy.open());
    QVERIFY(!copy.findByName(QStringLiteral("Own 1")));
    QVERIFY(copy.findByName(QStringLiteral("Red 1")));
}

void TestStationStandards::serverAway_stationWorksFromItsCopy()
{
    const QString path = m_dir.filePath(QStringLiteral("offline.sqlite"));
    FileOutbox outbox(m_dir.filePath(QStringLiteral("offline-outbox.sqlite")));
    {
        StationSync sync(m_station, &outbox, quickOptions(path));
        QSignalSpy copied(&sync, &StationSync::standardsCopied);
        QVERIFY2(waitUntil([&] { return !copied.isEmpty(); }, 10000), qPrintable(sync.standardsProblem()));
    }
    QVERIFY(m_cluster.stop());
    // The station starts again while the server is away.
    StationSync sync(m_station, &outbox, quickOptions(path));
    QSignalSpy problems(&sync, &StationSync::standardsProblemChanged);
    QVERIFY(waitUntil([&] { return !sync.standardsProblem().isEmpty(); }, 10000));
    QVERIFY2(sync.standardsProblem().contains(QLatin1String("works from its copy")), qPrintable(sync.standardsProblem()));
    StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
    QVERIFY(copy.open());
    QVERIFY(copy.findByName(QStringLiteral("Red 1")));
    QCOMPARE(copy.setOf(*copy.findByName(QStringLiteral("Red 1"))).warnPercent, 80.0);
}

void TestStationStandards::editAfterRecording_rowKeepsItsVerdict()
{
    const QString path = m_dir.filePath(QStringLiteral("recorded.sqlite"));
    // The journal as the window keeps it is the outbox.
    const QString journalPath = m_dir.filePath(QStringLiteral("recorded-journal.sqlite"));
    RecordJournal journal(journalPath);
    QVERIFY2(journal.open(), qPrintable(journal.errorText()));
    JournalOutbox outbox(journalPath);
    StationSync sync(m_station, &outbox, quickOptions(path));
    QSignalSpy copied(&sync, &StationSync::standardsCopied);
    QVERIFY2(waitUntil([&] { return !copied.isEmpty(); }, 10000), qPrintable(sync.standardsProblem()));

    // A sample 0.95 from Red 1 in L* (dE00 about 0.85): PASS by dE00 <= 1.0, warned (80 %).
    StandardLibrary copy(path, StandardLibrary::Access::ReadOnly);
    QVERIFY(copy.open());
    const Standard red = *copy.findByName(QStringLiteral("Red 1"));
    ComparisonSettings settings;
    settings.displayMode = DisplayMode::Lab;
    Standard sample = red;
    sample.withLab(red.values[ComparisonRecord::LabL] + 0.95, 2.0, -3.0);
    ComparisonRecord record = compareValues(red.values, sample.values, settings, copy.judgementFor(red));
    record.id = QUuid::createUuid();
    record.testName = QStringLiteral("Comp1");
    QVERIFY(record.pass);
    QVERIFY(record.library.warning);
    QCOMPARE(record.library.decidedBy, QStringLiteral("dE00"));

    // The manager tightens Red 1's own set; the station hears of it.
    LibraryToleranceSet tighter = copy.setOf(red);
    tighter.version += 1;
    tighter.limits = parseToleranceLimits(QStringLiteral("dE00<=0.5")).limits;
    const int before = int(copied.size());
    edit({{tighter}, {}, {}});
    QVERIFY2(waitUntil([&] { return copied.size() > before; }, 3000), qPrintable(sync.standardsProblem()));
    StandardLibrary now(path, StandardLibrary::Access::ReadOnly);
    QVERIFY(now.open());
    QCOMPARE(now.setOf(red).version, tighter.version);

    // Judged again, the row keeps the version and set it was taken with ...
    const qint64 setVersion = record.library.tolerances.version;
    judgeRecord(record, settings);
    QVERIFY(record.pass);
    QCOMPARE(record.library.tolerances.version, setVersion);
    // ... and goes to the server so: version, set, warning and the limit that warned.
    QVERIFY(journal.append({record}));
    sync.journaled();
    PgConnection admin(m_cluster.admin());
    QVERIFY(admin.open());
    const QByteArray query = "SELECT concat_ws(' ', pass, library_standard_version, tolerance_set_version, warning,"
                             " decided_by, standard) FROM tintwell.records"
                             " WHERE id = '" + record.id.toString(QUuid::WithoutBraces).toUtf8() + "'";
    QVERIFY(waitUntil([&] { return admin.exec(query).rows() == 1; }, 5000));
    QCOMPARE(admin.exec(query).text(0, 0), QStringLiteral("t %1 %2 t dE00 Red 1").arg(red.version).arg(setVersion));
    // A manager's history gives the record back with the set it was judged by.
    PgConnection manager(m_manager);
    QVERIFY(manager.open());
    HistoryFilter filter;
    filter.standard = QStringLiteral("Red 1");
    QList<HistoryRow> rows;
    QString error;
    QVERIFY2(StationHistory::records(manager, filter, &rows, &error), qPrintable(error));
    QCOMPARE(rows.size(), 1);
    const LibraryJudgement& kept = rows.first().record.library;
    QCOMPARE(kept.standardId, red.id);
    QCOMPARE(kept.standardVersion, red.version);
    QCOMPARE(kept.tolerances.version, setVersion);
    QCOMPARE(formatToleranceLimits(kept.tolerances.limits), formatToleranceLimits(record.library.tolerances.limits));
    QCOMPARE(kept.tolerances.warnPercent, 80.0);
    QCOMPARE(kept.decidedBy, QStringLiteral("dE00"));
    // Only re-judging with the current version, asked for, applies the edit.
    QVERIFY(judgeRecordWithLibrary(record, settings, now.judgementFor(*now.standard(red.id))));
    QVERIFY(!record.pass);
}

QTEST_GUILESS_MAIN(TestStationStandards)
#include "tst_station_standards.moc"
