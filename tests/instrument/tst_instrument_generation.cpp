// Which instruments are first-generation colorimeters, served by the legacy layout.
#include "InstrumentGeneration.h"

#include <QtTest>

class TestInstrumentGeneration : public QObject
{
    Q_OBJECT
private slots:
    void isFirstGeneration_data();
    void isFirstGeneration();
};

void TestInstrumentGeneration::isFirstGeneration_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("firstGeneration");

    QTest::newRow("TX420 2.99") << "TX420" << 299 << true;
    QTest::newRow("TX420 3.00") << "TX420" << 300 << false;
    QTest::newRow("TX450 2.99") << "TX450" << 299 << true;
    QTest::newRow("TX450 3.00") << "TX450" << 300 << false;
    QTest::newRow("TX430 3.99") << "TX430" << 399 << true;
    QTest::newRow("TX430 4.00") << "TX430" << 400 << false;
    QTest::newRow("TX460 3.99") << "TX460" << 399 << true;
    QTest::newRow("TX460 4.00") << "TX460" << 400 << false;
    QTest::newRow("TX310 old software") << "TX310" << 100 << false;
    QTest::newRow("TX470 old software") << "TX470" << 100 << false;
    QTest::newRow("no model yet") << "" << 0 << false;
}

void TestInstrumentGeneration::isFirstGeneration()
{
    QFETCH(QString, model);
    QFETCH(int, version);
    QFETCH(bool, firstGeneration);
    QCOMPARE(isFirstGenerationColorimeter(model, version), firstGeneration);
}

QTEST_GUILESS_MAIN(TestInstrumentGeneration)
#include "tst_instrument_generation.moc"
