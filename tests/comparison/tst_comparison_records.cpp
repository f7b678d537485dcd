// The one judging rule, the record list's derived counters and changes, and
// the reader of shown row texts (today's journals) against the column mappings.

#include "ComparisonCases.h"
#include "ComparisonColumns.h"
#include "ComparisonJudging.h"
#include "ComparisonRecordList.h"
#include "ComparisonTableModel.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Standard L* 50 against sample L* 50 + dl, a* and b* equal: delta-E*ab is |dl|.
ComparisonRecord labRecord(double dl, double hazeDifference, double transmittanceDifference)
{
    ComparisonRecord r;
    r.standard[ComparisonRecord::LabL] = 50.0;
    r.sample[ComparisonRecord::LabL] = 50.0 + dl;
    r.hazeDifference = hazeDifference;
    r.transmittanceDifference = transmittanceDifference;
    return r;
}

ComparisonSettings settingsFor(int displayMode, int layoutIndex, int formulaCode = 0)
{
    ComparisonSettings s;
    s.hazeTolerance = 1.0;
    s.transmittanceTolerance = 2.0;
    s.deltaEThreshold = 1.0;
    s.parameterThreshold = 3.0;
    s.displayMode = displayModeFromIndex(displayMode);
    s.layoutIndex = layoutIndex;
    s.formulaCode = formulaCode;
    return s;
}

} // namespace

class tst_comparison_records : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judge_data()
    {
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<int>("layoutIndex");
        QTest::addColumn<double>("dl");
        QTest::addColumn<double>("hazeDifference");
        QTest::addColumn<double>("transmittanceDifference");
        QTest::addColumn<bool>("pass");
        // The record's own differences reach the rule (the rule itself, mode by
        // mode, is the colour library's test); equal to a tolerance passes.
        QTest::newRow("Haze/T, delta-E ignored") << 0 << 0 << 9.0 << -1.0 << 2.0 << true;
        QTest::newRow("Haze, T ignored") << 1 << 0 << 0.0 << 1.0 << 5.0 << true;
        QTest::newRow("T beyond, below") << 2 << 0 << 0.0 << 0.0 << -2.5 << false;
        QTest::newRow("Lab, at threshold") << 3 << 0 << 1.0 << 9.0 << 9.0 << true;
        QTest::newRow("LCh, beyond threshold") << 4 << 0 << -1.2 << 0.0 << 0.0 << false;
        QTest::newRow("Haze/T/Lab, all within") << 6 << 3 << 0.5 << 0.5 << 0.5 << true;
        QTest::newRow("no mode passes") << -1 << 0 << 9.0 << 9.0 << 9.0 << true;
        // Layout 1: the threshold stored with the formula (3.0), not the tolerance (1.0),
        // for live rows, pushed results, imports and judging again alike.
        QTest::newRow("layout 1, within the parameter threshold") << 3 << 1 << 2.5 << 0.0 << 0.0 << true;
        QTest::newRow("layout 1, beyond it") << 4 << 1 << 3.5 << 0.0 << 0.0 << false;
        // A value the mode judges is unknown (a standard from a colour file, an
        // imported record judged again in another mode): never a PASS. Unknown
        // values the mode ignores do not matter.
        const double unknown = ComparisonRecord::kUnknown;
        QTest::newRow("Haze/T, haze unknown") << 0 << 0 << 0.0 << unknown << 0.0 << false;
        QTest::newRow("T, T unknown") << 2 << 0 << 0.0 << 0.0 << unknown << false;
        QTest::newRow("Haze, T unknown ignored") << 1 << 0 << 0.0 << 0.5 << unknown << true;
        QTest::newRow("Lab, haze and T unknown ignored") << 3 << 0 << 0.5 << unknown << unknown << true;
        QTest::newRow("Haze/T/Lab, T unknown") << 6 << 0 << 0.5 << 0.5 << unknown << false;
        QTest::newRow("LCh, L* unknown") << 4 << 0 << unknown << 0.0 << 0.0 << false;
        QTest::newRow("Haze, L* unknown ignored") << 1 << 0 << unknown << 0.5 << 0.0 << true;
    }

    void judge()
    {
        QFETCH(int, displayMode);
        QFETCH(int, layoutIndex);
        QFETCH(double, dl);
        QFETCH(double, hazeDifference);
        QFETCH(double, transmittanceDifference);
        QFETCH(bool, pass);
        ComparisonRecord r = labRecord(dl, hazeDifference, transmittanceDifference);
        judgeRecord(r, settingsFor(displayMode, layoutIndex));
        QCOMPARE(r.pass, pass);
        QCOMPARE(r.deltaE, std::abs(dl));
        QCOMPARE(r.settings.displayMode, displayModeFromIndex(displayMode));
    }

    void judge_legacyAndFormulas()
    {
        // The legacy layout: delta-E against its threshold alone; an unknown
        // formula code gives -1, which passes.
        ComparisonRecord legacy;
        legacy.legacy = true;
        legacy.legacyStandard = {50.0, 0.0, 0.0, 0.0, 0.0};
        legacy.legacySample = {52.0, 0.0, 0.0, 0.0, 0.0};
        ComparisonSettings s = settingsFor(-1, 0, 0);
        s.deltaEThreshold = 1.5;
        judgeRecord(legacy, s);
        QCOMPARE(legacy.deltaE, 2.0);
        QVERIFY(!legacy.pass);
        s.formulaCode = 99;
        judgeRecord(legacy, s);
        QCOMPARE(legacy.deltaE, -1.0);
        QVERIFY(legacy.pass);
        // An L* never measured: delta-E unknown, not a PASS.
        legacy.legacySample[ComparisonRecord::LegacyL] = ComparisonRecord::kUnknown;
        s.formulaCode = 0;
        judgeRecord(legacy, s);
        QVERIFY(!legacy.pass);

        // Layout 1 follows the formula code (6: CIEDE2000); other layouts always delta-E*ab.
        ComparisonRecord r;
        r.standard[ComparisonRecord::LabL] = 50.0;
        r.standard[ComparisonRecord::LabA] = 10.0;
        r.sample = r.standard;
        r.sample[ComparisonRecord::LabA] = 12.0;
        ::judgeRecord(r, settingsFor(3, 0, 6));
        QCOMPARE(r.deltaE, 2.0);
        ::judgeRecord(r, settingsFor(3, 1, 6));
        QVERIFY(r.deltaE > 0.0 && r.deltaE < 2.0);
    }

    void judge_versionOnlyOnChange()
    {
        ComparisonRecord r = labRecord(0.5, 0.0, 0.0);
        QVERIFY(judgeRecord(r, settingsFor(3, 0)));
        const qint64 version = r.version;
        QVERIFY(!judgeRecord(r, settingsFor(3, 0)));
        QCOMPARE(r.version, version);
        ComparisonSettings tighter = settingsFor(3, 0);
        tighter.deltaEThreshold = 0.4;
        QVERIFY(judgeRecord(r, tighter));
        QVERIFY(!r.pass);
        QCOMPARE(r.version, version + 1);
    }

    void listCounters_followTheRecords()
    {
        ComparisonRecordList list;
        ComparisonTableModel model(list, ComparisonColumns::Layout::Current);
        QSignalSpy changed(&list, &ComparisonRecordList::changed);
        list.append(comparisoncases::currentRecords()); // 6 PASS, 4 NG
        QCOMPARE(list.passCount(), 6);
        QCOMPARE(list.ngCount(), 4);
        QCOMPARE(model.rowCount(), 10);
        QVERIFY(!list.at(0).id.isNull());
        QVERIFY(list.at(0).id != list.at(1).id);

        QVERIFY(list.remove(1)); // an NG
        QVERIFY(!list.remove(9));
        QVERIFY(!list.remove(-1));
        QCOMPARE(list.ngCount(), 3);
        QCOMPARE(model.rowCount(), 9);

        // Renaming through the model's test-name cell renames the record.
        QVERIFY(model.setData(model.index(0, ComparisonColumns::kTestNameColumn), QStringLiteral("Lot 1")));
        QCOMPARE(list.at(0).testName, QStringLiteral("Lot 1"));
        QCOMPARE(list.at(0).version, 2);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!model.setData(model.index(0, 2), QStringLiteral("x")));

        // Judging again with tolerances nothing exceeds: the record taken in
        // the mode and layout in force (T, layout 0) passes; records taken in
        // another mode or layout keep the verdict and settings they were
        // judged under, as the settings in force would judge values they lack.
        ComparisonSettings loose = settingsFor(2, 0);
        loose.hazeTolerance = loose.transmittanceTolerance = loose.deltaEThreshold = 1000.0;
        list.judgeAgain(loose);
        QCOMPARE(list.passCount(), 7);
        QCOMPARE(list.ngCount(), 2);
        QCOMPARE(model.data(model.index(1, 33)).toString(), QStringLiteral("1000.0"));
        QCOMPARE(model.data(model.index(0, 33)).toString(), QStringLiteral("1.0"));

        // Clearing, then deleting, never drives a counter below zero.
        list.clear();
        QVERIFY(!list.remove(0));
        QCOMPARE(list.passCount(), 0);
        QCOMPARE(list.ngCount(), 0);
        QCOMPARE(model.rowCount(), 0);
    }

    void recordFromTexts_readsShownRowsBack()
    {
        // A journal of shown rows read back gives records that show the same row.
        QList<ComparisonRecord> records = comparisoncases::currentRecords();
        records << comparisoncases::legacyRecords();
        for (const ComparisonRecord& record : records) {
            const ComparisonColumns::Layout layout = ComparisonColumns::layoutOf(record);
            const QStringList texts = ComparisonColumns::rowTexts(layout, record);
            const ComparisonRecord back = ComparisonColumns::recordFromTexts(layout, texts, record.pass);
            QCOMPARE(ComparisonColumns::rowTexts(layout, back), texts);
            QCOMPARE(back.time, record.time);
        }
        // A value not known (a standard from a colour file has no haze) shows
        // the live display's dashes, never a 0 beside its verdict, and the
        // report reads it as not known.
        ComparisonRecord fileStandard = records.first();
        fileStandard.standard[ComparisonRecord::Haze] = fileStandard.hazeDifference = ComparisonRecord::kUnknown;
        using ComparisonColumns::Layout;
        QCOMPARE(ComparisonColumns::cellText(Layout::Current, fileStandard, 3), QStringLiteral("-----"));
        QCOMPARE(ComparisonColumns::cellText(Layout::Current, fileStandard, 25), QStringLiteral("-----"));
        QVERIFY(std::isnan(*ComparisonColumns::shownNumber(Layout::Current, fileStandard, 25)));
        // Read back from its shown row, the value stays not known rather than 0.
        const QStringList shown = ComparisonColumns::rowTexts(Layout::Current, fileStandard);
        const ComparisonRecord back = ComparisonColumns::recordFromTexts(Layout::Current, shown, fileStandard.pass);
        QVERIFY(std::isnan(back.standard[ComparisonRecord::Haze]));
        QVERIFY(std::isnan(back.hazeDifference));
        QCOMPARE(ComparisonColumns::rowTexts(Layout::Current, back), shown);
        // An empty or damaged cell of a former journal is not known either, never 0.
        QStringList damaged = shown;
        damaged[5] = QString();
        damaged[16] = QStringLiteral("x");
        const ComparisonRecord unread = ComparisonColumns::recordFromTexts(Layout::Current, damaged, true);
        QVERIFY(std::isnan(unread.standard[ComparisonRecord::LabL]));
        QVERIFY(std::isnan(unread.sample[ComparisonRecord::LabL]));
    }

    void displayedNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("percent") << QStringLiteral(" 12.34% ") << true << 12.34;
        QTest::newRow("negative") << QStringLiteral("-0.5") << true << -0.5;
        QTest::newRow("dashes") << QStringLiteral("-----") << false << 0.0;
        QTest::newRow("empty") << QString() << false << 0.0;
        QTest::newRow("infinite") << QStringLiteral("inf") << false << 0.0;
        QTest::newRow("words") << QStringLiteral("12 a") << false << 0.0;
    }

    void displayedNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const std::optional<double> number = ::displayedNumber(text);
        QCOMPARE(number.has_value(), isNumber);
        if (number) {
            QCOMPARE(*number, value);
        }
    }

};

QTEST_GUILESS_MAIN(tst_comparison_records)
#include "tst_comparison_records.moc"
