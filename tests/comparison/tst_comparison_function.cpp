// The comparison as a function of numbers: rounding as the display shows
// values, differences with the hue the short way round, the formula choice,
// verdicts, and values that keep a comparison from being made.
#include "Colorimetry.h"
#include "Comparison.h"
#include "ComparisonColumns.h"
#include "ComparisonFormula.h"
#include "Judgement.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

using R = ComparisonRecord;

// Haze, T, L*, a*, b*, L*, C*, h, Y, x, y
R::Values values(double haze, double t, double l, double a, double b, double hue = 10.0)
{
    return {haze, t, l, a, b, l, 2.0, hue, 18.4, 0.3123, 0.33};
}

ComparisonSettings settingsFor(int displayMode)
{
    ComparisonSettings s;
    s.hazeTolerance = 0.5;
    s.transmittanceTolerance = 1.0;
    s.deltaEThreshold = 1.0;
    s.displayMode = displayModeFromIndex(displayMode);
    return s;
}

QString thresholdCell(const ComparisonRecord& record)
{
    return ComparisonColumns::cellText(ComparisonColumns::Layout::Current, record, 33);
}

} // namespace

class tst_comparison_function : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Which formula a comparison uses, by its table and variant.
    void comparisonFormula_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<int>("layoutIndex");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("formula"); // -1: none
        QTest::addColumn<double>("expected");
        // Standard {50, 2.5, 0}, sample {58, 24, 15}.
        const double ab = 27.4089401473;
        const double cmc14 = 33.5444401394;
        const double de00 = 19.4535179442;
        QTest::newRow("haze layout ignores code") << false << 0 << 6 << int(DeltaEFormula::CieAb) << ab;
        QTest::newRow("layout 2 ignores code") << false << 2 << 5 << int(DeltaEFormula::CieAb) << ab;
        QTest::newRow("layout 3 ignores code") << false << 3 << 3 << int(DeltaEFormula::CieAb) << ab;
        QTest::newRow("colorimeter layout, code 6") << false << 1 << 6 << int(DeltaEFormula::Cie2000) << de00;
        QTest::newRow("colorimeter layout, code 5") << false << 1 << 5 << int(DeltaEFormula::Cmc14To1) << cmc14;
        QTest::newRow("colorimeter layout, code 7 keeps ab") << false << 1 << 7 << int(DeltaEFormula::CieAb) << ab;
        QTest::newRow("legacy, code 5") << true << 0 << 5 << int(DeltaEFormula::Cie2000) << de00;
        QTest::newRow("legacy, code 6") << true << 0 << 6 << int(DeltaEFormula::Cmc14To1) << cmc14;
        QTest::newRow("legacy, code 7 gives -1") << true << 0 << 7 << -1 << -1.0;
        QTest::newRow("legacy, code 255 gives -1") << true << 1 << 255 << -1 << -1.0;
    }
    void comparisonFormula()
    {
        QFETCH(bool, legacy);
        QFETCH(int, layoutIndex);
        QFETCH(int, code);
        QFETCH(int, formula);
        QFETCH(double, expected);
        const std::optional<DeltaEFormula> got = ::comparisonFormula(legacy, layoutIndex, code);
        QCOMPARE(got ? int(*got) : -1, formula);
        const double value = comparisonDeltaE(legacy, layoutIndex, code, {50, 2.5, 0}, {58, 24, 15});
        QVERIFY2(std::abs(value - expected) < 1e-8, qPrintable(QString::number(value, 'g', 12)));
    }

    // The rounding a comparison is made of is the display's: the same digits
    // as the shown text, without making the text.
    void roundedTo_matchesTheShownText()
    {
        QRandomGenerator random(20261209);
        QList<double> cases{0.125, -0.125, 2.675, -2.675, 1.005, 0.0049, -0.0049, 359.95, 12.345, 0.31235, 99.995};
        for (int i = 0; i < 20000; ++i) {
            cases << (random.generateDouble() - 0.5) * 400.0;
        }
        for (double value : cases) {
            for (int decimals : {1, 2, 4}) {
                // The number the shown text stands for (a value just below 0 shows "-0.00", which is 0).
                const QString shown = QString::number(value, 'f', decimals);
                QCOMPARE(roundedTo(value, decimals), shown.toDouble());
            }
        }
        QVERIFY(std::isnan(roundedTo(R::kUnknown, 2)));
    }

    void current_data()
    {
        QTest::addColumn<R::Values>("standard");
        QTest::addColumn<R::Values>("sample");
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<double>("hazeDifference");
        QTest::addColumn<double>("lDifference");
        QTest::addColumn<double>("hueDifference");
        QTest::addColumn<QString>("deltaE");
        QTest::addColumn<bool>("pass");
        QTest::newRow("haze 0.5 within tolerance")
            << values(12.34, 88, 50, 1, 2) << values(12.84, 88.5, 50, 1, 2) << 0 << 0.5 << 0.0 << 0.0 << "0.00" << true;
        QTest::newRow("haze just over tolerance is NG")
            << values(12.34, 88, 50, 1, 2) << values(12.85, 88, 50, 1, 2) << 1 << 0.51 << 0.0 << 0.0 << "0.00" << false;
        QTest::newRow("haze ignored in Lab mode")
            << values(12.34, 88, 50, 1, 2) << values(20, 80, 49.5, 1, 2) << 3 << 7.66 << -0.5 << 0.0 << "0.50" << true;
        QTest::newRow("L* -1.25 over the threshold in Haze/T/Lab mode")
            << values(12.34, 88, 50, 1, 2) << values(12.34, 88, 48.75, 1, 2) << 6 << 0.0 << -1.25 << 0.0 << "1.25"
            << false;
        QTest::newRow("hue 359 to 1 is +2, not -358")
            << values(0, 0, 50, 1, 2, 359) << values(0, 0, 54.5, 1, 2, 1) << 4 << 0.0 << 4.5 << 2.0 << "4.50" << false;
        QTest::newRow("hue 1 to 359 is -2")
            << values(0, 0, 50, 1, 2, 1) << values(0, 0, 50, 1, 2, 359) << 4 << 0.0 << 0.0 << -2.0 << "0.00" << true;
        QTest::newRow("hue 0 to 180 is +180, and 180 to 0 too")
            << values(0, 0, 50, 1, 2, 180) << values(0, 0, 50, 1, 2, 0) << 4 << 0.0 << 0.0 << 180.0 << "0.00" << true;
        // Rounded as shown before the difference: 50.004 shows 50.00, 50.296 shows 50.30.
        QTest::newRow("values rounded as the display shows them")
            << values(0, 0, 50.004, 1, 2) << values(0, 0, 50.296, 1, 2) << 3 << 0.0 << 0.3 << 0.0 << "0.30" << true;
    }
    void current()
    {
        QFETCH(R::Values, standard);
        QFETCH(R::Values, sample);
        QFETCH(int, displayMode);
        const ComparisonRecord r = compareValues(standard, sample, settingsFor(displayMode));
        const R::Values d = valueDifferences(r);
        QCOMPARE(r.hazeDifference, d[R::Haze]);
        QFETCH(double, hazeDifference);
        QFETCH(double, lDifference);
        QFETCH(double, hueDifference);
        QVERIFY2(qAbs(d[R::Haze] - hazeDifference) < 1e-9, qPrintable(QString::number(d[R::Haze])));
        QVERIFY2(qAbs(d[R::LabL] - lDifference) < 1e-9, qPrintable(QString::number(d[R::LabL])));
        QVERIFY2(qAbs(d[R::LchH] - hueDifference) < 1e-9, qPrintable(QString::number(d[R::LchH])));
        QTEST(formatDeltaE(r.deltaE), "deltaE");
        QTEST(r.pass, "pass");
        QCOMPARE(r.settings.hazeTolerance, 0.5);
        QCOMPARE(thresholdCell(r), QStringLiteral("1.0"));
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
        ComparisonSettings settings = settingsFor(3);
        settings.layoutIndex = layoutIndex;
        settings.formulaCode = code;
        settings.parameterThreshold = 3.0;
        const ComparisonRecord r = compareValues(values(0, 0, 50, 10, 20), values(0, 0, 52, 12, 17), settings);
        QCOMPARE(qFuzzyCompare(r.deltaE, std::sqrt(4.0 + 4.0 + 9.0)), isAb);
        QTEST(thresholdCell(r), "threshold");
    }

    // What was not measured (or the operator left unreadable) is never compared as 0.
    void unusableValue_refusedNeverZero_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<int>("refusedAt");
        QTest::newRow("L* unknown in Haze/T/Lab") << int(R::LabL) << 6 << int(R::LabL);
        QTest::newRow("haze unknown in Haze/T") << int(R::Haze) << 0 << int(R::Haze);
        QTest::newRow("haze unknown in Lab: judged by delta-E alone") << int(R::Haze) << 3 << -1;
        QTest::newRow("T unknown in Yxy") << int(R::Transmittance) << 5 << -1;
        QTest::newRow("x unknown in Lab") << int(R::X) << 3 << int(R::X);
    }
    void unusableValue_refusedNeverZero()
    {
        QFETCH(int, index);
        QFETCH(int, displayMode);
        R::Values standard = values(1, 90, 50, 1, 2);
        standard[std::size_t(index)] = R::kUnknown;
        QTEST(unusableValue(standard, displayModeFromIndex(displayMode)), "refusedAt");
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
        ComparisonSettings settings;
        settings.formulaCode = code;
        settings.deltaEThreshold = threshold;
        settings.formulaText = QStringLiteral("△E*ab");
        const ComparisonRecord r = compareLegacyValues({50, 1, 2, 2.236, 359.5}, {53, 5, 2, 5.389, 0.5}, settings);
        const R::LegacyValues d = legacyValueDifferences(r);
        QStringList shown;
        for (double v : d) {
            shown << formatDifference(v);
        }
        QCOMPARE(shown, QStringList({"3", "4", "0", "3.15", "1"}));
        QTEST(formatDeltaE(r.deltaE), "deltaE");
        QTEST(r.pass, "pass");
        QVERIFY(r.legacy);
        QCOMPARE(r.legacyStandard[R::LegacyC], 2.24); // rounded as the display shows it
        QCOMPARE(r.settings.formulaText, settings.formulaText);
    }
};

QTEST_GUILESS_MAIN(tst_comparison_function)
#include "tst_comparison_function.moc"
