// The colour of the spectral dialog's curves and the comparison of a
// standard with a sample, without a window.
#include "ColorSpaces.h"
#include "Metamers.h"
#include "SpectralColourModel.h"
#include "SpectralColourTables.h"
#include "TristimulusWeights.h"

#include <QTest>

#include <cmath>

using namespace colorimetry;

Q_DECLARE_METATYPE(Illuminant)
Q_DECLARE_METATYPE(Observer)
Q_DECLARE_METATYPE(DeltaEFormula)

namespace {

Curve flat(double value)
{
    Curve curve;
    curve.fill(value);
    return curve;
}

// A sample with the standard's XYZ under D65 and the observer but another curve.
Curve metamerOf(const Curve& standard, Observer observer)
{
    Curve wave;
    for (int k = 0; k < kBandCount; ++k) {
        wave[size_t(k)] = 8.0 * std::sin(k * 0.6);
    }
    return ::metamerOf(standard, TristimulusWeights::standard(Illuminant::D65, observer), wave);
}

Curve edge()
{
    Curve curve;
    for (int k = 0; k < kBandCount; ++k) {
        curve[size_t(k)] = 20.0 + 60.0 / (1.0 + std::exp(-(k - 15.0) / 2.0));
    }
    return curve;
}

} // namespace

class SpectralColourTest : public QObject
{
    Q_OBJECT

private slots:
    void white_isL100UnderEveryIlluminant_data()
    {
        QTest::addColumn<Illuminant>("illuminant");
        QTest::addColumn<Observer>("observer");
        for (const Illuminant illuminant : kAllIlluminants) {
            for (const Observer observer : kAllObservers) {
                QTest::addRow("%s %s", qPrintable(illuminantName(illuminant)), qPrintable(observerName(observer)))
                    << illuminant << observer;
            }
        }
    }
    void white_isL100UnderEveryIlluminant()
    {
        QFETCH(Illuminant, illuminant);
        QFETCH(Observer, observer);
        SpectralColourModel model;
        model.appendCurve(flat(100), QStringLiteral("white"));
        model.appendCurve(edge(), QStringLiteral("edge"));
        model.setObserver(observer);
        model.setIlluminant(illuminant);
        const LabColor lab = model.colour(0).lab;
        QVERIFY2(std::abs(lab.l - 100.0) < 1e-9 && std::abs(lab.a) < 1e-9 && std::abs(lab.b) < 1e-9,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(lab.l).arg(lab.a).arg(lab.b)));
        // The other curve follows the change: its colour is the engine's under that light.
        const TristimulusWeights& w = TristimulusWeights::standard(illuminant, observer);
        const LabColor expected = labFromXyz(w.xyz(edge()), w.white());
        QCOMPARE(model.colour(1).lab.b, expected.b);
        QCOMPARE(model.colour(1).lab.l, expected.l);
    }

    void illuminantChange_recomputesColoursAndIndices()
    {
        SpectralColourModel model;
        model.appendCurve(edge(), QStringLiteral("edge"));
        const LabColor underD65 = model.colour(0).lab;
        const double whiteness = model.colour(0).whiteness->whiteness;
        model.setIlluminant(Illuminant::A);
        QVERIFY(std::abs(model.colour(0).lab.a - underD65.a) > 1.0);
        // Whiteness is defined under D65 only, and E313 has no A: D65 is kept.
        QCOMPARE(model.colour(0).whiteness->whiteness, whiteness);
        QCOMPARE(model.yellownessIlluminant(), Illuminant::D65);
        model.setIlluminant(Illuminant::C);
        QCOMPARE(model.yellownessIlluminant(), Illuminant::C);
        QCOMPARE(model.colour(0).yellowness->yellowness,
                 yellownessE313(edge(), Illuminant::C, model.observer())->yellowness);
        model.setCurveValues(CurveValues::Yxy);
        QCOMPARE(model.values(0)[0], model.colour(0).xyz.y);

        // The luminous transmittance (Y under C, 2°) stays whatever the
        // illuminant and observer chosen: 50 for a flat 50 % curve.
        model.appendCurve(flat(50), QStringLiteral("grey"));
        model.setObserver(Observer::Cie1964TenDegree);
        CurveColourTable table(model);
        QCOMPARE(table.index(1, CurveColourTable::LuminousY).data().toString(), QStringLiteral("50.00"));
        QCOMPARE(table.index(0, CurveColourTable::LuminousY).data().toDouble(),
                 std::round(TristimulusWeights::standard(Illuminant::C, Observer::Cie1931TwoDegree).xyz(edge()).y * 100) / 100);
    }

    void curveWithItself_hasNoDifference_data()
    {
        QTest::addColumn<DeltaEFormula>("formula");
        for (const DeltaEFormula formula : comparisonFormulas()) {
            QTest::addRow("%s", qPrintable(formulaText(formula))) << formula;
        }
    }
    void curveWithItself_hasNoDifference()
    {
        QFETCH(DeltaEFormula, formula);
        SpectralColourModel model;
        model.appendCurve(edge(), QStringLiteral("edge"));
        model.setFormula(formula);
        model.setLimit(0.0);
        model.setStandard(0);
        model.setSample(0);
        QCOMPARE(model.comparison().size(), size_t(3)); // D65, A, F11
        for (const IlluminantDifference& d : model.comparison()) {
            for (const double v : {d.dL, d.da, d.db, d.dC, d.dH, d.deltaEab, d.deltaE, d.metamerism}) {
                QCOMPARE(v, 0.0);
            }
            QVERIFY(d.pass);
        }
        QVERIFY(model.comparisonPassed());
    }

    void metamericPair_matchesUnderD65_failsUnderA_data()
    {
        QTest::addColumn<Observer>("observer");
        for (const Observer observer : kAllObservers) {
            QTest::addRow("%s", qPrintable(observerName(observer))) << observer;
        }
    }
    void metamericPair_matchesUnderD65_failsUnderA()
    {
        QFETCH(Observer, observer);
        const Curve standard = edge();
        SpectralColourModel model;
        model.appendCurve(standard, QStringLiteral("standard"));
        model.appendCurve(metamerOf(standard, observer), QStringLiteral("sample"));
        model.setObserver(observer);
        model.setLimit(0.2);
        model.setTestIlluminants({Illuminant::F11, Illuminant::A, Illuminant::D65});
        model.setStandard(0);
        model.setSample(1);

        const auto& rows = model.comparison();
        QCOMPARE(rows.size(), size_t(3)); // the reference is not repeated; A before F11
        QCOMPARE(rows[0].illuminant, Illuminant::D65);
        QVERIFY(rows[0].reference);
        QVERIFY(rows[0].deltaEab < 1e-6);
        QVERIFY(rows[0].pass);
        QCOMPARE(rows[1].illuminant, Illuminant::A);
        QVERIFY2(rows[1].metamerism > 0.2, qPrintable(QString::number(rows[1].metamerism)));
        QVERIFY(!rows[1].pass);
        QCOMPARE(rows[2].illuminant, Illuminant::F11);
        QVERIFY(!model.comparisonPassed());
        // With D65 matched, the correction takes nothing off: the index is the
        // pair's own difference under A, in the chosen formula.
        QVERIFY(std::abs(rows[1].metamerism - rows[1].deltaE) < 1e-6);
        // Lightness, chroma and hue differences add up to delta-E*ab.
        const double sum = rows[1].dL * rows[1].dL + rows[1].dC * rows[1].dC + rows[1].dH * rows[1].dH;
        QVERIFY(std::abs(std::sqrt(sum) - rows[1].deltaEab) < 1e-9);

        model.setLimit(50.0);
        QVERIFY(model.comparisonPassed());
    }

    // A library standard's limits on curves judge the rows they name; the
    // others keep the dialog's limit (50 here: every row passes by it). In
    // the lists {A/2} is half the pair's delta-E00 under A, {A*2} twice it,
    // {F/2} half that under F11. A row: "own" (the dialog's limit, passed), or "pass",
    // "fail TOKEN", "warn TOKEN" by the set.
    void setLimits_judgeEachIlluminant_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("rows"); // D65|A|F11
        QTest::newRow("only limits on values") << QStringLiteral("dE00<=0.0001,dL=0") << QStringLiteral("own|own|own");
        QTest::newRow("an unchecked illuminant") << QStringLiteral("dE00@D50<=0.0001") << QStringLiteral("own|own|own");
        QTest::newRow("under A within, under F11 beyond")
            << QStringLiteral("dE00@A<={A*2},dE00@F11<={F/2}") << QStringLiteral("own|pass|fail dE00@F11");
        QTest::newRow("reference matched") << QStringLiteral("dEab@D65<=0.001") << QStringLiteral("pass|own|own");
        QTest::newRow("first deciding limit in set order")
            << QStringLiteral("dEab@A<=0.0001,dE00@A<=0.0001") << QStringLiteral("own|fail dEab@A|own");
        QTest::newRow("index under every test illuminant") << QStringLiteral("mi<=0.0001") << QStringLiteral("own|fail mi|fail mi");
        QTest::newRow("index under A only") << QStringLiteral("mi00@A<={A/2}") << QStringLiteral("own|fail mi00@A|own");
        QTest::newRow("index within") << QStringLiteral("mi00<=1000") << QStringLiteral("own|pass|pass");
        QTest::newRow("informing limit warns") << QStringLiteral("dE00@A<={A/2}:info") << QStringLiteral("own|warn dE00@A|own");
    }
    void setLimits_judgeEachIlluminant()
    {
        QFETCH(QString, list);
        QFETCH(QString, rows);
        const Curve standard = edge();
        SpectralColourModel model;
        model.appendCurve(standard, QStringLiteral("standard"));
        model.appendCurve(metamerOf(standard, Observer::Cie1964TenDegree), QStringLiteral("sample"));
        model.setFormula(DeltaEFormula::Cie2000);
        model.setLimit(50.0);
        model.setTestIlluminants({Illuminant::A, Illuminant::F11});
        model.setStandard(0);
        model.setSample(1);
        QCOMPARE(model.comparison().size(), size_t(3));
        const double underA = model.comparison()[1].deltaE;
        const double underF11 = model.comparison()[2].deltaE;
        QVERIFY(underA > 0.2 && underF11 > 0.2);

        list.replace(QLatin1String("{A/2}"), QString::number(underA / 2, 'g', 12))
            .replace(QLatin1String("{A*2}"), QString::number(underA * 2, 'g', 12))
            .replace(QLatin1String("{F/2}"), QString::number(underF11 / 2, 'g', 12));
        const ToleranceParse parsed = parseToleranceLimits(list);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        model.setSetLimits(parsed.limits);
        QStringList got;
        for (const IlluminantDifference& d : model.comparison()) {
            QVERIFY(d.pass || d.bySet);
            got << (!d.bySet ? QStringLiteral("own")
                    : !d.pass ? QStringLiteral("fail ") + d.decidedBy
                    : d.warning ? QStringLiteral("warn ") + d.decidedBy
                                : QStringLiteral("pass") + d.decidedBy);
        }
        QCOMPARE(got.join(QLatin1Char('|')), rows);
        QCOMPARE(model.comparisonPassed(), !rows.contains(QLatin1String("fail")));
    }

    void removedCurve_comparisonFollowsItsCurves()
    {
        SpectralColourModel model;
        for (const double level : {30.0, 40.0, 50.0}) {
            model.appendCurve(flat(level), QString::number(level));
        }
        model.setStandard(1);
        model.setSample(2);
        model.removeCurve(0);
        QCOMPARE(model.standard(), 0);
        QCOMPARE(model.sample(), 1);
        QCOMPARE(model.comparison()[0].standard.l, labFromXyz(curveXyz(flat(40), Illuminant::D65, model.observer()),
                                                              TristimulusWeights::standard(Illuminant::D65,
                                                                                           model.observer()).white()).l);
        model.removeCurve(0); // the standard itself
        QCOMPARE(model.standard(), -1);
        QCOMPARE(model.sample(), 0);
        QVERIFY(model.comparison().empty());
        QVERIFY(!model.comparisonPassed());
    }
};

QTEST_GUILESS_MAIN(SpectralColourTest)
#include "tst_spectral_colour.moc"
