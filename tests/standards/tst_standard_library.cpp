// The library of standards: versions, names, search and codes, the
// read-only copy and the station's sync, and the files it reads and writes.

#include "Comparison.h"
#include "ComparisonJudging.h"
#include "StandardFiles.h"
#include "StandardLibrary.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using R = ComparisonRecord;

Standard labStandard(const QString& name, double l, double a, double b, const QString& code = QString())
{
    Standard s;
    s.name = name;
    s.code = code;
    s.withLab(l, a, b);
    return s;
}

LibraryToleranceSet limits(const QString& list, double warn = 0.0)
{
    LibraryToleranceSet set;
    set.limits = parseToleranceLimits(list).limits;
    set.warnPercent = warn;
    return set;
}

ComparisonSettings labSettings()
{
    ComparisonSettings s;
    s.deltaEThreshold = 5.0;
    s.displayMode = DisplayMode::Lab;
    return s;
}

QStringList names(const QList<Standard>& standards)
{
    QStringList list;
    for (const Standard& s : standards) {
        list << s.name;
    }
    return list;
}

} // namespace

class tst_standard_library : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    QString nextPath() { return m_dir.filePath(QStringLiteral("lib%1.sqlite").arg(++m_files)); }

private Q_SLOTS:
    // Every edit is a new version; old versions read back as they were, after
    // the file is opened again; a record judged with version 1 keeps its verdict.
    void edits_makeVersions_recordsKeepTheirs()
    {
        const QString path = nextPath();
        ComparisonRecord record;
        QUuid id;
        {
            StandardLibrary library(path);
            QVERIFY(library.open());
            const std::optional<Standard> added =
                library.add(labStandard(QStringLiteral("Red 12"), 50, 10, 5), limits(QStringLiteral("dL=-0.8..0.8")));
            QVERIFY2(added, qPrintable(library.errorText()));
            QCOMPARE(added->version, qint64(1));
            id = added->id;
            Standard sample = *added;
            sample.withLab(50.85, 10, 5);
            record = compareValues(added->values, sample.values, labSettings(), library.judgementFor(*added));
            QVERIFY(!record.pass);

            Standard looser = *added;
            looser.note = QStringLiteral("agreed with the customer");
            const std::optional<Standard> v2 = library.edit(looser, limits(QStringLiteral("dL=-1..1")));
            QVERIFY2(v2, qPrintable(library.errorText()));
            QCOMPARE(v2->version, qint64(2));
            QCOMPARE(library.setOf(*v2).version, qint64(2));
            QCOMPARE(library.setOf(*v2).id, library.toleranceSetVersion(library.setOf(*v2).id, 1)->id);
        }
        StandardLibrary reopened(path);
        QVERIFY(reopened.open());
        QCOMPARE(reopened.versions(id).size(), 2);
        QVERIFY(reopened.standardVersion(id, 1)->note.isEmpty());
        QCOMPARE(reopened.standard(id)->note, QStringLiteral("agreed with the customer"));
        QCOMPARE(formatToleranceLimits(reopened.toleranceSetVersion(record.library.tolerances.id, 1)->limits),
                 QStringLiteral("dL=-0.8..0.8"));
        // Judged again under other settings, the row keeps version 1 and its verdict.
        ComparisonSettings other = labSettings();
        other.deltaEThreshold = 9.0;
        judgeRecord(record, other);
        QVERIFY(!record.pass);
        QCOMPARE(record.library.standardVersion, qint64(1));
        // Only the operator's re-judging takes the current version.
        ComparisonRecord rejudged = record;
        bool changed = false;
        QVERIFY(judgeWithCurrentVersion(rejudged, other, reopened, &changed));
        QVERIFY(changed);
        QVERIFY(rejudged.pass);
        QCOMPARE(rejudged.library.standardVersion, qint64(2));
        QCOMPARE(rejudged.id, record.id);
        QVERIFY(rejudged.version > record.version);
        QVERIFY(judgeWithCurrentVersion(rejudged, other, reopened, &changed));
        QVERIFY(!changed); // already the current version: nothing to write again

        // New values in version 3 are the standard the row is judged against then.
        Standard moved = *reopened.standard(id);
        moved.withLab(50.5, 10, 5);
        QVERIFY(reopened.edit(moved));
        QVERIFY(judgeWithCurrentVersion(rejudged, other, reopened, &changed));
        QCOMPARE(rejudged.standard[R::LabL], 50.5);
        QCOMPARE(rejudged.library.standardVersion, qint64(3));
        QVERIFY(reopened.remove(id));
        QVERIFY(!judgeWithCurrentVersion(rejudged, other, reopened));
        QCOMPARE(rejudged.library.standardVersion, qint64(3));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withValues");
        QTest::addColumn<int>("spectrumBands");
        QTest::addColumn<QString>("said");
        QTest::newRow("name taken, other case") << QStringLiteral(" red 12 ") << true << 0 << QStringLiteral("already");
        QTest::newRow("code taken") << QStringLiteral("Red 13") << true << 0 << QStringLiteral("barcode");
        QTest::newRow("no name") << QStringLiteral("  ") << true << 0 << QStringLiteral("name");
        QTest::newRow("no values") << QStringLiteral("Blank") << false << 0 << QStringLiteral("no values");
        QTest::newRow("short spectrum") << QStringLiteral("Short") << true << 30 << QStringLiteral("31");
    }

    void refusals()
    {
        QFETCH(QString, name);
        QFETCH(bool, withValues);
        QFETCH(int, spectrumBands);
        QFETCH(QString, said);
        StandardLibrary library(nextPath());
        QVERIFY(library.open());
        QVERIFY(library.add(labStandard(QStringLiteral("Red 12"), 50, 1, 2, QStringLiteral("4006"))));
        Standard s = withValues ? labStandard(name, 40, 0, 0, QStringLiteral("4006")) : Standard();
        s.name = name;
        for (int i = 0; i < spectrumBands; ++i) {
            s.spectrum << 50.0;
        }
        QVERIFY(!library.add(s));
        QVERIFY2(library.errorText().contains(said), qPrintable(library.errorText()));
        QCOMPARE(library.count(), 1);
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("prefix of names before substrings") << QStringLiteral("red")
                                                           << QStringList{"Red 12", "Red 7", "Dark red"};
        QTest::newRow("case-insensitive") << QStringLiteral("DARK") << QStringList{"Dark red"};
        QTest::newRow("code prefix") << QStringLiteral("4006") << QStringList{"Red 7"};
        QTest::newRow("nothing") << QStringLiteral("green") << QStringList{};
        QTest::newRow("empty lists all by name") << QString() << QStringList{"Blue", "Dark red", "Red 12", "Red 7"};
    }

    void search()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        StandardLibrary library(nextPath());
        QVERIFY(library.open());
        for (const Standard& s : {labStandard(QStringLiteral("Red 7"), 40, 30, 10, QStringLiteral("4006381333931")),
                                  labStandard(QStringLiteral("Dark red"), 30, 20, 5, QStringLiteral("7001")),
                                  labStandard(QStringLiteral("Red 12"), 45, 35, 12),
                                  labStandard(QStringLiteral("Blue"), 40, 0, -30, QStringLiteral("B-1"))}) {
            QVERIFY(library.add(s));
        }
        QCOMPARE(names(library.search(text)), found);
    }

    // A barcode scanner types the exact code: found, whatever the names.
    void findByCode_exactOnly()
    {
        StandardLibrary library(nextPath());
        QVERIFY(library.open());
        QVERIFY(library.add(labStandard(QStringLiteral("Red 7"), 40, 30, 10, QStringLiteral("4006381333931"))));
        QCOMPARE(library.findByCode(QStringLiteral("4006381333931"))->name, QStringLiteral("Red 7"));
        QVERIFY(!library.findByCode(QStringLiteral("400638133393")));
        QVERIFY(!library.findByCode(QString()));
        const Standard renamed = [&] {
            Standard s = *library.findByName(QStringLiteral("red 7"));
            s.code = QStringLiteral("123");
            return s;
        }();
        QVERIFY(library.edit(renamed));
        QVERIFY(!library.findByCode(QStringLiteral("4006381333931")));
        QCOMPARE(library.findByCode(QStringLiteral("123"))->version, qint64(2));
    }

    // A station's copy: it refuses edits, and the sync fills it with the
    // server's versions; an older version never replaces a newer one.
    void readOnlyCopy_takesOnlyTheServersVersions()
    {
        const QString path = nextPath();
        StandardLibrary library(path, StandardLibrary::Access::ReadOnly);
        QVERIFY(library.open());
        QVERIFY(!library.add(labStandard(QStringLiteral("Red 7"), 40, 30, 10)));
        QVERIFY(library.errorText().contains(QStringLiteral("read-only")));

        LibraryToleranceSet set = limits(QStringLiteral("dE00<=1"));
        set.id = QUuid::createUuid();
        set.version = 4;
        Standard s = labStandard(QStringLiteral("Red 7"), 40, 30, 10);
        s.id = QUuid::createUuid();
        s.version = 3;
        s.toleranceSetId = set.id;
        QVERIFY2(library.replaceFromServer({s}, {set}), qPrintable(library.errorText()));
        QCOMPARE(library.findByName(QStringLiteral("Red 7"))->version, qint64(3));
        QCOMPARE(library.judgementFor(*library.standard(s.id)).tolerances.version, qint64(4));

        Standard older = s;
        older.version = 2;
        older.note = QStringLiteral("older");
        QVERIFY(library.upsertFromServer({older}, {}));
        QVERIFY(library.standard(s.id)->note.isEmpty());
        Standard newer = s;
        newer.version = 5;
        newer.name = QStringLiteral("Red 7 new");
        QVERIFY(library.upsertFromServer({newer}, {}));
        QCOMPARE(library.standard(s.id)->name, QStringLiteral("Red 7 new"));
        QVERIFY(!library.findByName(QStringLiteral("Red 7")));
        // What another connection (the sync's, on its own thread) wrote is seen after reload().
        StandardLibrary window(path, StandardLibrary::Access::ReadOnly);
        QVERIFY(window.open());
        QVERIFY(library.upsertFromServer({}, {}, {s.id}));
        QCOMPARE(library.count(), 0);
        QCOMPARE(window.count(), 1);
        QVERIFY(window.reload());
        QCOMPARE(window.count(), 0);
        QCOMPARE(library.versions(s.id).size(), 2); // versions 3 and 5 stay readable
    }

    void csvRefusals_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("said");
        const QByteArray header = "name,code,L,a,b,haze,t,tolerance,warn,shared_set,note\r\n";
        QTest::newRow("wrong header") << QByteArray("name,L,a,b\r\nRed,1,2,3\r\n") << QStringLiteral("line 1");
        QTest::newRow("short row") << header + "Red,,50,1\r\n" << QStringLiteral("line 2");
        QTest::newRow("half Lab") << header + "Red,,50,1,,,,,,,\r\n" << QStringLiteral("together");
        QTest::newRow("not a number") << header + "Red,,50,1,x,,,,,,\r\n" << QStringLiteral("\"x\"");
        QTest::newRow("no values") << header + "Red,,,,,,,,,,\r\n" << QStringLiteral("no values");
        QTest::newRow("bad tolerance") << header + "Red,,50,1,2,,,\"dE00<=1,dQ=1\",,,\r\n" << QStringLiteral("dQ=1");
        QTest::newRow("bad warn") << header + "Red,,50,1,2,,,dE00<=1,120,,\r\n" << QStringLiteral("120");
        QTest::newRow("set twice") << header + "Red,,50,1,2,,,dE00<=1,,Shared,\r\n" << QStringLiteral("not both");
        QTest::newRow("name twice") << header + "Red,,50,1,2,,,,,,\r\nRED,,50,1,2,,,,,,\r\n" << QStringLiteral("line 3");
    }

    void csvRefusals()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, said);
        const StandardFiles::ReadResult read = StandardFiles::readCsv(csv);
        QVERIFY(!read.ok());
        QVERIFY(read.standards.isEmpty());
        QVERIFY2(read.error.contains(said), qPrintable(read.error));
    }

    // What export writes, import reads back: unchanged standards get no new
    // version; a spreadsheet's edit of one row gives that standard one.
    void exportImport_roundTrip_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("keepsTolerances");
        QTest::newRow("csv") << QStringLiteral("csv") << true;
        QTest::newRow("cgats") << QStringLiteral("ti3") << false;
        QTest::newRow("cxf") << QStringLiteral("cxf") << false;
        QTest::newRow("workbook") << QStringLiteral("xlsx") << false;
    }

    void exportImport_roundTrip()
    {
        QFETCH(QString, suffix);
        QFETCH(bool, keepsTolerances);
        StandardLibrary from(nextPath());
        QVERIFY(from.open());
        Standard red = labStandard(QStringLiteral("Red 7"), 40.25, 30.5, -10.75, QStringLiteral("4006"));
        red.note = QStringLiteral("=SUM(A1) 注意, \"quoted\"");
        QVERIFY(from.add(red, limits(QStringLiteral("dE00<=1,db=-0.3..0.6:info"), 80)));
        QVERIFY(from.add(labStandard(QStringLiteral("蓝 3"), 35, -2, -30)));
        const QString file = m_dir.filePath(QStringLiteral("out%1.%2").arg(++m_files).arg(suffix));
        QString error;
        QVERIFY2(StandardFiles::writeFile(from.standards(), from, file, QStringLiteral("TX420"), &error),
                 qPrintable(error));

        const StandardFiles::ReadResult read = StandardFiles::readFile(file);
        QVERIFY2(read.ok(), qPrintable(read.error));
        QCOMPARE(read.standards.size(), 2);
        StandardLibrary into(nextPath());
        QVERIFY(into.open());
        StandardFiles::ImportCount count;
        QVERIFY2(StandardFiles::importInto(into, read.standards, count, &error), qPrintable(error));
        QCOMPARE(count.added, 2);
        const Standard back = *into.findByName(QStringLiteral("Red 7"));
        QCOMPARE(back.values[R::LabL], 40.25);
        QCOMPARE(back.values[R::LabB], -10.75);
        QCOMPARE(formatToleranceLimits(into.setOf(back).limits),
                 keepsTolerances ? QStringLiteral("dE00<=1,db=-0.3..0.6:info") : QString());
        if (keepsTolerances) {
            QCOMPARE(back.note, red.note);
            QCOMPARE(back.code, red.code);
            QCOMPARE(into.setOf(back).warnPercent, 80.0);
        }
        // The same file again changes nothing.
        QVERIFY(StandardFiles::importInto(into, read.standards, count, &error));
        QCOMPARE(count.unchanged, 2);
        QCOMPARE(into.findByName(QStringLiteral("Red 7"))->version, qint64(1));
    }
};

QTEST_GUILESS_MAIN(tst_standard_library)
#include "tst_standard_library.moc"
