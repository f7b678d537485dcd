#include "DeltaE.h"
#include "Judgement.h"

#include <QTranslator>
#include <QtTest>

// The Chinese catalogue compiled beside the test programs. The workspace
// recognises verdicts by exactly these texts when it re-translates a table.
class TestColorTranslation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void verdicts();
    void deviationWords_allTranslated_data();
    void deviationWords_allTranslated();
    void formulaNames_keepTriangle();

private:
    QTranslator translator;
};

void TestColorTranslation::initTestCase()
{
    const QString catalogue = QCoreApplication::applicationDirPath() + "/Tintwell_zh.qm";
    QVERIFY2(translator.load(catalogue), qPrintable(catalogue));
    QVERIFY(QCoreApplication::installTranslator(&translator));
}

void TestColorTranslation::cleanupTestCase()
{
    QCoreApplication::removeTranslator(&translator);
}

void TestColorTranslation::verdicts()
{
    QCOMPARE(verdictText(Verdict::Pass), QString::fromUtf8("合格"));
    QCOMPARE(verdictText(Verdict::Ng), QString::fromUtf8("不合格"));
}

void TestColorTranslation::deviationWords_allTranslated_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<double>("difference");

    const double bands[] = {-5.0, -1.0, 0.0, 1.0, 5.0};
    const char* const axes[] = {"L", "a", "b"};
    for (int axis = 0; axis < 3; ++axis) {
        for (const double d : bands) {
            QTest::addRow("%s %g", axes[axis], d) << axis << d;
        }
    }
}

void TestColorTranslation::deviationWords_allTranslated()
{
    QFETCH(int, axis);
    QFETCH(double, difference);
    const QString word = deviationWord(static_cast<DeviationAxis>(axis), difference);
    QVERIFY(!word.isEmpty());
    // A missing entry would fall back to the English source text.
    for (const QChar c : word) {
        QVERIFY2(c.unicode() > 0x2E80, qPrintable(word));
    }
}

void TestColorTranslation::formulaNames_keepTriangle()
{
    for (int f = 0; f <= int(DeltaEFormula::Cie2000); ++f) {
        const QString text = formulaText(static_cast<DeltaEFormula>(f));
        QVERIFY2(text.startsWith(QChar(0x25B3)), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("E*")), qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(TestColorTranslation)
#include "tst_ColorTranslation.moc"
