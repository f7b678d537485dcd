// A whole comparison without a window: the measuring session over the
// emulated instrument takes a scanned standard and sample, then samples and a
// standard the instrument pushes through the receive worker, and makes the
// judged records the page would show.
#include "Colorimetry.h"
#include "EmulatedAccess.h"
#include "Frames.h"
#include "MeasurementSession.h"
#include "MeasurementSequence.h"
#include "MyThread.h"
#include "Readings.h"
#include "ReadingsSettings.h"
#include "SpectralData.h"
#include "WaitUntil.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

using R = ComparisonRecord;
using Plan = MeasurementSession::ReadingsPlan;

// L* as the display shows it (two decimals), averaged independently of the session.
double shownL(const EmulatorReading& reading)
{
    return std::round(reading.L * 100.0) / 100.0;
}

double averageL(QList<double> ls, bool median)
{
    // In hundredths, whole numbers: a mean of exactly a half rounds away from zero.
    QList<double> units;
    for (double l : ls) {
        units.append(std::round(l * 100.0));
    }
    std::sort(units.begin(), units.end());
    const qsizetype n = units.size();
    const double v = median ? (n % 2 ? units.at(n / 2) : (units.at(n / 2 - 1) + units.at(n / 2)) / 2.0)
                            : std::accumulate(units.begin(), units.end(), 0.0) / double(n);
    return std::round(v) / 100.0;
}

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

    // Several readings of each specimen, from the emulator's drifting
    // measurement sequence: the comparison is made from their mean or median,
    // and the record keeps every reading and its spread.
    void severalReadings_meanOrMedian_data()
    {
        QTest::addColumn<int>("perStandard");
        QTest::addColumn<int>("perSample");
        QTest::addColumn<bool>("median");
        QTest::newRow("mean of 3 samples") << 1 << 3 << false;
        QTest::newRow("median of 3 samples") << 1 << 3 << true;
        QTest::newRow("median of 4 samples") << 1 << 4 << true;
        QTest::newRow("2 standards, mean of 5 samples") << 2 << 5 << false;
    }
    void severalReadings_meanOrMedian()
    {
        QFETCH(int, perStandard);
        QFETCH(int, perSample);
        QFETCH(bool, median);
        m_session->setReadingsPlan(Plan{perStandard, perSample, median, 0.0});
        QSignalSpy taken(m_session.get(), &MeasurementSession::readingTaken);
        int k = 0;
        QList<double> standardLs, sampleLs;
        for (int i = 0; i < perStandard; ++i, ++k) {
            m_access->instrument().queueReading(builtInReading(k, false));
            standardLs << shownL(builtInReading(k, false));
            QVERIFY(m_session->measure(MeasurementSession::Standard, FetchPath::Full));
        }
        QVERIFY(m_session->standardTaken());
        for (int i = 0; i < perSample; ++i, ++k) {
            QVERIFY(m_records.isEmpty()); // nothing is compared before the last reading
            m_access->instrument().queueReading(builtInReading(k, false));
            sampleLs << shownL(builtInReading(k, false));
            QVERIFY(m_session->measure(MeasurementSession::Sample, FetchPath::Full));
        }
        QCOMPARE(m_records.size(), 1);
        const ComparisonRecord& r = m_records.first();
        QCOMPARE(r.standard[R::LabL], averageL(standardLs, false));
        QCOMPARE(r.sample[R::LabL], averageL(sampleLs, median));
        QCOMPARE(r.readings.median, median);
        QCOMPARE(standardReadingCount(r), perStandard);
        QCOMPARE(r.readings.sample.size(), qsizetype(perSample));
        QCOMPARE(r.readings.sample.last()[R::LabL], sampleLs.last());
        // The spread of L*: sample standard deviation and range of the readings.
        const double mean = std::accumulate(sampleLs.begin(), sampleLs.end(), 0.0) / double(perSample);
        double squares = 0.0;
        for (double l : sampleLs) {
            squares += (l - mean) * (l - mean);
        }
        QVERIFY(std::fabs(readingsDeviation(r.readings.sample)[R::LabL] - std::sqrt(squares / (perSample - 1))) < 1e-9);
        const auto [lo, hi] = std::minmax_element(sampleLs.begin(), sampleLs.end());
        QVERIFY(std::fabs(readingsRange(r.readings.sample)[R::LabL] - (*hi - *lo)) < 1e-9);
        // "Reading k of n" for every reading; the last of each specimen says it is complete.
        QCOMPARE(taken.size(), (perStandard > 1 ? perStandard : 0) + perSample);
        QCOMPARE(taken.last().at(1).toInt(), perSample);
        QCOMPARE(taken.last().at(2).toInt(), perSample);
    }

    // The average as the display shows it: a mean of exactly a half rounds
    // away from zero as by hand; the hue is averaged the short way round.
    void shownAverage_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("median");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("average");
        QTest::addColumn<double>("range");
        QTest::newRow("mean of a half") << int(R::LabL) << false << QList<double>{12.35, 12.42} << 12.39 << 0.07;
        QTest::newRow("mean of a half below 0") << int(R::LabA) << false << QList<double>{-12.35, -12.42} << -12.39 << 0.07;
        QTest::newRow("median of two, a half") << int(R::Haze) << true << QList<double>{12.35, 12.42} << 12.39 << 0.07;
        QTest::newRow("mean of three") << int(R::LabL) << false << QList<double>{50.0, 50.0, 50.01} << 50.0 << 0.01;
        QTest::newRow("median of three") << int(R::LabB) << true << QList<double>{1.0, 9.0, 2.0} << 2.0 << 8.0;
        QTest::newRow("hue across 0") << int(R::LchH) << false << QList<double>{359.0, 3.0} << 1.0 << 4.0;
        QTest::newRow("hue median across 0") << int(R::LchH) << true << QList<double>{359.0, 359.0, 0.5} << 359.0 << 1.5;
    }
    void shownAverage()
    {
        QFETCH(int, index);
        QFETCH(bool, median);
        QFETCH(QList<double>, values);
        QFETCH(double, average);
        QFETCH(double, range);
        Readings readings;
        for (double v : values) {
            readings.append(R::Values{});
            readings.last()[std::size_t(index)] = v;
        }
        QCOMPARE(shownAverageReadings(readings, median)[std::size_t(index)], average);
        QVERIFY(std::fabs(readingsRange(readings)[std::size_t(index)] - range) < 1e-9);
    }

    // "Discard last reading" takes the last one back before the n-th; the
    // mean is of those kept. Nothing to discard between specimens.
    void discardLastReading_leavesItOut()
    {
        m_session->setReadingsPlan(Plan{1, 3, false, 0.0});
        QVERIFY(!m_session->discardLastReading());
        m_access->instrument().queueReading({50.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Standard, FetchPath::Full));
        const double ls[] = {50.1, 58.0, 50.3, 50.5}; // 58.0 is discarded
        for (int i = 0; i < 4; ++i) {
            m_access->instrument().queueReading({ls[i], 1.0, 2.0, 10.0, 90.0});
            QVERIFY(m_session->measure(MeasurementSession::Sample, FetchPath::Full));
            if (i == 1) {
                QCOMPARE(m_session->sample().values[R::LabL], 54.05); // the average so far is shown
                QVERIFY(m_session->discardLastReading());
                QCOMPARE(m_session->pendingReadings().count(), qsizetype(1));
            }
        }
        QCOMPARE(m_records.size(), 1);
        QCOMPARE(m_records.first().sample[R::LabL], 50.3);
        QCOMPARE(m_records.first().readings.sample.size(), qsizetype(3));
        QVERIFY(!m_session->discardLastReading());
    }

    // Readings farther apart than the limit ask for one more, once, saying by how much.
    void reReadRule_asksForOneMore_data()
    {
        QTest::addColumn<double>("limit");
        QTest::addColumn<double>("secondL");
        QTest::addColumn<int>("readingsUsed");
        QTest::addColumn<bool>("discardWhenAsked");
        QTest::newRow("off") << 0.0 << 52.0 << 3 << false;
        QTest::newRow("within the limit") << 1.0 << 50.8 << 3 << false;
        QTest::newRow("beyond the limit") << 1.0 << 52.0 << 4 << false;
        // The last reading was the odd one: discarded, the plan's three are read again.
        QTest::newRow("beyond, last discarded") << 1.0 << 52.0 << 3 << true;
    }
    void reReadRule_asksForOneMore()
    {
        QFETCH(double, limit);
        QFETCH(double, secondL);
        QFETCH(int, readingsUsed);
        QFETCH(bool, discardWhenAsked);
        m_session->setReadingsPlan(Plan{1, 3, true, limit});
        QSignalSpy asked(m_session.get(), &MeasurementSession::reReadAsked);
        m_access->instrument().queueReading({50.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Standard, FetchPath::Full));
        const double ls[] = {50.0, 50.2, secondL, 50.1, 50.0};
        for (int i = 0; i < 5 && m_records.isEmpty(); ++i) {
            m_access->instrument().queueReading({ls[i], 1.0, 2.0, 10.0, 90.0});
            QVERIFY(m_session->measure(MeasurementSession::Sample, FetchPath::Full));
            if (discardWhenAsked && i == 2) {
                QVERIFY(m_session->discardLastReading());
            }
        }
        QCOMPARE(m_records.size(), 1);
        QCOMPARE(m_records.first().readings.sample.size(), qsizetype(readingsUsed));
        QCOMPARE(asked.size(), limit > 0.0 && secondL > 51.0 ? 1 : 0);
        bool oddKept = false;
        for (const R::Values& reading : m_records.first().readings.sample) {
            oddKept = oddKept || reading[R::LabL] == secondL;
        }
        QCOMPARE(oddKept, !discardWhenAsked);
        if (!asked.isEmpty()) {
            QCOMPARE(asked.first().at(1).toDouble(), secondL - 50.0); // the largest delta-E*ab between two readings
            QCOMPARE(asked.first().at(2).toDouble(), limit);
        }
    }

    // A standard typed over is no longer the average of its readings: the record keeps none of them.
    void typedOverAveragedStandard_keepsNoReadings()
    {
        m_session->setReadingsPlan(Plan{2, 1, false, 0.0});
        for (double l : {50.0, 50.2}) {
            m_access->instrument().queueReading({l, 1.0, 2.0, 10.0, 90.0});
            QVERIFY(m_session->measure(MeasurementSession::Standard, FetchPath::Full));
        }
        m_session->setStandardValue(R::LabA, 1.0); // the same number: still the average
        m_session->setStandardValue(R::LabL, 49.0);
        m_access->instrument().queueReading({50.3, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(m_session->measure(MeasurementSession::Sample, FetchPath::Full));
        QCOMPARE(m_records.size(), 1);
        QCOMPARE(m_records.first().standard[R::LabL], 49.0);
        QVERIFY(m_records.first().readings.standard.isEmpty());
    }

    // Results of the instrument's key are readings too: three presses make one sample.
    void pushedResults_areReadings()
    {
        m_session->setReadingsPlan(Plan{2, 3, false, 0.0});
        m_session->startReceiving([this](MyThread* worker) {
            connect(worker, &MyThread::senddata, m_session.get(), &MeasurementSession::takePushed);
        });
        push({50.0, 1.0, 2.0, 10.0, 90.0});
        push({50.2, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(waitUntil([this] { return m_session->standardTaken(); }));
        QCOMPARE(m_session->standard().values[R::LabL], 50.1);
        m_session->setNextMeasurement(MeasurementSession::Sample);
        for (double l : {51.0, 51.3, 51.9}) {
            push({l, 1.0, 2.0, 10.0, 90.0});
        }
        QVERIFY(waitUntil([this] { return !m_records.isEmpty(); }));
        m_session->stopReceiving();
        QCOMPARE(m_records.size(), 1);
        QCOMPARE(m_records.first().sample[R::LabL], 51.4);
        QCOMPARE(formatDeltaE(m_records.first().deltaE), QStringLiteral("1.30"));
        QCOMPARE(m_records.first().readings.standard.size(), qsizetype(2));
    }

    // Curves of several readings are averaged band by band.
    void spectralReadings_averagedPerBand_data()
    {
        QTest::addColumn<bool>("median");
        QTest::addColumn<double>("expected400");
        QTest::newRow("mean") << false << 20.0;
        QTest::newRow("median") << true << 12.0;
    }
    void spectralReadings_averagedPerBand()
    {
        QFETCH(bool, median);
        QFETCH(double, expected400);
        for (double first : {10.0, 12.0, 38.0}) {
            QList<double> curve(kSpectralPointCount, 50.0);
            curve[0] = first;
            curve[30] = first + 1.0;
            m_access->instrument().queueSpectrum(curve);
        }
        SpectralRecord record;
        LinkLock lock(*m_access);
        QCOMPARE(measureSpectrumReadings(m_access->transport(), 3, median, record), int(ProtocolResult::Success));
        QCOMPARE(record.values[0], expected400);
        QCOMPARE(record.values[30], expected400 + 1.0);
        QCOMPARE(record.values[15], 50.0);
    }

    // The settings file is the user's to edit: what it says out of range is brought into range.
    void readingsSettings_keptInRange_data()
    {
        QTest::addColumn<QString>("perSample");
        QTest::addColumn<QString>("average");
        QTest::addColumn<QString>("reReadAbove");
        QTest::addColumn<int>("samples");
        QTest::addColumn<bool>("median");
        QTest::addColumn<double>("limit");
        QTest::newRow("as written") << "3" << "median" << "0.5" << 3 << true << 0.5;
        QTest::newRow("none") << "0" << "mean" << "-1" << 1 << false << 0.0;
        QTest::newRow("too many") << "1000" << "MEDIAN" << "nan" << ReadingsSettings::kMostReadings << true << 0.0;
        QTest::newRow("not numbers") << "three" << "" << "x" << 1 << false << 0.0;
    }
    void readingsSettings_keptInRange()
    {
        QFETCH(QString, perSample);
        QFETCH(QString, average);
        QFETCH(QString, reReadAbove);
        QTemporaryDir dir;
        QSettings file(dir.filePath(QStringLiteral("t.ini")), QSettings::IniFormat);
        file.setValue(QStringLiteral("readings/perSample"), perSample);
        file.setValue(QStringLiteral("readings/average"), average);
        file.setValue(QStringLiteral("readings/reReadAbove"), reReadAbove);
        const ReadingsSettings read = ReadingsSettings::load(file);
        QTEST(read.plan.perSample, "samples");
        QTEST(read.plan.median, "median");
        QTEST(read.plan.reReadAbove, "limit");
        QCOMPARE(read.plan.perStandard, 1);
        read.save(file);
        QCOMPARE(ReadingsSettings::load(file).plan.perSample, read.plan.perSample); // saved as read
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
