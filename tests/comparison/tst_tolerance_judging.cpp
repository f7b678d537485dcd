// Judging against a library standard's tolerance set: the limit boundaries
// with and without a warning band, informing limits, the LIST syntax, and the
// record's differences and re-judging.

#include "ComparisonJudging.h"
#include "ToleranceSet.h"

#include <QTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(ComparisonRecord)

namespace {

LibraryToleranceSet setOf(const QString& list, double warnPercent = 0.0)
{
    LibraryToleranceSet set;
    set.id = QUuid::createUuid();
    set.version = 1;
    set.limits = parseToleranceLimits(list).limits;
    set.warnPercent = warnPercent;
    return set;
}

ToleranceDifferences differencesWith(ToleranceQuantity quantity, double value)
{
    ToleranceDifferences d;
    d.fill(0.0);
    d[static_cast<int>(quantity)] = value;
    return d;
}

ComparisonRecord labRecord(double l1, double a1, double b1, double l2, double a2, double b2)
{
    ComparisonRecord r;
    r.standard[ComparisonRecord::LabL] = l1;
    r.standard[ComparisonRecord::LabA] = a1;
    r.standard[ComparisonRecord::LabB] = b1;
    r.sample[ComparisonRecord::LabL] = l2;
    r.sample[ComparisonRecord::LabA] = a2;
    r.sample[ComparisonRecord::LabB] = b2;
    return r;
}

ComparisonSettings labSettings()
{
    ComparisonSettings s;
    s.deltaEThreshold = 5.0;
    s.displayMode = DisplayMode::Lab;
    return s;
}

LibraryJudgement judgement(const LibraryToleranceSet& set, qint64 standardVersion = 1)
{
    LibraryJudgement library;
    library.standardId = QUuid::createUuid();
    library.standardName = QStringLiteral("Red 12");
    library.standardVersion = standardVersion;
    library.tolerances = set;
    return library;
}

} // namespace

class tst_tolerance_judging : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One table for every limit kind: a value at 0.899 .. 1.001 of the bound
    // on its side, deciding or informing, without a band and with a 90 % band.
    void boundaries_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<double>("bound");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<double>("warnPercent");
        QTest::addColumn<bool>("pass");
        QTest::addColumn<bool>("warning");

        struct Kind { const char* name; const char* list; double bound; };
        const Kind kinds[] = {
            {"dE00<=1", "dE00<=1.0", 1.0},
            {"dEcmc21<=2", "dEcmc21<=2", 2.0},
            {"dL symmetric", "dL=-0.8..0.8", 0.8},
            {"dL symmetric low", "dL=-0.8..0.8", -0.8},
            {"db asymmetric high", "db=-0.3..0.6", 0.6},
            {"db asymmetric low", "db=-0.3..0.6", -0.3},
            {"haze low", "haze=-0.5..0.5", -0.5},
            {"t high", "t=-1..1", 1.0},
        };
        // fraction; then pass/warning for: deciding no band, deciding 90 %,
        // informing no band, informing 90 %.
        struct Step { double fraction; bool expect[4][2]; };
        const Step steps[] = {
            {0.899, {{true, false}, {true, false}, {true, false}, {true, false}}},
            {0.9, {{true, false}, {true, false}, {true, false}, {true, false}}},
            {0.901, {{true, false}, {true, true}, {true, false}, {true, true}}},
            {1.0, {{true, false}, {true, true}, {true, false}, {true, true}}},
            {1.001, {{false, false}, {false, false}, {true, true}, {true, true}}},
        };
        for (const Kind& kind : kinds) {
            for (const Step& step : steps) {
                for (int variant = 0; variant < 4; ++variant) {
                    const bool informs = variant >= 2;
                    const double band = variant % 2 ? 90.0 : 0.0;
                    const QString list = QLatin1String(kind.list) + (informs ? QStringLiteral(":info") : QString());
                    QTest::addRow("%s %g %s band %g", kind.name, step.fraction, informs ? "info" : "decides", band)
                        << list << kind.bound << step.fraction << band << step.expect[variant][0]
                        << step.expect[variant][1];
                }
            }
        }
    }

    void boundaries()
    {
        QFETCH(QString, list);
        QFETCH(double, bound);
        QFETCH(double, fraction);
        QFETCH(double, warnPercent);
        QFETCH(bool, pass);
        QFETCH(bool, warning);
        const LibraryToleranceSet set = setOf(list, warnPercent);
        QCOMPARE(set.limits.size(), 1);
        const ToleranceQuantity quantity = set.limits.first().quantity;
        const ToleranceOutcome outcome = judgeAgainstSet(set, differencesWith(quantity, bound * fraction));
        QCOMPARE(outcome.pass, pass);
        QCOMPARE(outcome.warning, warning);
        // The limit that decided or warned is named; nothing when neither.
        QCOMPARE(outcome.decidedBy.has_value(), !pass || warning);
        if (outcome.decidedBy) {
            QCOMPARE(*outcome.decidedBy, quantity);
        }
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<double>("warnPercent");
        QTest::addColumn<double>("dE00");
        QTest::addColumn<double>("dL");
        QTest::addColumn<double>("db");
        QTest::addColumn<bool>("pass");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("decidedBy");
        const double nan = std::nan("");
        const QString plant = QStringLiteral("dE00<=1.0,dL=-0.8..0.8,db=-0.3..0.6");
        QTest::newRow("all within") << plant << 0.0 << 0.5 << 0.2 << 0.1 << true << false << QString();
        QTest::newRow("first deciding limit exceeded names it")
            << plant << 0.0 << 1.2 << 0.9 << 0.1 << false << false << QStringLiteral("dE00");
        QTest::newRow("second exceeded") << plant << 0.0 << 0.5 << -0.81 << 0.1 << false << false << QStringLiteral("dL");
        QTest::newRow("yellowing beyond +0.6") << plant << 0.0 << 0.7 << 0.0 << 0.61 << false << false << QStringLiteral("db");
        QTest::newRow("bluer allowed only to -0.3") << plant << 0.0 << 0.5 << 0.0 << -0.31 << false << false << QStringLiteral("db");
        QTest::newRow("NG outranks an earlier warning")
            << plant << 80.0 << 0.85 << 0.9 << 0.1 << false << false << QStringLiteral("dL");
        QTest::newRow("warning names the first in the band")
            << plant << 80.0 << 0.5 << 0.7 << 0.55 << true << true << QStringLiteral("dL");
        QTest::newRow("unknown deciding value is NG") << plant << 0.0 << nan << 0.0 << 0.0 << false << false << QStringLiteral("dE00");
        QTest::newRow("unknown informing value is ignored")
            << QStringLiteral("dE00<=1,db=-0.3..0.6:info") << 0.0 << 0.5 << 0.0 << nan << true << false << QString();
        QTest::newRow("range beside zero: zero is outside")
            << QStringLiteral("db=0.2..0.6") << 0.0 << 0.0 << 0.0 << 0.0 << false << false << QStringLiteral("db");
        QTest::newRow("empty set passes") << QString() << 80.0 << 9.0 << 9.0 << 9.0 << true << false << QString();
    }

    void outcomes()
    {
        QFETCH(QString, list);
        QFETCH(double, warnPercent);
        QFETCH(double, dE00);
        QFETCH(double, dL);
        QFETCH(double, db);
        QFETCH(bool, pass);
        QFETCH(bool, warning);
        QFETCH(QString, decidedBy);
        ToleranceDifferences d;
        d.fill(0.0);
        d[int(ToleranceQuantity::dE00)] = dE00;
        d[int(ToleranceQuantity::dL)] = dL;
        d[int(ToleranceQuantity::db)] = db;
        const ToleranceOutcome outcome = judgeAgainstSet(setOf(list, warnPercent), d);
        QCOMPARE(outcome.pass, pass);
        QCOMPARE(outcome.warning, warning);
        QCOMPARE(outcome.decidedBy ? toleranceQuantityToken(*outcome.decidedBy) : QString(), decidedBy);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted"); // empty: an error naming `bad`
        QTest::addColumn<QString>("bad");
        QTest::newRow("deciding and informing") << QStringLiteral("dE00<=1.0,dL=-0.8..0.8,db=-0.3..0.6:info")
                                         << QStringLiteral("dE00<=1,dL=-0.8..0.8,db=-0.3..0.6:info") << QString();
        QTest::newRow("every quantity, spaces, any case")
            << QStringLiteral(" DEAB<=2 , dEuv<=2,dE94<=1,dEcmc21<=1,dEcmc11<=1,dEcmc141<=1,da=-1..1,dC=-1..2,dH=0.5,"
                              "HAZE=-0.5..0.5,T=-1..1")
            << QStringLiteral("dEab<=2,dEuv<=2,dE94<=1,dEcmc21<=1,dEcmc11<=1,dEcmc141<=1,da=-1..1,dC=-1..2,"
                              "dH=-0.5..0.5,haze=-0.5..0.5,t=-1..1")
            << QString();
        QTest::newRow("empty is no limits") << QString() << QString() << QString();
        QTest::newRow("unknown quantity") << QStringLiteral("dE00<=1,dX=-1..1") << QString() << QStringLiteral("dX=-1..1");
        QTest::newRow("reversed range") << QStringLiteral("db=0.6..-0.3") << QString() << QStringLiteral("db=0.6..-0.3");
        QTest::newRow("negative delta-E") << QStringLiteral("dE00<=-1") << QString() << QStringLiteral("dE00<=-1");
        QTest::newRow("delta-E as a range") << QStringLiteral("dE00=0..1") << QString() << QStringLiteral("dE00=0..1");
        QTest::newRow("range as <=") << QStringLiteral("dL<=1") << QString() << QStringLiteral("dL<=1");
        QTest::newRow("not a number") << QStringLiteral("dE00<=abc") << QString() << QStringLiteral("dE00<=abc");
        QTest::newRow("infinite") << QStringLiteral("dE00<=inf") << QString() << QStringLiteral("dE00<=inf");
        QTest::newRow("half a range") << QStringLiteral("dL=-1..") << QString() << QStringLiteral("dL=-1..");
        QTest::newRow("twice") << QStringLiteral("dL=1,dl=2") << QString() << QStringLiteral("dl=2");
        QTest::newRow("empty item") << QStringLiteral("dL=1,,db=1") << QString() << QStringLiteral("\"\"");
        QTest::newRow("unknown suffix") << QStringLiteral("dL=1:warn") << QString() << QStringLiteral("dL=1:warn");
        QTest::newRow("no operator") << QStringLiteral("dE00") << QString() << QStringLiteral("dE00");
        // Limits on curves: under an illuminant, and on the metamerism index.
        QTest::newRow("under illuminants")
            << QStringLiteral("dE00<=1,dE00@a<=2.0,dEab @ F11<=1.5,dL@D50=0.5,db@F2=-0.3..0.6:info")
            << QStringLiteral("dE00<=1,dE00@A<=2,dEab@F11<=1.5,dL@D50=-0.5..0.5,db@F2=-0.3..0.6:info") << QString();
        QTest::newRow("metamerism indices")
            << QStringLiteral("MI<=0.5,mi00<=0.4,mi00@F11<=0.3,miCMC21<=1:info")
            << QStringLiteral("mi<=0.5,mi00<=0.4,mi00@F11<=0.3,micmc21<=1:info") << QString();
        QTest::newRow("same quantity, other illuminant and index")
            << QStringLiteral("dEab<=1,dEab@A<=1,mi<=1,mi@A<=1")
            << QStringLiteral("dEab<=1,dEab@A<=1,mi<=1,mi@A<=1") << QString();
        QTest::newRow("unknown illuminant") << QStringLiteral("dE00@TL84<=1") << QString() << QStringLiteral("dE00@TL84<=1");
        QTest::newRow("haze under an illuminant") << QStringLiteral("haze@A=1") << QString() << QStringLiteral("haze@A=1");
        QTest::newRow("dEuv under an illuminant") << QStringLiteral("dEuv@A<=1") << QString() << QStringLiteral("dEuv@A<=1");
        QTest::newRow("index as a range") << QStringLiteral("mi00=0..1") << QString() << QStringLiteral("mi00=0..1");
        QTest::newRow("index of dEuv") << QStringLiteral("miuv<=1") << QString() << QStringLiteral("miuv<=1");
        QTest::newRow("twice under one illuminant") << QStringLiteral("dE00@A<=1,de00@a<=2") << QString()
                                                    << QStringLiteral("de00@a<=2");
        QTest::newRow("no illuminant after @") << QStringLiteral("dE00@<=1") << QString() << QStringLiteral("dE00@<=1");
    }

    // A record has no curves: its verdict leaves limits on curves out, and a
    // set with no other limits judges it by the instrument's tolerances.
    void limitsOnCurves_leaveRecordsAlone()
    {
        LibraryToleranceSet set;
        set.limits = parseToleranceLimits(QStringLiteral("dE00@A<=0.1,mi00<=0.1,dEab<=1")).limits;
        QCOMPARE(set.limits.size(), 3);
        ToleranceDifferences differences;
        differences.fill(std::numeric_limits<double>::quiet_NaN());
        differences[int(ToleranceQuantity::dEab)] = 0.5;
        QVERIFY(judgeAgainstSet(set, differences).pass);
        QVERIFY(hasValueLimits(set.limits));
        set.limits.removeLast();
        QVERIFY(!hasValueLimits(set.limits));
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, formatted);
        QFETCH(QString, bad);
        const ToleranceParse parsed = parseToleranceLimits(text);
        if (bad.isEmpty()) {
            QVERIFY2(parsed.ok(), qPrintable(parsed.error));
            QCOMPARE(formatToleranceLimits(parsed.limits), formatted);
            // The text written reads back as the same limits.
            QCOMPARE(parseToleranceLimits(formatted).limits, parsed.limits);
        } else {
            QVERIFY(!parsed.ok());
            QVERIFY(parsed.limits.isEmpty());
            QVERIFY2(parsed.error.contains(bad), qPrintable(parsed.error));
        }
    }

    void warnPercent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // -1: refused
        QTest::newRow("80") << QStringLiteral("80") << 80.0;
        QTest::newRow("0") << QStringLiteral("0") << 0.0;
        QTest::newRow("100 leaves no room") << QStringLiteral("100") << -1.0;
        QTest::newRow("negative") << QStringLiteral("-5") << -1.0;
        QTest::newRow("text") << QStringLiteral("eighty") << -1.0;
    }

    void warnPercent()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        const std::optional<double> parsed = parseWarnPercent(text);
        QCOMPARE(parsed.value_or(-1.0), value);
    }

    // The differences a record gives the set: C* and H* from L*a*b*, H* signed
    // as the hue difference the short way round.
    void differences_data()
    {
        QTest::addColumn<ComparisonRecord>("record");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<double>("expected");
        QTest::newRow("dL") << labRecord(50, 1, 2, 50.7, 1, 2) << int(ToleranceQuantity::dL) << 0.7;
        QTest::newRow("db") << labRecord(50, 1, 2, 50, 1, 1.5) << int(ToleranceQuantity::db) << -0.5;
        QTest::newRow("dC") << labRecord(50, 3, 4, 50, 6, 8) << int(ToleranceQuantity::dC) << 5.0;
        QTest::newRow("dEab") << labRecord(50, 3, 4, 50, 6, 8) << int(ToleranceQuantity::dEab) << 5.0;
        // Same chroma 10, hue 90 degrees on: H* = 2 * 10 * sin(45 degrees).
        QTest::newRow("dH counter-clockwise positive") << labRecord(50, 10, 0, 50, 0, 10) << int(ToleranceQuantity::dH)
                                                       << 2.0 * 10.0 * std::sin(M_PI / 4.0);
        QTest::newRow("dH clockwise negative") << labRecord(50, 10, 0, 50, 0, -10) << int(ToleranceQuantity::dH)
                                               << -2.0 * 10.0 * std::sin(M_PI / 4.0);
        // 359.4 to 0.6 degrees is a small positive step, not -358.8.
        QTest::newRow("dH across zero") << labRecord(50, 10, -0.1, 50, 10, 0.1) << int(ToleranceQuantity::dH)
                                        << 2.0 * std::sqrt(10.0005 * 10.0005) * std::sin(std::atan2(0.1, 10.0));
    }

    void differences()
    {
        QFETCH(ComparisonRecord, record);
        QFETCH(int, quantity);
        QFETCH(double, expected);
        LibraryToleranceSet set;
        set.limits.append({static_cast<ToleranceQuantity>(quantity), -1.0, 1.0, true});
        const ToleranceDifferences d = toleranceDifferences(record, set);
        QVERIFY2(std::abs(d[quantity] - expected) < 1e-3, qPrintable(QString::number(d[quantity])));
    }

    // A record keeps the set it was judged with when judged again; only an
    // explicit re-judge with the current version changes it.
    void rejudging_keepsSetUnlessAsked()
    {
        const ComparisonSettings settings = labSettings();
        ComparisonRecord r = labRecord(50, 0, 0, 50.85, 0, 0);
        judgeRecord(r, settings);
        QVERIFY(r.pass); // the instrument's threshold 5 passes a delta-E of 0.85
        QVERIFY(!r.library.inUse());

        const LibraryToleranceSet v1 = setOf(QStringLiteral("dL=-0.8..0.8"));
        const qint64 before = r.version;
        QVERIFY(judgeRecordWithLibrary(r, settings, judgement(v1)));
        QVERIFY(r.version > before);
        QVERIFY(!r.pass);
        QCOMPARE(r.library.decidedBy, QStringLiteral("dL"));

        ComparisonSettings looser = settings;
        looser.deltaEThreshold = 10.0;
        judgeRecord(r, looser);
        QVERIFY(!r.pass);
        QCOMPARE(r.library.tolerances.version, qint64(1));

        LibraryToleranceSet v2 = setOf(QStringLiteral("dL=-1..1"), 80.0);
        v2.id = v1.id;
        v2.version = 2;
        LibraryJudgement current = r.library;
        current.tolerances = v2;
        current.standardVersion = 2;
        QVERIFY(judgeRecordWithLibrary(r, settings, current));
        QVERIFY(r.pass);
        QVERIFY(r.library.warning);
        QCOMPARE(r.library.decidedBy, QStringLiteral("dL"));
        QCOMPARE(r.library.standardVersion, qint64(2));

        // A library standard without limits yet: the instrument's threshold judges.
        ComparisonSettings strict = settings;
        strict.deltaEThreshold = 0.5;
        QVERIFY(judgeRecordWithLibrary(r, strict, judgement(LibraryToleranceSet())));
        QVERIFY(!r.pass);
        QVERIFY(r.library.decidedBy.isEmpty());

        // Back to the instrument's tolerances.
        QVERIFY(judgeRecordWithLibrary(r, settings, LibraryJudgement()));
        QVERIFY(r.pass);
        QVERIFY(!r.library.warning);
        QVERIFY(r.library.decidedBy.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_tolerance_judging)
#include "tst_tolerance_judging.moc"
