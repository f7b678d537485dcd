// "Take as standard…" of the spectral dialog into the library: the curve
// arrives as the standard's spectrum with its D65/10° L*a*b* and the
// instrument as its origin; a name the library has and the station's
// read-only copy are refused, saying why.

#include "LibrarySpectrumStandards.h"
#include "StandardLibrary.h"

#include <QTemporaryDir>
#include <QTest>

class tst_spectrum_standards : public QObject
{
    Q_OBJECT

    static SpectrumStandards::Offer offer(const QString& name)
    {
        SpectrumStandards::Offer o;
        o.name = name;
        for (std::size_t k = 0; k < o.spectrum.size(); ++k) {
            o.spectrum[k] = 20.0 + 2.0 * double(k);
        }
        o.labD65TenDegree = {61.5, 4.25, 18.0};
        return o;
    }

private slots:
    void offerReachesTheLibrary()
    {
        QTemporaryDir dir;
        StandardLibrary library(dir.filePath(QStringLiteral("s.sqlite")));
        QVERIFY2(library.open(), qPrintable(library.errorText()));
        LibrarySpectrumStandards standards(library, QStringLiteral("CS-310"), QStringLiteral("A1234"));
        QString error;
        QVERIFY(standards.takeAsStandard(offer(QStringLiteral("Beige 7")), nullptr, error));
        QVERIFY(error.isEmpty());

        // Read back from the file, not the cache.
        StandardLibrary again(dir.filePath(QStringLiteral("s.sqlite")));
        QVERIFY(again.open());
        const std::optional<Standard> stored = again.findByName(QStringLiteral("beige 7"));
        QVERIFY(stored);
        QCOMPARE(stored->spectrum.size(), 31);
        QCOMPARE(stored->spectrum.first(), 20.0);
        QCOMPARE(stored->spectrum.last(), 80.0);
        QVERIFY(stored->hasLab());
        QCOMPARE(stored->values[ComparisonRecord::LabL], 61.5);
        QCOMPARE(stored->values[ComparisonRecord::LabB], 18.0);
        QCOMPARE(stored->origin.kind, StandardOrigin::Kind::Measured);
        QCOMPARE(stored->origin.model, QStringLiteral("CS-310"));
        QCOMPARE(stored->origin.serial, QStringLiteral("A1234"));
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("inMessage");
        QTest::newRow("same name") << false << QStringLiteral("Beige 7") << QStringLiteral("Beige 7");
        QTest::newRow("same name, other case") << false << QStringLiteral("BEIGE 7") << QStringLiteral("BEIGE 7");
        QTest::newRow("no name") << false << QStringLiteral("  ") << QStringLiteral("no name");
        QTest::newRow("station copy") << true << QStringLiteral("Grey 2") << QStringLiteral("station");
    }
    void refusals()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, name);
        QFETCH(QString, inMessage);
        QTemporaryDir dir;
        StandardLibrary library(dir.filePath(QStringLiteral("s.sqlite")));
        QVERIFY(library.open());
        LibrarySpectrumStandards standards(library, {}, {});
        QString error;
        QVERIFY(standards.takeAsStandard(offer(QStringLiteral("Beige 7")), nullptr, error));
        library.setReadOnly(readOnly);

        QVERIFY(!standards.takeAsStandard(offer(name), nullptr, error));
        QVERIFY2(error.contains(inMessage, Qt::CaseInsensitive), qPrintable(error));
        QCOMPARE(library.count(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_spectrum_standards)
#include "tst_spectrum_standards.moc"
