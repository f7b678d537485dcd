// Statistics of the work checked against published worked examples: NIST's
// certified univariate data sets, the e-Handbook's percentile, individuals
// chart and capability examples, a textbook's Cpk confidence interval and
// the chi-square and normal tables; then the frozen-limit, runs and n < 2
// rules and the grouping of records by standard.
#include "Capability.h"
#include "ControlChart.h"
#include "Distributions.h"
#include "RunningStatistics.h"
#include "StatisticsTable.h"
#include "WorkStatistics.h"

#include <QTest>

#include <cmath>

using Values = std::vector<double>;
Q_DECLARE_METATYPE(Values)
using Modes = QList<int>;

namespace {

// NIST StRD NumAcc3/NumAcc4: the first value, then 500 pairs around it.
Values numAcc(double centre)
{
    Values v{centre};
    for (int i = 0; i < 500; ++i) {
        v.push_back(centre - 0.1);
        v.push_back(centre + 0.1);
    }
    return v;
}

// NIST e-Handbook, individuals control chart: flow rate of the first 10 batches.
const Values kFlowRate{49.6, 47.6, 49.9, 51.3, 47.8, 51.2, 52.6, 52.4, 53.6, 52.1};

ComparisonRecord colourRecord(double standardL, double sampleA, double deltaE, bool pass)
{
    ComparisonRecord r;
    r.standard.fill(0.0);
    r.sample.fill(0.0);
    r.standard[ComparisonRecord::LabL] = standardL;
    r.sample[ComparisonRecord::LabL] = standardL;
    r.sample[ComparisonRecord::LabA] = sampleA;
    r.deltaE = deltaE;
    r.pass = pass;
    r.settings.deltaEThreshold = 1.0;
    r.settings.displayMode = DisplayMode::Lab;
    return r;
}

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void certifiedMeanAndDeviation_data()
    {
        QTest::addColumn<Values>("values");
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("sd");
        QTest::newRow("NumAcc1") << Values{10000001, 10000003, 10000002} << 10000002.0 << 1.0;
        QTest::newRow("NumAcc3") << numAcc(1000000.2) << 1000000.2 << 0.1;
        QTest::newRow("NumAcc4") << numAcc(10000000.2) << 10000000.2 << 0.1;
    }
    void certifiedMeanAndDeviation()
    {
        QFETCH(Values, values);
        QFETCH(double, mean);
        QFETCH(double, sd);
        RunningStatistics added;
        for (const double x : values) {
            added.add(x);
        }
        RunningStatistics assigned;
        assigned.assign(values);
        for (const RunningStatistics* s : {&added, &assigned}) {
            QCOMPARE(s->count(), static_cast<int>(values.size()));
            QVERIFY(std::fabs(s->mean() - mean) < 1e-6);
            QVERIFY2(std::fabs(s->standardDeviation() - sd) < 1e-6 * sd,
                     qPrintable(QString::number(s->standardDeviation(), 'g', 12)));
        }
    }

    void percentiles_nistResistorExample()
    {
        // Twelve resistor measurements; the e-Handbook's 90th percentile is 95.1981.
        RunningStatistics s;
        for (const double x : {95.1772, 95.1567, 95.1937, 95.1959, 95.1442, 95.0610, 95.1591, 95.1195, 95.1065,
                               95.0925, 95.1990, 95.1682}) {
            s.add(x);
        }
        QVERIFY(std::fabs(s.percentile(0.90) - 95.1981) < 5e-5);
        QVERIFY(std::fabs(s.median() - 95.1579) < 5e-5);
        QCOMPARE(s.percentile(0.95), 95.1990); // rank 12.35 lies past the last value
        QCOMPARE(s.minimum(), 95.0610);
        QCOMPARE(s.maximum(), 95.1990);
    }

    void individualsChart_nistFlowRateExample()
    {
        ControlSeries series;
        for (const double x : kFlowRate) {
            series.add(x);
        }
        const ControlLimits l = series.limits();
        QVERIFY(l.valid);
        QVERIFY(std::fabs(l.centre - 50.81) < 1e-9);
        QVERIFY(std::fabs(l.movingRangeCentre - 1.8778) < 1e-4);
        QVERIFY(std::fabs(l.upper - 55.8041) < 1e-3);
        QVERIFY(std::fabs(l.lower - 45.8159) < 1e-3);
        QVERIFY(std::fabs(l.movingRangeUpper - 6.1347) < 1e-3);
        for (const std::uint8_t m : series.marks(l)) {
            QCOMPARE(m & OutsideLimits, 0);
        }
        RunningStatistics s;
        s.assign(kFlowRate);
        QVERIFY(std::fabs(s.sigmaWithin() - 1.8778 / 1.128) < 1e-4);
    }

    void frozenLimits_judgeLaterRows()
    {
        // The baseline is the ten in-control batches; a drift follows. Limits
        // recomputed from every row widen and hide the drift; frozen ones flag it.
        ControlSeries series;
        for (const double x : kFlowRate) {
            series.add(x);
        }
        for (const double x : {54.0, 55.0, 56.0, 57.0, 58.0}) {
            series.add(x);
        }
        const ControlLimits frozen = series.limits(0, 10);
        QVERIFY(std::fabs(frozen.upper - 55.8041) < 1e-3);
        const std::vector<std::uint8_t> judged = series.marks(frozen);
        QCOMPARE(judged[12] & OutsideLimits, OutsideLimits); // 56.0
        QCOMPARE(judged[14] & OutsideLimits, OutsideLimits); // 58.0
        QCOMPARE(judged[11] & OutsideLimits, 0);             // 55.0
        const std::vector<std::uint8_t> recomputed = series.marks(series.limits());
        QCOMPARE(recomputed[12] & OutsideLimits, 0);
        // A selected range as the baseline: batches 3..7.
        const ControlLimits range = series.limits(2, 5);
        QCOMPARE(range.baselineFirst, 2);
        QCOMPARE(range.baselineCount, 5);
        QVERIFY(std::fabs(range.centre - (49.9 + 51.3 + 47.8 + 51.2 + 52.6) / 5) < 1e-9);
        QVERIFY(std::fabs(range.movingRangeCentre - (1.4 + 3.5 + 3.4 + 1.4) / 4) < 1e-9);
        QVERIFY(!series.limits(14, 5).valid); // one value left: no limits
    }

    void runsRule_data()
    {
        QTest::addColumn<Values>("values");
        QTest::addColumn<QString>("marked"); // 'r' in a run, '.' not
        // Centre 0 and limits +-10 are given, so only the run rule can mark.
        QTest::newRow("seven above") << Values{1, 1, 1, 1, 1, 1, 1, -1} << "........";
        QTest::newRow("eight above") << Values{-1, 1, 2, 1, 2, 1, 2, 1, 2} << ".rrrrrrrr";
        QTest::newRow("eight below") << Values{-1, -2, -1, -2, -1, -2, -1, -2, 3} << "rrrrrrrr.";
        QTest::newRow("centre breaks") << Values{1, 1, 1, 1, 0, 1, 1, 1, 1} << ".........";
        QTest::newRow("ten above") << Values{1, 1, 1, 1, 1, 1, 1, 1, 1, 1} << "rrrrrrrrrr";
    }
    void runsRule()
    {
        QFETCH(Values, values);
        QFETCH(QString, marked);
        ControlSeries series;
        for (const double x : values) {
            series.add(x);
        }
        ControlLimits l;
        l.valid = true;
        l.lower = -10;
        l.upper = 10;
        l.movingRangeUpper = 100;
        QString got;
        for (const std::uint8_t m : series.marks(l)) {
            got += (m & InRun) ? 'r' : '.';
        }
        QCOMPARE(got, marked);
    }

    void capability_publishedExamples_data()
    {
        QTest::addColumn<double>("lsl");
        QTest::addColumn<double>("usl");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("sigma");
        QTest::addColumn<double>("cp");
        QTest::addColumn<double>("cpk");
        // NIST e-Handbook: USL 20, LSL 8, mean 16, s 2.
        QTest::newRow("nist") << 8.0 << 20.0 << 50 << 16.0 << 2.0 << 1.0 << 0.6667;
        // Textbook exercise: USL 100, LSL 90, 30 parts, mean 97, s 1.6.
        QTest::newRow("textbook") << 90.0 << 100.0 << 30 << 97.0 << 1.6 << 1.0417 << 0.625;
        // Upper limit only: Cpk is CPU and Cp has no value.
        QTest::newRow("upper only") << std::nan("") << 20.0 << 50 << 16.0 << 2.0 << std::nan("") << 0.6667;
    }
    void capability_publishedExamples()
    {
        QFETCH(double, lsl);
        QFETCH(double, usl);
        QFETCH(int, n);
        QFETCH(double, mean);
        QFETCH(double, sigma);
        QFETCH(double, cp);
        QFETCH(double, cpk);
        const CapabilityIndices c = capabilityIndices({lsl, usl}, n, mean, sigma, sigma);
        QCOMPARE(std::isnan(c.cp), std::isnan(cp));
        if (!std::isnan(cp)) {
            QVERIFY(std::fabs(c.cp - cp) < 1e-4);
            QVERIFY(std::fabs(c.pp - cp) < 1e-4);
        }
        QVERIFY(std::fabs(c.cpk - cpk) < 1e-4);
        QVERIFY(std::fabs(c.ppk - cpk) < 1e-4);
        QCOMPARE(c.n, n);
    }

    void bissellBound_textbookInterval()
    {
        // The textbook's 95 % two-sided interval of Cpk = 0.625 from 30 parts
        // is 0.4247 .. 0.8253; the one-sided 95 % bound uses z = 1.645.
        QVERIFY(std::fabs(bissellLowerBound(0.625, 30, 1.96) - 0.4247) < 1e-4);
        QVERIFY(std::fabs(bissellLowerBound(0.625, 30) - 0.4569) < 1e-4);
        QVERIFY(std::isnan(bissellLowerBound(0.625, 1)));
    }

    void quantiles_publishedTables_data()
    {
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("degreesOfFreedom"); // 0: standard normal
        QTest::addColumn<double>("quantile");
        QTest::newRow("z 0.975") << 0.975 << 0.0 << 1.95996;
        QTest::newRow("z 0.99865") << 0.99865 << 0.0 << 2.99998;
        QTest::newRow("z 0.05") << 0.05 << 0.0 << -1.64485;
        QTest::newRow("chi2 1 0.999") << 0.999 << 1.0 << 10.828;
        QTest::newRow("chi2 5 0.999") << 0.999 << 5.0 << 20.515;
        QTest::newRow("chi2 10 0.999") << 0.999 << 10.0 << 29.588;
        QTest::newRow("chi2 10 0.99") << 0.99 << 10.0 << 23.209;
        QTest::newRow("chi2 10 0.05") << 0.05 << 10.0 << 3.940;
        QTest::newRow("chi2 100 0.95") << 0.95 << 100.0 << 124.342;
    }
    void quantiles_publishedTables()
    {
        QFETCH(double, p);
        QFETCH(double, degreesOfFreedom);
        QFETCH(double, quantile);
        // A chi-square with k degrees of freedom is a gamma of shape k/2, scale 2.
        const double got = degreesOfFreedom == 0.0 ? normalQuantile(p) : gammaQuantile(p, degreesOfFreedom / 2, 2.0);
        QVERIFY2(std::fabs(got - quantile) < 1e-3, qPrintable(QString::number(got, 'g', 10)));
    }

    void skewedFit_choosesTheLikelierFamily()
    {
        // Values placed at the quantiles (i - 0.5) / n of a known distribution.
        PositiveSums logNormal;
        PositiveSums gamma;
        const int n = 400;
        for (int i = 1; i <= n; ++i) {
            const double p = (i - 0.5) / n;
            logNormal.add(std::exp(-1.0 + 0.8 * normalQuantile(p)));
            gamma.add(gammaQuantile(p, 2.0, 0.3));
        }
        const DistributionFit a = fitSkewed(logNormal);
        QCOMPARE(a.kind, DistributionFit::LogNormal);
        QVERIFY(std::fabs(a.quantile(0.5) - std::exp(-1.0)) < 1e-3);
        const DistributionFit b = fitSkewed(gamma);
        QCOMPARE(b.kind, DistributionFit::Gamma);
        QVERIFY2(std::fabs(b.first - 2.0) < 0.05, qPrintable(QString::number(b.first)));
        QVERIFY(std::fabs(b.first * b.second - 0.6) < 0.01); // the mean
        PositiveSums same;
        same.add(0.5);
        same.add(0.5);
        QCOMPARE(fitSkewed(same).kind, DistributionFit::None);
    }

    void percentileIndex_fromTheFittedDistribution()
    {
        // ΔE spread as a log-normal with median 0.5 and sigma 0.5 of ln ΔE:
        // X50 = 0.5 and X99.865 = 0.5 e^(3 * 0.5) (z = 3.00 in the normal
        // table), so against a threshold of 1.5 the index is
        // (1.5 - 0.5) / (0.5 e^1.5 - 0.5) = 0.5744.
        WorkStatistics work({StatQuantity::DeltaE});
        const int n = 2000;
        for (int i = 1; i <= n; ++i) {
            ComparisonRecord r = colourRecord(50, 0, 0.5 * std::exp(0.5 * normalQuantile((i - 0.5) / n)), true);
            r.settings.deltaEThreshold = 1.5;
            work.add(r);
        }
        const QuantitySummary s = work.overall().summary(StatQuantity::DeltaE);
        QCOMPARE(s.fit.kind, DistributionFit::LogNormal);
        QVERIFY2(std::fabs(s.indices.percentileIndex - 0.5744) < 0.01, qPrintable(QString::number(s.indices.percentileIndex)));
        // A legacy record is judged against its own threshold, not the formula's.
        ComparisonRecord legacy = colourRecord(50, 0, 0.4, true);
        legacy.legacy = true;
        legacy.settings.layoutIndex = 1;
        legacy.settings.deltaEThreshold = 2.0;
        legacy.settings.parameterThreshold = 9.0;
        QCOMPARE(quantityLimits(legacy.settings, StatQuantity::DeltaE, true).upper, 2.0);
        QCOMPARE(quantityLimits(legacy.settings, StatQuantity::DeltaE, false).upper, 9.0);
    }

    void noIndex_belowTwoOrUnknownTolerance_data()
    {
        QTest::addColumn<Values>("deltaE");
        QTest::addColumn<double>("threshold");
        QTest::addColumn<bool>("indices");
        QTest::newRow("none") << Values{} << 1.0 << false;
        QTest::newRow("one") << Values{0.4} << 1.0 << false;
        QTest::newRow("two") << Values{0.4, 0.6} << 1.0 << true;
        QTest::newRow("unknown threshold") << Values{0.4, 0.6, 0.5} << -1.0 << false;
        QTest::newRow("no spread") << Values{0.5, 0.5, 0.5} << 1.0 << false;
        QTest::newRow("unknown formula is no value") << Values{0.4, -1.0} << 1.0 << false;
    }
    void noIndex_belowTwoOrUnknownTolerance()
    {
        QFETCH(Values, deltaE);
        QFETCH(double, threshold);
        QFETCH(bool, indices);
        WorkStatistics work({StatQuantity::DeltaE});
        for (const double e : deltaE) {
            ComparisonRecord r = colourRecord(50, 0, e, e <= threshold);
            r.settings.deltaEThreshold = threshold;
            work.add(r);
        }
        const QuantitySummary s = work.overall().summary(StatQuantity::DeltaE);
        for (const double index : {s.indices.cpk, s.indices.ppk, s.indices.cpkLower, s.indices.ppkLower,
                                   s.indices.percentileIndex}) {
            QCOMPARE(!std::isnan(index), indices);
        }
        QVERIFY(std::isnan(s.indices.cp)); // one-sided: never a Cp
    }

    // The statistics sheet lists the differences of the newest record's
    // display mode, in every mode of either layout.
    void sheet_showsTheDifferencesOfEveryMode_data()
    {
        QTest::addColumn<Modes>("modes"); // of the records, oldest first
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<QString>("differences");
        const QString colour = QStringLiteral("ΔL* Δa* Δb* ΔC* ΔH* ΔE");
        QTest::newRow("current, Haze/T") << Modes{0} << false << QStringLiteral("ΔHaze ΔT");
        QTest::newRow("current, Haze") << Modes{1} << false << QStringLiteral("ΔHaze");
        QTest::newRow("current, T") << Modes{2} << false << QStringLiteral("ΔT");
        QTest::newRow("current, Lab") << Modes{3} << false << colour;
        QTest::newRow("current, LCh") << Modes{4} << false << colour;
        QTest::newRow("current, Yxy") << Modes{5} << false << QStringLiteral("ΔY Δx Δy ΔE");
        QTest::newRow("current, Haze/T/Lab") << Modes{6} << false << QStringLiteral("ΔHaze ΔT ") + colour;
        QTest::newRow("current, none set") << Modes{-1} << false
                                           << QStringLiteral("ΔHaze ΔT ") + colour + QStringLiteral(" ΔY Δx Δy");
        QTest::newRow("current, the newest mode counts") << Modes{0, 5} << false << QStringLiteral("ΔY Δx Δy ΔE");
        QTest::newRow("legacy, Lab") << Modes{3} << true << colour;
        QTest::newRow("legacy, LCh") << Modes{4} << true << colour;
        QTest::newRow("legacy, none set") << Modes{-1} << true << colour;
    }
    void sheet_showsTheDifferencesOfEveryMode()
    {
        QFETCH(Modes, modes);
        QFETCH(bool, legacy);
        QFETCH(QString, differences);
        QList<ComparisonRecord> records;
        for (const int mode : modes) {
            ComparisonRecord r = colourRecord(50, 0.5, 0.5, true);
            r.legacy = legacy;
            r.settings.displayMode = displayModeFromIndex(mode);
            records << r;
        }
        const QList<QStringList> sheet = statisticsSheet(records);
        QStringList shown;
        for (qsizetype row = 1; row < sheet.size(); ++row) { // after the titles; one standard: all rows only
            QCOMPARE(sheet.at(row).at(StatStandard), QStringLiteral("All rows"));
            shown << sheet.at(row).at(StatQuantityColumn);
        }
        QCOMPARE(shown.join(QLatin1Char(' ')), differences);
    }

    void groupsByStandard_addedEqualsRebuilt()
    {
        QList<ComparisonRecord> records;
        const double deltaE[] = {0.2, 0.9, 1.4, 0.3, -1.0, 0.5, 0.7};
        for (int i = 0; i < 7; ++i) {
            records << colourRecord(i % 2 ? 60.0 : 50.0, 0.1 * i, deltaE[i], deltaE[i] <= 1.0 && deltaE[i] >= 0);
        }
        WorkStatistics added(shownQuantities(DisplayMode::Lab, false));
        for (const ComparisonRecord& r : records) {
            added.add(r);
        }
        WorkStatistics rebuilt(shownQuantities(DisplayMode::Lab, false));
        rebuilt.rebuild(records);
        for (const WorkStatistics* w : {&added, &rebuilt}) {
            QCOMPARE(w->groups().size(), size_t(2));
            const StatisticsGroup& even = w->groups()[0];
            QCOMPARE(even.records, 4);
            QCOMPARE(even.passed, 2); // 1.4 and -1 (no formula) fail
            QCOMPARE(w->groups()[1].failed(), 0);
            QCOMPARE(even.rows, (std::vector<int>{0, 2, 4, 6}));
            const QuantitySummary e = even.summary(StatQuantity::DeltaE);
            QCOMPARE(e.n, 3); // -1 is no value
            QVERIFY(std::fabs(e.mean - 2.3 / 3) < 1e-12);
            QVERIFY(std::fabs(e.median - 0.7) < 1e-12);
            const QuantitySummary a = w->overall().summary(StatQuantity::A);
            QCOMPARE(a.n, 7);
            QVERIFY(std::fabs(a.maximum - 0.6) < 1e-12);
            QVERIFY(std::isnan(a.indices.cpk)); // Δa* has no tolerance
            QCOMPARE(w->overall().find(StatQuantity::DeltaE)->rows, (std::vector<int>{0, 1, 2, 3, 5, 6}));
            QCOMPARE(w->groupOfRow(5), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
