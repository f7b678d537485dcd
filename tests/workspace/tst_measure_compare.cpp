// The live comparison from the displayed texts: differences in general
// format, the hue the short way round, words, the formula choice, verdicts,
// and standards that are missing or not numbers.
#include "ComparisonColumns.h"
#include "ComparisonMath.h"

#include <QTest>

namespace {

// The threshold column of the record's row.
QString thresholdCell(const ComparisonRecord& record)
{
    return ComparisonColumns::cellText(ComparisonColumns::Layout::Current, record, 33);
}

using Texts = std::array<QString, ComparisonRecord::ValueCount>;

// Haze, T, L*, a*, b*, L*, C*, h, Y, x, y
Texts texts(const QString& haze, const QString& t, const QString& l, const QString& a,
            const QString& b, const QString& hue = QStringLiteral("10.0"))
{
    return {haze, t, l, a, b, l, QStringLiteral("2.00"), hue, QStringLiteral("18.40"),
            QStringLiteral("0.3123"), QStringLiteral("0.3300")};
}

CurrentComparisonInput input(const Texts& standard, const Texts& sample, int displayMode)
{
    CurrentComparisonInput in;
    in.standardTexts = standard;
    in.sampleTexts = sample;
    in.displayFlags = displayFlagsFor(displayMode);
    in.tolerances = {0.5, 1.0, 1.0};
    return in;
}

} // namespace

class tst_measure_compare : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void current_data()
    {
        QTest::addColumn<Texts>("standard");
        QTest::addColumn<Texts>("sample");
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<QString>("hazeDifference");
        QTest::addColumn<QString>("lDifference");
        QTest::addColumn<QString>("hueDifference");
        QTest::addColumn<QString>("lWord");
        QTest::addColumn<QString>("deltaE");
        QTest::addColumn<bool>("pass");
        QTest::newRow("haze 0.5 in general format, within tolerance")
            << texts("12.34%", "88.00%", "50.00", "1.00", "2.00") << texts("12.84%", "88.50%", "50.00", "1.00", "2.00")
            << 0 << "0.5%" << "0" << "0" << "Normal" << "0.00" << true;
        QTest::newRow("haze just over tolerance is NG")
            << texts("12.34%", "88.00%", "50.00", "1.00", "2.00") << texts("12.85%", "88.00%", "50.00", "1.00", "2.00")
            << 1 << "0.51%" << "0" << "0" << "Normal" << "0.00" << false;
        QTest::newRow("haze ignored in Lab mode")
            << texts("12.34%", "88.00%", "50.00", "1.00", "2.00") << texts("20.00%", "80.00%", "49.50", "1.00", "2.00")
            << 3 << "7.66%" << "-0.5" << "0" << "Slight black" << "0.50" << true;
        QTest::newRow("L* -1.25 over the threshold in Haze/T/Lab mode")
            << texts("12.34%", "88.00%", "50.00", "1.00", "2.00") << texts("12.34%", "88.00%", "48.75", "1.00", "2.00")
            << 6 << "0%" << "-1.25" << "0" << "Slight black" << "1.25" << false;
        QTest::newRow("hue 359 to 1 is +2, not -358")
            << texts("0.00%", "0.00%", "50.00", "1.00", "2.00", "359.0") << texts("0.00%", "0.00%", "54.50", "1.00", "2.00", "1.0")
            << 4 << "0%" << "4.5" << "2" << "More white" << "4.50" << false;
        QTest::newRow("hue 1 to 359 is -2")
            << texts("0.00%", "0.00%", "50.00", "1.00", "2.00", "1.0") << texts("0.00%", "0.00%", "50.00", "1.00", "2.00", "359.0")
            << 4 << "0%" << "0" << "-2" << "Normal" << "0.00" << true;
        QTest::newRow("hue 0 to 180 is +180, and 180 to 0 too")
            << texts("0.00%", "0.00%", "50.00", "1.00", "2.00", "180.0") << texts("0.00%", "0.00%", "50.00", "1.00", "2.00", "0.0")
            << 4 << "0%" << "0" << "180" << "Normal" << "0.00" << true;
        QTest::newRow("typed standard 50 without decimals")
            << texts("0.00%", "0.00%", "50", "1.00", "2.00") << texts("0.00%", "0.00%", "50.30", "1.00", "2.00")
            << 3 << "0%" << "0.3" << "0" << "Slight white" << "0.30" << true;
    }
    void current()
    {
        QFETCH(Texts, standard);
        QFETCH(Texts, sample);
        QFETCH(int, displayMode);
        const ComparisonOutcome out = compareCurrent(input(standard, sample, displayMode));
        QVERIFY(!out.refused);
        QCOMPARE(out.differenceTexts.size(), int(ComparisonRecord::ValueCount));
        QTEST(out.differenceTexts.at(ComparisonRecord::Haze), "hazeDifference");
        QTEST(out.differenceTexts.at(ComparisonRecord::LabL), "lDifference");
        QTEST(out.differenceTexts.at(ComparisonRecord::LchH), "hueDifference");
        QTEST(out.words[0], "lWord");
        QTEST(out.deltaEText, "deltaE");
        QTEST(out.result.pass, "pass");
        QCOMPARE(out.verdict == Verdict::Pass, out.result.pass);
        QCOMPARE(out.result.standard[ComparisonRecord::LabL], displayedNumber(standard[2]).value());
        QCOMPARE(out.result.settings.hazeTolerance, 0.5);
        QCOMPARE(thresholdCell(out.result), QStringLiteral("1.0"));
    }

    void formulaChoice_data()
    {
        QTest::addColumn<int>("layoutIndex");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("isAb");
        QTest::addColumn<QString>("threshold");
        QTest::newRow("layout 0, code 6: still dE*ab") << 0 << 6 << true << "1.0";
        QTest::newRow("layout 1, code 6: dE00 and the formula's threshold") << 1 << 6 << false << "3.0";
        QTest::newRow("layout 1, code 9: dE*ab") << 1 << 9 << true << "3.0";
    }
    void formulaChoice()
    {
        QFETCH(int, layoutIndex);
        QFETCH(int, code);
        QFETCH(bool, isAb);
        CurrentComparisonInput in = input(texts("0.00%", "0.00%", "50.00", "10.00", "20.00"),
                                          texts("0.00%", "0.00%", "52.00", "12.00", "17.00"), 3);
        in.layoutIndex = layoutIndex;
        in.formulaCode = code;
        in.parameterThreshold = 3.0;
        const ComparisonOutcome out = compareCurrent(in);
        const double ab = std::sqrt(4.0 + 4.0 + 9.0);
        QCOMPARE(qFuzzyCompare(out.result.deltaE, ab), isAb);
        QTEST(thresholdCell(out.result), "threshold");
    }

    void unusableCell_refusedNeverZero_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("inStandard");
        QTest::newRow("dashes of a failed standard") << 2 << "-----" << true;
        QTest::newRow("emptied by the operator") << 3 << "" << true;
        QTest::newRow("typed as text") << 0 << "abc%" << true;
        QTest::newRow("not finite") << 4 << "inf" << true;
        QTest::newRow("sample still dashes") << 1 << "-----" << false;
    }
    void unusableCell_refusedNeverZero()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(bool, inStandard);
        Texts standard = texts("1.00%", "90.00%", "50.00", "1.00", "2.00");
        Texts sample = standard;
        (inStandard ? standard : sample)[static_cast<std::size_t>(index)] = text;
        const ComparisonOutcome out = compareCurrent(input(standard, sample, 6));
        QVERIFY(out.refused);
        QCOMPARE(out.badStandardIndex, inStandard ? index : -1);
        QCOMPARE(out.badSampleIndex, inStandard ? -1 : index);
    }

    void legacy_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("threshold");
        QTest::addColumn<QString>("deltaE");
        QTest::addColumn<bool>("pass");
        QTest::newRow("dE*ab 5.00 over 1.0") << 0 << 1.0 << "5.00" << false;
        QTest::newRow("dE*ab 5.00 within 5.0") << 0 << 5.0 << "5.00" << true;
        QTest::newRow("unknown code gives -1") << 7 << 1.0 << "-1.00" << true;
    }
    void legacy()
    {
        QFETCH(int, code);
        QFETCH(double, threshold);
        LegacyComparisonInput in;
        in.standardTexts = {"50.00", "1.00", "2.00", "2.24", "359.50"};
        in.sampleTexts = {"53.00", "5.00", "2.00", "5.39", "0.50"};
        in.formulaCode = code;
        in.deltaEThreshold = threshold;
        in.formulaText = QStringLiteral("△E*ab");
        const ComparisonOutcome out = compareLegacy(in);
        QVERIFY(!out.refused);
        QCOMPARE(out.differenceTexts, QStringList({"3", "4", "0", "3.15", "1"}));
        QCOMPARE(out.words[0], QStringLiteral("Slight white"));
        QTEST(out.deltaEText, "deltaE");
        QTEST(out.result.pass, "pass");
        QCOMPARE(out.result.legacySample[ComparisonRecord::LegacyA], 5.0);
        QCOMPARE(out.result.settings.formulaText, in.formulaText);
    }
};

QTEST_GUILESS_MAIN(tst_measure_compare)
#include "tst_measure_compare.moc"
