// A standard loaded from a CGATS or CxF3 file on the workspace page: the next
// sample is judged against it, in both layouts; a file without a usable
// standard is refused with the reader's reason and the standard shown stays.
#include "RecordTables.h"
#include "InstrumentPanel.h"
#include "MeasurementSession.h"
#include "CgatsFormat.h"
#include "ComparisonRecordList.h"
#include "CxfFormat.h"
#include "PageFixture.h"

#include <QBuffer>
#include <QDir>
#include <QSettings>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class tst_load_standard : public QObject, public PageFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_settings;

    // A target (L* 70) before the standard (L* 50, a* 10, b* -20) when
    // targetFirst: CxF3 tells them apart, CGATS has no kinds.
    static formats::ExchangeDocument document(bool targetFirst)
    {
        formats::ExchangeDocument d;
        d.created = QDateTime(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC);
        auto sample = [](const char* id, formats::SampleKind kind, double l, double a, double b) {
            formats::ExchangeSample s;
            s.id = s.name = QLatin1String(id);
            s.kind = kind;
            s.hasLab = true;
            s.l = l, s.a = a, s.b = b;
            return s;
        };
        if (targetFirst) {
            d.samples.append(sample("T1", formats::SampleKind::Target, 70.0, 0.0, 0.0));
        }
        d.samples.append(sample("S1", formats::SampleKind::Standard, 50.0, 10.0, -20.0));
        return d;
    }
    static bool write(const formats::ExchangeDocument& d, const QString& file)
    {
        return file.endsWith("cxf") ? formats::writeCxfFile(d, file) : formats::writeCgatsFile(d, file);
    }
    void connectTo(bool legacy)
    {
        legacy ? plug(QStringLiteral("TX450"), 200) : plug(QStringLiteral("TX310"), 312);
        instrument().setDisplayMode(3); // L*a*b*: judged by delta-E
        QVERIFY(m_page->panel().identifyDevice());
        m_page->state().deltaEThreshold = 1.0;
    }

private Q_SLOTS:
    // The dialogs remember their folders in the user's settings: these tests' own.
    void initTestCase() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path()); }
    void init() { QVERIFY(m_dir.isValid()); setUpPage(); }
    void cleanup() { tearDownPage(); }

    // "Load standard…" only where a file standard can be judged (delta-E
    // alone); elsewhere its tooltip says why.
    void loadStandard_offeredOnlyWhereDeltaEJudges_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Haze/T") << 0 << false;
        QTest::newRow("Haze/T/Lab") << 6 << false;
        QTest::newRow("Lab") << 3 << true;
        QTest::newRow("Yxy") << 5 << true;
    }
    void loadStandard_offeredOnlyWhereDeltaEJudges()
    {
        QFETCH(int, mode);
        QFETCH(bool, enabled);
        plug(QStringLiteral("TX310"), 312);
        instrument().setDisplayMode(mode);
        QVERIFY(m_page->panel().identifyDevice());
        QCOMPARE(ui().pushButton_loadStandard->isEnabled(), enabled);
        QCOMPARE(ui().pushButton_loadStandard->toolTip().contains(QStringLiteral("Lab, LCh and Yxy")), !enabled);
    }

    // The dialog offers every format the reader takes and starts in the
    // home folder, then in the folder last used for a standard.
    void loadStandard_dialogStartsWhereTheStandardsAre()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"), QStringLiteral("Tintwell"))
            .remove(QStringLiteral("folders"));
        connectTo(false);
        const QString file = m_dir.filePath(QStringLiteral("standard.cxf"));
        QVERIFY(write(document(false), file));
        for (const QString& expected : {QDir::homePath(), m_dir.path()}) {
            m_dialogs->answerOpenFile(file);
            QVERIFY(m_page->on_pushButton_loadStandard_clicked());
            QCOMPARE(m_dialogs->shown.last().kind, QStringLiteral("open"));
            QCOMPARE(m_dialogs->shown.last().dir, expected);
            QVERIFY(m_dialogs->shown.last().text.startsWith(QStringLiteral("Colour exchange files (*.ti3 *.txt *.cxf)")));
        }
    }

    void fileStandard_judgesTheNextSample_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("sampleL");
        QTest::addColumn<bool>("pass");
        QTest::newRow("ti3, current, close") << false << "s.ti3" << 50.3 << true;
        QTest::newRow("ti3, current, far") << false << "s.ti3" << 54.0 << false;
        QTest::newRow("cxf, current, standard after a target") << false << "s.cxf" << 50.3 << true;
        QTest::newRow("ti3, legacy, far") << true << "s.ti3" << 54.0 << false;
        QTest::newRow("cxf, legacy, close") << true << "s.cxf" << 50.3 << true;
    }
    void fileStandard_judgesTheNextSample()
    {
        QFETCH(bool, legacy);
        QFETCH(QString, name);
        QFETCH(double, sampleL);
        QFETCH(bool, pass);
        connectTo(legacy);
        const bool cxf = name.endsWith("cxf");
        QVERIFY(write(document(cxf), m_dir.filePath(name)));
        m_dialogs->answerOpenFile(m_dir.filePath(name));
        if (cxf) {
            m_dialogs->expectMessage("Standard", "s.cxf holds 2 samples; the standard is \"S1\", the first standard in the file.");
        }
        (legacy ? ui().loadstdBtn : ui().pushButton_loadStandard)->click();
        const int l = legacy ? 1 : 3, c = legacy ? 4 : 7; // rows of L* and C*
        QCOMPARE(QStringList({liveText(l, 1, legacy), liveText(l + 1, 1, legacy), liveText(l + 2, 1, legacy),
                              liveText(c, 1, legacy)}),
                 QStringList({"50.00", "10.00", "-20.00", "22.36"}));

        instrument().queueReading({sampleL, 10.0, -20.0, 0.0, 0.0});
        (legacy ? ui().samplemeasurementBtn : ui().pushButton_sampleMeasurement)->click();
        ComparisonRecordList& list = legacy ? m_page->tables().legacyRecords() : m_page->tables().records();
        QCOMPARE(list.size(), 1);
        const ComparisonRecord& record = list.at(0);
        QCOMPARE(legacy ? record.legacyStandard[ComparisonRecord::LegacyL] : record.standard[ComparisonRecord::LabL], 50.0);
        QCOMPARE(record.pass, pass);
        QCOMPARE((legacy ? ui().resultlab : ui().label_result)->text(), QString(pass ? "PASS" : "NG"));
        if (!legacy) { // no haze in the file: unknown, never a difference against 0
            QVERIFY(std::isnan(record.standard[ComparisonRecord::Haze]));
            QCOMPARE(liveText(1, 3), QStringLiteral("-----"));
        }
    }

    void unusableFile_refusedAndStandardKept_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("from"); // replaced by "to"; an empty "to": the file ends before the last "from"
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("ti3 without END_DATA") << "a.ti3" << QByteArray("END_DATA") << QByteArray();
        QTest::newRow("cxf in another namespace") << "c.cxf" << QByteArray(formats::kCxfNamespace) << QByteArray("urn:other");
        QTest::newRow("ti3 with spectra only") << "d.ti3" << QByteArray() << QByteArray();
    }
    void unusableFile_refusedAndStandardKept()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        connectTo(false);
        instrument().queueReading({40.0, 1.0, 2.0, 0.0, 0.0});
        ui().pushButton_standardMeasurement->click();
        const QString file = m_dir.filePath(name);
        formats::ExchangeDocument doc = document(false);
        QString reason = "the file holds no sample with L*a*b* values for D65/10\u00B0";
        if (from.isEmpty()) {
            doc.samples.first().hasLab = false;
            doc.samples.first().hasSpectrum = true;
            doc.samples.first().spectrum.fill(50.0);
            QVERIFY(write(doc, file));
        } else {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            QVERIFY(buffer.open(QIODevice::WriteOnly));
            QVERIFY(name.endsWith("cxf") ? formats::writeCxf(doc, buffer) : formats::writeCgats(doc, buffer));
            QVERIFY(bytes.contains(from));
            if (to.isEmpty()) {
                bytes.truncate(bytes.lastIndexOf(from));
            } else {
                bytes.replace(from, to);
            }
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
            f.close();
            formats::ExchangeDocument read;
            const formats::ReadResult result = name.endsWith("cxf") ? formats::readCxf(bytes, read) : formats::readCgats(bytes, read);
            QVERIFY(!result.ok);
            reason = result.error;
        }
        m_dialogs->answerOpenFile(file);
        m_dialogs->expectMessage("Error", QStringLiteral("No standard was loaded from %1: %2").arg(name, reason));
        ui().pushButton_loadStandard->click();
        QCOMPARE(QStringList({liveText(1, 1), liveText(3, 1)}), QStringList({"0.00%", "40.00"}));
        QVERIFY(m_page->session().standardTaken());
    }
};

QTEST_MAIN(tst_load_standard)
#include "tst_load_standard.moc"
