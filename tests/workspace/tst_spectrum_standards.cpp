// "Take as standard…" of the spectral dialog into the library: the curve
// arrives as the standard's spectrum with its D65/10° L*a*b* and the
// instrument as origin; a known name and the station's copy are refused.

#include "LibrarySpectrumStandards.h"
#include "StandardLibrary.h"

#include <QTemporaryDir>
#include <QTest>

class tst_spectrum_standards : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static SpectrumStandards::Offer offer(const QString& name)
    {
        SpectrumStandards::Offer o{name, {}, {61.5, 4.25, 18.0}, false};
        for (std::size_t k = 0; k < o.spectrum.size(); ++k) {
            o.spectrum[k] = 20.0 + 2.0 * double(k);
        }
        return o;
    }

private slots:
    void offers_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal"); // empty: taken
        QTest::newRow("new name") << false << QStringLiteral("Grey 2") << QString();
        QTest::newRow("same name, other case") << false << QStringLiteral("BEIGE 7") << QStringLiteral("BEIGE 7");
        QTest::newRow("no name") << false << QStringLiteral("  ") << QStringLiteral("no name");
        QTest::newRow("station copy") << true << QStringLiteral("Grey 2") << QStringLiteral("station");
    }
    void offers()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".sqlite"));
        StandardLibrary library(path);
        QVERIFY(library.open());
        LibrarySpectrumStandards standards(library, QStringLiteral("CS-310"), QStringLiteral("A1234"));
        QString error;
        QVERIFY(standards.takeAsStandard(offer(QStringLiteral("Beige 7")), nullptr, error));
        library.setReadOnly(readOnly);

        QCOMPARE(standards.takeAsStandard(offer(name), nullptr, error), refusal.isEmpty());
        QVERIFY2(error.contains(refusal, Qt::CaseInsensitive), qPrintable(error));
        StandardLibrary again(path); // from the file, not the cache
        QVERIFY(again.open());
        QCOMPARE(again.count(), refusal.isEmpty() ? 2 : 1);
        const std::optional<Standard> stored = again.findByName(refusal.isEmpty() ? name : QStringLiteral("beige 7"));
        QVERIFY(stored);
        QCOMPARE(stored->spectrum.size(), 31);
        QCOMPARE(stored->spectrum.last(), 80.0);
        QCOMPARE(stored->values[ComparisonRecord::LabL], 61.5);
        QCOMPARE(stored->values[ComparisonRecord::LabB], 18.0);
        QCOMPARE(stored->origin.kind, StandardOrigin::Kind::Measured);
        QCOMPARE(stored->origin.serial, QStringLiteral("A1234"));
    }
};

QTEST_GUILESS_MAIN(tst_spectrum_standards)
#include "tst_spectrum_standards.moc"
