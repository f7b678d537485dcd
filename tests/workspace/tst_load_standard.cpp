// A standard loaded from a CGATS or CxF3 file on the workspace page over the
// emulated instrument: the next sample is judged against it, in both layouts;
// a file without a usable standard is refused with the reader's reason and
// leaves the standard shown before.
#include "CgatsFormat.h"
#include "ComparisonRecordList.h"
#include "CxfFormat.h"
#include "PageFixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>

#include <cmath>

namespace {

formats::ExchangeSample labSample(const QString& id, formats::SampleKind kind, double l, double a, double b)
{
    formats::ExchangeSample s;
    s.id = id;
    s.name = id;
    s.kind = kind;
    s.hasLab = true;
    s.l = l;
    s.a = a;
    s.b = b;
    return s;
}

// A CxF3 document with a target before the standard; CGATS has no kinds, so
// its first sample is the standard.
formats::ExchangeDocument document(bool targetFirst)
{
    formats::ExchangeDocument d;
    d.description = QStringLiteral("standards");
    d.created = QDateTime(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC);
    const formats::ExchangeSample standard = labSample("S1", formats::SampleKind::Standard, 50.0, 10.0, -20.0);
    const formats::ExchangeSample target = labSample("T1", formats::SampleKind::Target, 70.0, 0.0, 0.0);
    d.samples = targetFirst ? QList<formats::ExchangeSample>{target, standard}
                            : QList<formats::ExchangeSample>{standard};
    return d;
}

} // namespace

class tst_load_standard : public QObject, public PageFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void connectTo(bool legacy)
    {
        legacy ? plug(QStringLiteral("TX450"), 200) : plug(QStringLiteral("TX310"), 312);
        instrument().setDisplayMode(3); // L*a*b*: judged by delta-E
        QVERIFY(m_page->identifyDevice());
        m_page->state().deltaEThreshold = 1.0;
    }
    QPushButton* loadButton(bool legacy) { return legacy ? ui().loadstdBtn : ui().pushButton_loadStandard; }
    QPushButton* sampleButton(bool legacy) { return legacy ? ui().samplemeasurementBtn : ui().pushButton_sampleMeasurement; }
    QString path(const QString& name) { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void init() { setUpPage(); }
    void cleanup() { tearDownPage(); }

    void fileStandard_judgesTheNextSample_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<bool>("cxf");
        QTest::addColumn<double>("sampleL");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("ti3, current, close") << false << false << 50.3 << "PASS";
        QTest::newRow("ti3, current, far") << false << false << 54.0 << "NG";
        QTest::newRow("cxf, current, standard after a target") << false << true << 50.3 << "PASS";
        QTest::newRow("ti3, legacy, far") << true << false << 54.0 << "NG";
        QTest::newRow("cxf, legacy, close") << true << true << 50.3 << "PASS";
    }
    void fileStandard_judgesTheNextSample()
    {
        QFETCH(bool, legacy);
        QFETCH(bool, cxf);
        QFETCH(double, sampleL);
        QFETCH(QString, verdict);
        connectTo(legacy);
        const QString file = path(cxf ? "standard.cxf" : "standard.ti3");
        QString error;
        const formats::ExchangeDocument doc = document(cxf);
        QVERIFY2(cxf ? formats::writeCxfFile(doc, file, &error) : formats::writeCgatsFile(doc, file, &error),
                 qPrintable(error));
        m_dialogs->answerOpenFile(file);
        if (cxf) {
            m_dialogs->expectMessage(QStringLiteral("Standard"),
                                     QStringLiteral("standard.cxf holds 2 samples; the standard is \"S1\", the "
                                                    "first standard in the file."));
        }
        loadButton(legacy)->click();
        // L*, a*, b*, then C* as the display derives it.
        const int lRow = legacy ? 1 : 3;
        const int cRow = legacy ? 4 : 7;
        QCOMPARE(QStringList({liveText(lRow, 1, legacy), liveText(lRow + 1, 1, legacy), liveText(lRow + 2, 1, legacy),
                              liveText(cRow, 1, legacy)}),
                 QStringList({"50.00", "10.00", "-20.00", "22.36"}));
        QVERIFY(m_page->state().standardTaken);

        instrument().queueReading({sampleL, 10.0, -20.0, 0.0, 0.0});
        sampleButton(legacy)->click();
        ComparisonRecordList& list = legacy ? m_page->legacyRecords() : m_page->records();
        QCOMPARE(list.size(), 1);
        const ComparisonRecord& record = list.at(0);
        const double standardL = legacy ? record.legacyStandard[ComparisonRecord::LegacyL]
                                        : record.standard[ComparisonRecord::LabL];
        QCOMPARE(standardL, 50.0);
        QCOMPARE(record.pass, verdict == QLatin1String("PASS"));
        QCOMPARE((legacy ? ui().resultlab : ui().label_result)->text(), verdict);
        if (!legacy) {
            // No haze in the file: unknown, never a difference against 0.
            QVERIFY(std::isnan(record.standard[ComparisonRecord::Haze]));
            QCOMPARE(liveText(1, 3), QStringLiteral("-----"));
        }
    }

    void unusableFile_refusedAndStandardKept_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to"); // empty: the file ends at the last "from"
        QTest::addColumn<QString>("reason"); // empty: the reader's own
        QTest::newRow("ti3 without END_DATA") << "a.ti3" << QByteArray("END_DATA") << QByteArray() << QString();
        QTest::newRow("ti3 with comma decimals") << "b.ti3" << QByteArray("50.0") << QByteArray("50,0") << QString();
        QTest::newRow("cxf in another namespace")
            << "c.cxf" << QByteArray(formats::kCxfNamespace) << QByteArray("http://example.com/other") << QString();
        QTest::newRow("ti3 with spectra only") << "d.ti3" << QByteArray() << QByteArray()
                                               << "the file holds no sample with L*a*b* values for D65/10\u00B0";
    }
    void unusableFile_refusedAndStandardKept()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, reason);
        connectTo(false);
        instrument().queueReading({40.0, 1.0, 2.0, 0.0, 0.0});
        ui().pushButton_standardMeasurement->click();
        QCOMPARE(liveText(3, 1), QStringLiteral("40.00"));

        formats::ExchangeDocument doc = document(false);
        if (reason.isEmpty()) {
            const QString file = path(name);
            QString error;
            QVERIFY(name.endsWith("cxf") ? formats::writeCxfFile(doc, file, &error)
                                         : formats::writeCgatsFile(doc, file, &error));
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QByteArray bytes = f.readAll();
            f.close();
            QVERIFY(bytes.contains(from));
            if (to.isEmpty()) {
                bytes.truncate(bytes.lastIndexOf(from)); // the file ends before it
            } else {
                bytes.replace(from, to);
            }
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
            f.close();
            formats::ExchangeDocument read;
            const formats::ReadResult result =
                name.endsWith("cxf") ? formats::readCxfFile(file, read) : formats::readCgatsFile(file, read);
            QVERIFY(!result.ok);
            reason = result.error;
        } else {
            doc.samples.first().hasLab = false;
            doc.samples.first().hasSpectrum = true;
            doc.samples.first().spectrum.fill(50.0);
            QVERIFY(formats::writeCgatsFile(doc, path(name)));
        }
        m_dialogs->answerOpenFile(path(name));
        m_dialogs->expectMessage(QStringLiteral("Error"),
                                 QStringLiteral("No standard was loaded from %1: %2").arg(name, reason));
        ui().pushButton_loadStandard->click();
        QCOMPARE(liveText(3, 1), QStringLiteral("40.00"));
        QCOMPARE(liveText(1, 1), QStringLiteral("0.00%"));
        QVERIFY(m_page->state().standardTaken);
    }
};

QTEST_MAIN(tst_load_standard)
#include "tst_load_standard.moc"
