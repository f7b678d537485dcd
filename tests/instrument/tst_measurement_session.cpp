// A whole comparison without a window: the measuring session over the
// emulated instrument takes a scanned standard and sample, then samples and a
// standard the instrument pushes through the receive worker, and makes the
// judged records the page would show.
#include "Colorimetry.h"
#include "EmulatedAccess.h"
#include "MeasurementSession.h"
#include "MyThread.h"
#include "WaitUntil.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using R = ComparisonRecord;

} // namespace

class tst_measurement_session : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<EmulatedAccess> m_access;
    InstrumentState m_state;
    std::unique_ptr<MeasurementSession> m_session;
    QList<ComparisonRecord> m_records;

    void push(const EmulatorReading& reading)
    {
        m_access->instrument().queueReading(reading);
        m_access->emulator().pressMeasureKey(false);
    }

private Q_SLOTS:
    void init()
    {
        m_access = std::make_unique<EmulatedAccess>(QStringLiteral("TX310"), 312);
        m_access->instrument().setDisplayMode(3);
        m_state = InstrumentState();
        m_state.modelName = QStringLiteral("TX310");
        m_state.softwareVersion = 312;
        m_state.displayMode = DisplayMode::Lab;
        m_state.hazeTolerance = m_state.transmittanceTolerance = 0.5;
        m_state.deltaEThreshold = 1.0;
        m_session = std::make_unique<MeasurementSession>(*m_access, m_state);
        m_session->pushedDisplayPauseMs = 0;
        m_records.clear();
        connect(m_session.get(), &MeasurementSession::compared, this,
                [this](const ComparisonRecord& record) { m_records.append(record); });
    }
    void cleanup()
    {
        m_session.reset();
        m_access.reset();
    }

    void scannedAndPushed_judgedRecordsInOrder()
    {
        QSignalSpy preparing(m_session.get(), &MeasurementSession::preparing);
        QSignalSpy failed(m_session.get(), &MeasurementSession::measurementFailed);

        m_access->instrument().queueReading({50.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Standard, FetchPath::Full));
        QVERIFY(m_session->standardTaken());
        QCOMPARE(m_session->standard().values[R::LabL], 50.0);
        // "Scan Sample": the sample, and the results pushed from now on are samples too.
        m_session->setNextMeasurement(MeasurementSession::Sample);
        m_access->instrument().queueReading({50.3, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Sample, FetchPath::Full));
        QCOMPARE(m_records.size(), 1);

        m_session->startReceiving([this](MyThread* worker) {
            connect(worker, &MyThread::senddata, m_session.get(), &MeasurementSession::takePushed);
        });
        push({51.5, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(waitUntil([this] { return m_records.size() == 2; }));
        m_session->setNextMeasurement(MeasurementSession::Standard);
        push({60.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(waitUntil([this] { return m_session->standard().values[R::LabL] == 60.0; }));
        m_session->setNextMeasurement(MeasurementSession::Sample);
        push({60.2, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(waitUntil([this] { return m_records.size() == 3; }));
        m_session->stopReceiving();

        struct Expected
        {
            double standardL, sampleL;
            QString deltaE;
            bool pass;
        };
        const Expected expected[] = {{50.0, 50.3, "0.30", true}, {50.0, 51.5, "1.50", false}, {60.0, 60.2, "0.20", true}};
        for (int i = 0; i < 3; ++i) {
            const ComparisonRecord& r = m_records.at(i);
            QCOMPARE(r.standard[R::LabL], expected[i].standardL);
            QCOMPARE(r.sample[R::LabL], expected[i].sampleL);
            QCOMPARE(formatDeltaE(r.deltaE), expected[i].deltaE);
            QCOMPARE(r.pass, expected[i].pass);
            QCOMPARE(r.modelName, QStringLiteral("TX310"));
            QCOMPARE(r.settings.displayMode, DisplayMode::Lab);
        }
        QCOMPARE(preparing.size(), 3); // each pushed result shows dashes first
        QCOMPARE(failed.size(), 0);
    }

    // A sample against a standard the operator typed over, and against one
    // left unreadable: the typed number is compared; nothing is compared with
    // an unknown value.
    void typedStandard_comparedOrRefused_data()
    {
        QTest::addColumn<double>("typedL");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("refusals");
        QTest::newRow("typed 50.00") << 50.0 << 1 << 0;
        QTest::newRow("left empty") << R::kUnknown << 0 << 1;
    }
    void typedStandard_comparedOrRefused()
    {
        QFETCH(double, typedL);
        QSignalSpy refused(m_session.get(), &MeasurementSession::refused);
        m_access->instrument().queueReading({52.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Standard, FetchPath::Full));
        m_session->setStandardValue(R::LabL, typedL);
        m_access->instrument().queueReading({50.3, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Sample, FetchPath::Full));
        QTEST(int(m_records.size()), "records");
        QTEST(int(refused.size()), "refusals");
        if (!m_records.isEmpty()) {
            QCOMPARE(formatDeltaE(m_records.first().deltaE), QStringLiteral("0.30"));
        } else {
            QCOMPARE(refused.first().at(0).toInt(), int(R::LabL));
        }
    }

    // A failed standard leaves nothing to compare a sample with.
    void failedStandard_nextSampleNotCompared()
    {
        QSignalSpy failed(m_session.get(), &MeasurementSession::measurementFailed);
        m_access->instrument().queueReading({50.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Standard, FetchPath::Full));
        m_access->emulator().injectFault(EmulatorFault::Silence);
        QVERIFY(!m_session->measure(MeasurementSession::Standard, FetchPath::Full));
        QCOMPARE(failed.size(), 1);
        QVERIFY(!m_session->standardTaken());
        m_access->instrument().queueReading({50.3, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Sample, FetchPath::Full));
        QVERIFY(m_records.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_measurement_session)
#include "tst_measurement_session.moc"
