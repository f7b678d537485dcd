// Record import from the emulated instrument: every record layout decoded,
// the pages and progress of an import, judging, and what each failure and a
// cancel leave behind (nothing, and the link free).
#include "Comparison.h"
#include "ComparisonColumns.h"
#include "DeltaE.h"
#include "DialogFeedback.h"
#include "EmulatedAccess.h"
#include "RecordDecoding.h"
#include "RecordImport.h"
#include "ScriptedDialogs.h"
#include "StoredRecords.h"

#include <QTest>

namespace {

QByteArray words(const QList<int>& values)
{
    QByteArray out;
    for (const int v : values) {
        putU16le(out, static_cast<quint16>(v));
    }
    return out;
}

using Values = QList<double>; // the eleven values of ComparisonRecord::Value
const QList<int> labStd{5000, 0x10000 - 120, 300}, labSmp{5100, 0x10000 - 100, 350}; // a* negative

ImportSettings settingsFor(int mode, int layout = 0)
{
    ImportSettings s;
    s.judging.displayMode = displayModeFromIndex(mode);
    s.judging.layoutIndex = layout;
    s.judging.hazeTolerance = 1.0;
    s.judging.transmittanceTolerance = 1.0;
    s.judging.deltaEThreshold = 1.0;
    s.modelName = QStringLiteral("TX310");
    s.serialNumber = QStringLiteral("SN42");
    s.importTime = QDateTime(QDate(2026, 12, 8), QTime(9, 5));
    return s;
}

} // namespace

class tst_import : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesEveryRecordLayout_data()
    {
        QTest::addColumn<int>("mode"); QTest::addColumn<QList<int>>("record");
        QTest::addColumn<Values>("standard"); QTest::addColumn<Values>("sample");
        // Values: Haze, T, L, a, b, L*, C*, h, Y, x, y
        QTest::newRow("Haze/T") << 0 << QList<int>{1234, 8850, 1300, 8800}
                                << Values{12.34, 88.5, 0, 0, 0, 0, 0, 0, 0, 0, 0} << Values{13.0, 88.0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("Haze") << 1 << QList<int>{1234, 1300}
                              << Values{12.34, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << Values{13.0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("T") << 2 << QList<int>{8850, 8800}
                           << Values{0, 88.5, 0, 0, 0, 0, 0, 0, 0, 0, 0} << Values{0, 88.0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("Lab") << 3 << labStd + labSmp
                             << Values{0, 0, 50.0, -1.2, 3.0, 0, 0, 0, 0, 0, 0} << Values{0, 0, 51.0, -1.0, 3.5, 0, 0, 0, 0, 0, 0};
        QTest::newRow("LCh") << 4 << labStd + QList<int>{5000, 323, 1118} + labSmp + QList<int>{5100, 364, 1059}
                             << Values{0, 0, 50.0, -1.2, 3.0, 50.0, 3.23, 111.8, 0, 0, 0}
                             << Values{0, 0, 51.0, -1.0, 3.5, 51.0, 3.64, 105.9, 0, 0, 0};
        QTest::newRow("Yxy") << 5 << labStd + QList<int>{1843, 3127, 3290} + labSmp + QList<int>{1910, 3120, 3305}
                             << Values{0, 0, 50.0, -1.2, 3.0, 0, 0, 0, 18.43, 0.3127, 0.329}
                             << Values{0, 0, 51.0, -1.0, 3.5, 0, 0, 0, 19.1, 0.312, 0.3305};
        QTest::newRow("Haze/T/Lab") << 6 << labStd + QList<int>{1234, 8850} + labSmp + QList<int>{1300, 8800}
                                    << Values{12.34, 88.5, 50.0, -1.2, 3.0, 0, 0, 0, 0, 0, 0}
                                    << Values{13.0, 88.0, 51.0, -1.0, 3.5, 0, 0, 0, 0, 0, 0};
    }
    void decodesEveryRecordLayout()
    {
        QFETCH(int, mode); QFETCH(QList<int>, record); QFETCH(Values, standard); QFETCH(Values, sample);
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access;
        access.instrument().storeComparisonRecords(mode, {words(record)}, {StoredRecords::nameRecord("A", 16)});
        const ImportResult result = RecordImport(access, feedback).importCurrent(settingsFor(mode));
        QCOMPARE(result.rows.size(), 1);
        const ComparisonRecord& row = result.rows.first();
        for (int i = 0; i < ComparisonRecord::ValueCount; ++i) {
            QVERIFY2(qFuzzyCompare(1.0 + row.standard[i], 1.0 + standard.at(i))
                         && qFuzzyCompare(1.0 + row.sample[i], 1.0 + sample.at(i)), qPrintable(QString::number(i)));
        }
        QCOMPARE(row.hazeDifference, sample.at(0) - standard.at(0));
        QCOMPARE(row.transmittanceDifference, sample.at(1) - standard.at(1));
        QVERIFY(qFuzzyCompare(1.0 + row.deltaE, 1.0 + (mode >= 3 ? std::sqrt(1.0 + 0.04 + 0.25) : 0.0)));
        QCOMPARE(row.testName, QStringLiteral("A"));
        QCOMPARE(row.time, QDateTime(QDate(2026, 12, 8), QTime(9, 5)));
        QCOMPARE(row.serialNumber, QStringLiteral("SN42"));
    }

    void legacyRecordsCarryChromaAndHue()
    {
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access(QStringLiteral("TX420"), 200);
        access.instrument().storeLegacyRecords(
            {words(labStd + labSmp), StoredRecords::legacyRecord(1)},
            {StoredRecords::nameRecord("CD-FOURTEEN-14", 14), StoredRecords::legacyName(1)});
        ImportSettings settings = settingsFor(3);
        settings.judging.formulaCode = 5; // delta-E*00 on a first-generation colorimeter
        settings.judging.deltaEThreshold = 0.5;
        settings.totalCountBefore = 7;
        const ImportResult result = RecordImport(access, feedback).importLegacy(settings);
        QCOMPARE(result.rows.size(), 2);
        const ComparisonRecord& row = result.rows.first();
        QCOMPARE(row.testName, QStringLiteral("CD-FOURTEEN-14"));
        // C* and h as the live legacy display shows them: rounded to its decimals.
        const auto shown = [](double value, int index) {
            return roundedTo(value, ComparisonColumns::liveDecimals(ComparisonColumns::Layout::Legacy, index));
        };
        QCOMPARE(row.legacyStandard[ComparisonRecord::LegacyC], shown(chroma(-1.2, 3.0), ComparisonRecord::LegacyC));
        QCOMPARE(row.legacySample[ComparisonRecord::LegacyH], shown(displayHue(-1.0, 3.5), ComparisonRecord::LegacyH));
        const double expected = deltaE(DeltaEFormula::Cie2000, {50.0, -1.2, 3.0}, {51.0, -1.0, 3.5});
        QCOMPARE(row.deltaE, expected);
        QCOMPARE(row.pass, expected <= 0.5);
        QCOMPARE(result.rows.at(1).sequence, 9.0); // numbered on from the rows already there
        QCOMPARE(access.memoryReads().mid(1), (QList<QPair<quint32, int>>{{0x10000, 24}, {0x20000, 28}}));
    }

    // 30 Lab records: data pages of 256 and 104 bytes, name pages of 256 and
    // 224, progress 0 to 4; names of 13 characters and of a full 16 bytes.
    void thirtyLabRecordsInFourPages()
    {
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access;
        access.instrument().fillComparisonRecords(3, 30);
        const ImportResult result = RecordImport(access, feedback).importCurrent(settingsFor(3));
        QCOMPARE(result.rows.size(), 30);
        QCOMPARE(access.memoryReads().mid(1), (QList<QPair<quint32, int>>{
                                                  {0x580000, 256}, {0x580100, 104}, {0x5C0000, 256}, {0x5C0100, 224}}));
        QCOMPARE(dialogs.shown.first().text, QStringLiteral("cancel [0..4]"));
        QCOMPARE(dialogs.progressValues, (QList<int>{0, 1, 2, 3}));
        QCOMPARE(result.rows.at(1).testName, QStringLiteral("Batch 0417 A1"));
        QCOMPARE(result.rows.at(2).testName, QStringLiteral("ROLL-2291-EDG"));
        QCOMPARE(result.passed + result.failed, 30);
        QVERIFY(access.lockIsFree());
    }

    // The instrument's formula in layout 1 (code 6 is delta-E*00), delta-E*ab elsewhere;
    // layout 1 judges against the threshold stored with the formula, as live rows do.
    void importJudgesWithTheLiveFormulaRule_data()
    {
        QTest::addColumn<int>("layout"); QTest::addColumn<int>("formulaCode"); QTest::addColumn<int>("formula");
        QTest::newRow("layout 1, delta-E*00") << 1 << 6 << int(DeltaEFormula::Cie2000);
        QTest::newRow("layout 1, CMC(2:1)") << 1 << 3 << int(DeltaEFormula::Cmc2To1);
        QTest::newRow("layout 0 keeps delta-E*ab") << 0 << 6 << int(DeltaEFormula::CieAb);
        QTest::newRow("layout 2 keeps delta-E*ab") << 2 << 3 << int(DeltaEFormula::CieAb);
    }
    void importJudgesWithTheLiveFormulaRule()
    {
        QFETCH(int, layout); QFETCH(int, formulaCode); QFETCH(int, formula);
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access(QStringLiteral("TX470"));
        access.instrument().storeComparisonRecords(3, {words(labStd + QList<int>{5250, 80, 350})},
                                                        {StoredRecords::nameRecord("F", 16)});
        ImportSettings settings = settingsFor(3, layout);
        settings.judging.formulaCode = formulaCode;
        settings.judging.deltaEThreshold = 2.0;
        settings.judging.parameterThreshold = 3.0;
        const ImportResult result = RecordImport(access, feedback).importCurrent(settings);
        const double expected = deltaE(DeltaEFormula(formula), {50.0, -1.2, 3.0}, {52.5, 0.8, 3.5});
        QCOMPARE(result.rows.first().deltaE, expected);
        QCOMPARE(result.rows.first().pass, expected <= (layout == 1 ? 3.0 : 2.0));
    }

    // Every failure and a cancel: the box, no rows, the link free, the dialog closed.
    void failuresAppendNothing_data()
    {
        // fault: EmulatorFault on the count; failRequest: request that cannot be sent; cancelAt: progress
        // value that cancels (each -1 for none); requests: requests the instrument received.
        QTest::addColumn<int>("records"); QTest::addColumn<int>("fault"); QTest::addColumn<int>("failRequest");
        QTest::addColumn<int>("cancelAt"); QTest::addColumn<int>("outcome"); QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text"); QTest::addColumn<int>("requests");
        const int failed = int(ImportResult::Outcome::Failed);
        QTest::newRow("count 0") << 0 << -1 << -1 << -1 << int(ImportResult::Outcome::NoRecords) << "Info"
                                 << "No comparison record!" << 1;
        QTest::newRow("count block checksum") << 30 << int(EmulatorFault::BadBlockChecksum) << -1 << -1 << failed
                                              << "Error" << "difference history data error, unable to export!" << 1;
        QTest::newRow("count refused") << 30 << int(EmulatorFault::ErrorReply) << -1 << -1 << failed << "Error"
                                       << "Failed to read the number of color difference records!" << 1;
        QTest::newRow("second data page") << 30 << -1 << 3 << -1 << failed << "Error"
                                          << "Reading difference recording lab data failed!" << 2;
        QTest::newRow("last name page") << 30 << -1 << 5 << -1 << failed << "Error"
                                        << "Failed to read color difference record name data!" << 4;
        QTest::newRow("cancel after the second page")
            << 30 << -1 << -1 << 1 << int(ImportResult::Outcome::Cancelled) << "Info"
            << "Import cancelled: nothing was added to the list." << 3;
    }
    void failuresAppendNothing()
    {
        QFETCH(int, records); QFETCH(int, fault); QFETCH(int, failRequest); QFETCH(int, cancelAt);
        QFETCH(int, outcome); QFETCH(QString, title); QFETCH(QString, text); QFETCH(int, requests);
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access;
        access.instrument().fillComparisonRecords(3, records);
        if (fault >= 0) {
            access.emulator().injectFault(EmulatorFault(fault));
        }
        if (failRequest > 0) {
            access.emulator().refuseRequest(failRequest);
        }
        dialogs.cancelProgressAt(cancelAt);
        dialogs.expectMessage(title, text);
        const ImportResult result = RecordImport(access, feedback).importCurrent(settingsFor(3));
        QCOMPARE(int(result.outcome), outcome);
        QVERIFY(result.rows.isEmpty());
        QCOMPARE(result.passed + result.failed, 0);
        QCOMPARE(access.emulator().receivedFrames().size(), requests);
        QVERIFY(access.lockIsFree());
        QCOMPARE(dialogs.openProgressDialogs, 0);
        QVERIFY(!dialogs.hasUnusedAnswers());
    }

    // The question before an import: Yes without an export stops, No clears
    // first; not connected stops before asking.
    void questionBeforeImport_data()
    {
        QTest::addColumn<bool>("connected"); QTest::addColumn<int>("rows"); QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("exported"); QTest::addColumn<int>("outcome"); QTest::addColumn<int>("clears");
        const int skipped = int(ImportResult::Outcome::Skipped), imported = int(ImportResult::Outcome::Imported);
        QTest::newRow("not connected") << false << 2 << -1 << false << skipped << 0;
        QTest::newRow("empty table: no question") << true << 0 << -1 << false << imported << 0;
        QTest::newRow("No clears first") << true << 2 << int(DialogButton::No) << false << imported << 1;
        QTest::newRow("Yes, export not done") << true << 2 << int(DialogButton::Yes) << false << skipped << 0;
        QTest::newRow("Yes, exported") << true << 2 << int(DialogButton::Yes) << true << imported << 0;
    }
    void questionBeforeImport()
    {
        QFETCH(bool, connected); QFETCH(int, rows); QFETCH(int, answer);
        QFETCH(bool, exported); QFETCH(int, outcome); QFETCH(int, clears);
        ScriptedDialogs dialogs;
        DialogFeedback feedback(nullptr, dialogs);
        EmulatedAccess access;
        access.instrument().fillComparisonRecords(1, 3);
        if (!connected) {
            access.unplug();
        }
        if (!connected) {
            dialogs.expectMessage(QStringLiteral("Error"), QStringLiteral("Please connect the device first!"));
        }
        if (answer >= 0) {
            dialogs.answerButton(DialogButton(answer));
        }
        int cleared = 0;
        RecordImport::PageHooks hooks;
        hooks.rowCount = [&] { return rows; };
        hooks.clearRows = [&] { ++cleared; };
        hooks.exportRows = [exported] { return exported; };
        hooks.settings = [] { return settingsFor(1); };
        hooks.askToSaveRows = [&feedback] { return feedback.ask(RecordImport::saveRowsQuestion()); };
        const ImportResult result = RecordImport(access, feedback).run(false, hooks);
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(cleared, clears);
        QCOMPARE(result.rows.size(), outcome == int(ImportResult::Outcome::Imported) ? 3 : 0);
        if (answer >= 0) {
            QCOMPARE(dialogs.shown.first().title, QStringLiteral("Colorimeter"));
            QCOMPARE(dialogs.shown.first().text, QStringLiteral("Data import willempty the list, to save data first?"));
        }
        if (outcome == int(ImportResult::Outcome::Skipped)) {
            QVERIFY(access.emulator().receivedFrames().isEmpty());
        }
    }

    void namesCutInsideAUtf8CharacterKeepTheWholeOnes()
    {
        // Four three-byte characters fill 12 bytes; the fifth is cut after its first byte.
        const QByteArray utf8 = QStringLiteral("样品批次编").toUtf8();
        QCOMPARE(RecordDecoding::comparisonRecordName(StoredRecords::nameRecord(utf8, 16)), QStringLiteral("样品批次"));
        // A GB18030 name (two bytes a character) of 13 bytes or fewer stays whole.
        QCOMPARE(RecordDecoding::comparisonRecordName(StoredRecords::nameRecord("\xD1\xF9\xC6\xB7", 16)),
                 QStringLiteral("样品"));
    }
};

QTEST_MAIN(tst_import)
#include "tst_import.moc"
