#include "Judgement.h"

#include <QtTest>

#include <cmath>
#include <limits>


Q_DECLARE_METATYPE(DisplayMode)

class TestJudgement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deviationWord_data();
    void deviationWord();
    void judgeComparison_data();
    void judgeComparison();
    void judgeLegacy_data();
    void judgeLegacy();
};

void TestJudgement::deviationWord_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<double>("difference");
    QTest::addColumn<QString>("word");

    const int l = int(DeviationAxis::L);
    const int a = int(DeviationAxis::A);
    const int b = int(DeviationAxis::B);
    QTest::newRow("L -4.01") << l << -4.01 << "More black";
    QTest::newRow("L -4.00 is still slight") << l << -4.00 << "Slight black";
    QTest::newRow("L -0.21") << l << -0.21 << "Slight black";
    QTest::newRow("L -0.20 is normal") << l << -0.20 << "Normal";
    QTest::newRow("L 0") << l << 0.0 << "Normal";
    QTest::newRow("L 0.20 is normal") << l << 0.20 << "Normal";
    QTest::newRow("L 0.21") << l << 0.21 << "Slight white";
    QTest::newRow("L 4.00 is still slight") << l << 4.00 << "Slight white";
    QTest::newRow("L 4.01") << l << 4.01 << "More white";
    QTest::newRow("a -5") << a << -5.0 << "More green";
    QTest::newRow("a -1") << a << -1.0 << "Slight green";
    QTest::newRow("a 0.1") << a << 0.1 << "Normal";
    QTest::newRow("a 1") << a << 1.0 << "Slight red";
    QTest::newRow("a 5") << a << 5.0 << "More red";
    QTest::newRow("b -5") << b << -5.0 << "More Blue";
    QTest::newRow("b -1") << b << -1.0 << "Slight blue";
    QTest::newRow("b -0.1") << b << -0.1 << "Normal";
    QTest::newRow("b 1") << b << 1.0 << "Slight yellow";
    QTest::newRow("b 5") << b << 5.0 << "More yellow";
    // Differences of displayed two-decimal values, as the page computes them:
    // 10.30 - 10.10 is 0.2000000000000011 in binary and must read as 0.20.
    QTest::newRow("L 10.30 - 10.10") << l << (10.30 - 10.10) << "Normal";
    QTest::newRow("L 10.10 - 10.30") << l << (10.10 - 10.30) << "Normal";
    QTest::newRow("b 14.11 - 10.10") << b << (14.11 - 10.10) << "More yellow";
}

void TestJudgement::deviationWord()
{
    QFETCH(int, axis);
    QFETCH(double, difference);
    QFETCH(QString, word);
    QCOMPARE(::deviationWord(static_cast<DeviationAxis>(axis), difference), word);
}

void TestJudgement::judgeComparison_data()
{
    QTest::addColumn<DisplayMode>("mode");
    QTest::addColumn<double>("hazeDifference");
    QTest::addColumn<double>("transmittanceDifference");
    QTest::addColumn<double>("deltaE");
    QTest::addColumn<double>("hazeTolerance");
    QTest::addColumn<double>("transmittanceTolerance");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<bool>("pass");

    using F = DisplayMode;
    const auto row = [](const char* name, DisplayMode mode, double dh, double dt, double de,
                        double th, double tt, double te, bool pass) {
        QTest::newRow(name) << mode << dh << dt << de << th << tt << te << pass;
    };

    row("no mode passes anything", DisplayMode::None, 50, 50, 50, 0.5, 0.5, 1.0, true);

    row("haze/T within", F::HazeT, 0.4, -0.4, 99, 0.5, 0.5, 1.0, true);
    row("haze/T haze equal to tolerance", F::HazeT, 0.5, 0.0, 0, 0.5, 0.5, 1.0, true);
    row("haze/T haze over", F::HazeT, 0.51, 0.0, 0, 0.5, 0.5, 1.0, false);
    row("haze/T negative T over", F::HazeT, 0.0, -0.51, 0, 0.5, 0.5, 1.0, false);

    row("haze ignores T", F::Haze, 0.5, 30.0, 99, 0.5, 0.5, 1.0, true);
    row("haze over", F::Haze, 0.51, 0.0, 0, 0.5, 0.5, 1.0, false);
    row("haze negative over", F::Haze, -0.6, 0.0, 0, 0.5, 0.5, 1.0, false);
    row("haze displayed difference equal", F::Haze, 10.30 - 10.10, 0.0, 0, 0.2, 0.5,
        1.0, true);

    row("T ignores haze", F::Transmittance, 30.0, 0.5, 99, 0.5, 0.5, 1.0, true);
    row("T over", F::Transmittance, 0.0, 0.51, 0, 0.5, 0.5, 1.0, false);

    row("Lab equal to threshold", F::Lab, 30.0, 30.0, 1.0, 0.5, 0.5, 1.0, true);
    row("Lab over", F::Lab, 0.0, 0.0, 1.01, 0.5, 0.5, 1.0, false);
    // dL 50.60 - 50.00 and da 10.80 - 10.00 give a delta-E of 1.0000000000000013.
    row("Lab displayed delta-E equal", F::Lab, 0.0, 0.0,
        std::sqrt(std::pow(50.60 - 50.00, 2) + std::pow(10.80 - 10.00, 2)), 0.5, 0.5, 1.0, true);
    row("LCh over", F::LCh, 0.0, 0.0, 1.01, 0.5, 0.5, 1.0, false);
    row("LCh within", F::LCh, 9.0, 9.0, 0.99, 0.5, 0.5, 1.0, true);
    row("Yxy over", F::Yxy, 0.0, 0.0, 1.01, 0.5, 0.5, 1.0, false);
    row("Yxy within", F::Yxy, 9.0, 9.0, 0.99, 0.5, 0.5, 1.0, true);

    row("haze/T/Lab all within", F::HazeTLab, 0.5, 0.5, 1.0, 0.5, 0.5, 1.0, true);
    row("haze/T/Lab haze over", F::HazeTLab, 0.51, 0.0, 0, 0.5, 0.5, 1.0, false);
    row("haze/T/Lab T over", F::HazeTLab, 0.0, 0.51, 0, 0.5, 0.5, 1.0, false);
    row("haze/T/Lab dE over", F::HazeTLab, 0.0, 0.0, 1.01, 0.5, 0.5, 1.0, false);

    // A looked-at difference that is unknown (NaN) was not compared: NG; one
    // the mode ignores does not matter.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    row("haze unknown", F::Haze, nan, 0.0, 0, 0.5, 0.5, 1.0, false);
    row("haze/T T unknown", F::HazeT, 0.0, nan, 0, 0.5, 0.5, 1.0, false);
    row("Lab delta-E unknown", F::Lab, 0.0, 0.0, nan, 0.5, 0.5, 1.0, false);
    row("haze/T/Lab delta-E unknown", F::HazeTLab, 0.0, 0.0, nan, 0.5, 0.5, 1.0, false);
    row("Lab ignores unknown haze and T", F::Lab, nan, nan, 0.5, 0.5, 0.5, 1.0, true);
    row("haze/T ignores unknown delta-E", F::HazeT, 0.0, 0.0, nan, 0.5, 0.5, 1.0, true);

    // Tolerances not read yet stay at -1: every comparison fails.
    const char* const unreadNames[] = {"unread haze/T", "unread haze", "unread T",
                                       "unread Lab",    "unread LCh",  "unread Yxy",
                                       "unread haze/T/Lab"};
    for (int mode = 0; mode <= 6; ++mode) {
        row(unreadNames[mode], displayModeFromIndex(mode), 0.0, 0.0, 0.0, -1.0, -1.0, -1.0, false);
    }
}

void TestJudgement::judgeComparison()
{
    QFETCH(DisplayMode, mode);
    QFETCH(double, hazeDifference);
    QFETCH(double, transmittanceDifference);
    QFETCH(double, deltaE);
    QFETCH(double, hazeTolerance);
    QFETCH(double, transmittanceTolerance);
    QFETCH(double, threshold);
    QFETCH(bool, pass);
    const Verdict v = ::judgeComparison(mode, hazeDifference, transmittanceDifference, deltaE,
                                        {hazeTolerance, transmittanceTolerance, threshold});
    QCOMPARE(v == Verdict::Pass, pass);
}

void TestJudgement::judgeLegacy_data()
{
    QTest::addColumn<double>("deltaE");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<bool>("pass");

    QTest::newRow("below") << 1.99 << 2.0 << true;
    QTest::newRow("equal passes") << 2.0 << 2.0 << true;
    QTest::newRow("over") << 2.01 << 2.0 << false;
    QTest::newRow("unknown formula, threshold set") << -1.0 << 2.0 << true;
    QTest::newRow("unknown formula, unread threshold") << -1.0 << -1.0 << true;
    QTest::newRow("unknown formula, threshold below -1") << -1.0 << -1.5 << false;
    QTest::newRow("measured, unread threshold") << 0.0 << -1.0 << false;
    QTest::newRow("unknown delta-E") << std::numeric_limits<double>::quiet_NaN() << 2.0 << false;
}

void TestJudgement::judgeLegacy()
{
    QFETCH(double, deltaE);
    QFETCH(double, threshold);
    QFETCH(bool, pass);
    QCOMPARE(::judgeLegacy(deltaE, threshold) == Verdict::Pass, pass);
}

QTEST_GUILESS_MAIN(TestJudgement)
#include "tst_Judgement.moc"
