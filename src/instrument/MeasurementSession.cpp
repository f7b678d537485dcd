#include "MeasurementSession.h"

#include "Comparison.h"
#include "Frames.h"
#include "MyThread.h"
#include "Readings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcSession, "tintwell.instrument.session")

MeasurementSession::Side sideOf(const ColorReading& reading)
{
    MeasurementSession::Side side;
    side.values = shownValues(currentLayoutValues(reading));
    side.legacyValues = shownLegacyValues(legacyLayoutValues(reading));
    side.rgb = std::array<int, 3>{reading.red, reading.green, reading.blue};
    side.taken = true;
    return side;
}

} // namespace

MeasurementSession::MeasurementSession(LinkAccess& link, InstrumentState& state, QObject* parent)
    : QObject(parent), m_link(link), m_state(state)
{
    m_settings = [this](bool legacy) { return m_state.judgingSettings(legacy, QString(), QString()); };
}

MeasurementSession::~MeasurementSession() = default;

bool MeasurementSession::measure(Target target, FetchPath path)
{
    ColorReading reading;
    int result = ProtocolResult::SendFailed;
    {
        LinkLock lock(m_link);
        result = fetchMeasurement(m_link.transport(), path, m_state.displayMode, reading);
    }
    if (result != ProtocolResult::Success) {
        qCDebug(lcSession) << "measurement failed:" << result;
        if (target == Standard) {
            // The standard column shows dashes now: no sample is compared with them.
            m_standardTaken = false;
        }
        // Its column shows dashes: no comparison is shown to judge again.
        m_live.reset();
        Q_EMIT measurementFailed();
        return false;
    }
    take(target, reading, path == FetchPath::Legacy);
    return true;
}

void MeasurementSession::take(int target, const ColorReading& reading, bool legacy)
{
    const int needed = target == Standard ? m_plan.perStandard : m_plan.perSample;
    if (needed > 1) {
        takeReading(target, reading, legacy);
        return;
    }
    m_pending = PendingReadings();
    if (target == Standard) {
        takeStandard(reading, legacy);
    } else {
        takeSample(reading, legacy);
    }
}

void MeasurementSession::setReadingsPlan(const ReadingsPlan& plan)
{
    m_plan = plan;
    m_plan.perStandard = std::max(1, plan.perStandard);
    m_plan.perSample = std::max(1, plan.perSample);
    // A specimen half read is read again under the new plan.
    m_pending = PendingReadings();
}

// One reading of several: kept, and the side shows the average so far; the
// n-th finishes the specimen (or asks for one more when they lie too far apart).
void MeasurementSession::takeReading(int target, const ColorReading& reading, bool legacy)
{
    if (m_pending.count() == 0 || m_pending.target != target || m_pending.legacy != legacy) {
        m_pending = PendingReadings();
        m_pending.target = target;
        m_pending.legacy = legacy;
        m_pending.needed = target == Standard ? m_plan.perStandard : m_plan.perSample;
        if (target == Standard) {
            // A new standard starts a new comparison.
            m_standardTaken = false;
            m_sample = Side();
        }
        // The comparison shown is an earlier sample's.
        m_live.reset();
    }
    const Side one = sideOf(reading);
    m_pending.values.append(one.values);
    m_pending.legacyValues.append(one.legacyValues);
    Side& side = target == Standard ? m_standard : m_sample;
    side.rgb = one.rgb;
    showPending();
    const int taken = int(m_pending.count());
    if (taken < m_pending.needed) {
        return;
    }
    const double limit = m_plan.reReadAbove;
    if (limit > 0.0 && !m_pending.reReadAsked) {
        const ComparisonSettings settings = m_settings(legacy);
        const double spread = legacy ? legacyReadingsDeltaESpread(m_pending.legacyValues, settings)
                                     : readingsDeltaESpread(m_pending.values, settings);
        if (spread > limit) {
            m_pending.reReadAsked = true;
            m_pending.needed = taken + 1;
            qCDebug(lcSession) << "readings too far apart:" << spread << "above" << limit;
            target == Standard ? Q_EMIT standardShown(legacy) : Q_EMIT sampleShown(legacy);
            Q_EMIT readingTaken(target, taken, m_pending.needed, legacy);
            // After "reading 3 of 4", so the reason is what stays in view.
            Q_EMIT reReadAsked(target, spread, limit, legacy);
            return;
        }
    }
    finishPending();
}

// The side shows the average of the readings so far, not yet taken for a comparison.
void MeasurementSession::showPending()
{
    const bool legacy = m_pending.legacy;
    Side& side = m_pending.target == Standard ? m_standard : m_sample;
    side.values = shownAverageReadings(m_pending.values, m_plan.median);
    side.legacyValues = shownAverageLegacyReadings(m_pending.legacyValues, m_plan.median);
    side.taken = false;
    const int taken = int(m_pending.count());
    if (taken < m_pending.needed) {
        if (m_pending.target == Standard) {
            m_standardTaken = false;
            Q_EMIT standardShown(legacy);
        } else {
            Q_EMIT sampleShown(legacy);
        }
        Q_EMIT readingTaken(m_pending.target, taken, m_pending.needed, legacy);
    }
}

void MeasurementSession::finishPending()
{
    // Told while the readings are still at hand, so the display can list them.
    Q_EMIT readingTaken(m_pending.target, int(m_pending.count()), int(m_pending.count()), m_pending.legacy);
    const PendingReadings done = std::exchange(m_pending, PendingReadings());
    const bool legacy = done.legacy;
    m_readings.median = m_plan.median;
    if (done.target == Standard) {
        m_readings.standard = legacy ? QList<ComparisonRecord::Values>() : done.values;
        m_readings.legacyStandard = legacy ? done.legacyValues : QList<ComparisonRecord::LegacyValues>();
        m_readings.sample.clear();
        m_readings.legacySample.clear();
        m_standard.taken = true;
        m_standardTaken = true;
        m_sample = Side();
        m_live.reset();
        Q_EMIT standardShown(legacy);
        return;
    }
    m_readings.sample = legacy ? QList<ComparisonRecord::Values>() : done.values;
    m_readings.legacySample = legacy ? done.legacyValues : QList<ComparisonRecord::LegacyValues>();
    m_sample.taken = true;
    Q_EMIT sampleShown(legacy);
    if (m_standardTaken) {
        compare(legacy);
    }
}

bool MeasurementSession::discardLastReading()
{
    if (m_pending.count() == 0) {
        return false;
    }
    m_pending.values.removeLast();
    m_pending.legacyValues.removeLast();
    // Back to the plan's count; the re-read rule looks at the readings kept again.
    m_pending.needed = m_pending.target == Standard ? m_plan.perStandard : m_plan.perSample;
    m_pending.reReadAsked = false;
    const int target = m_pending.target;
    const bool legacy = m_pending.legacy;
    if (m_pending.count() == 0) {
        const int needed = m_pending.needed;
        m_pending = PendingReadings();
        (target == Standard ? m_standard : m_sample) = Side();
        Q_EMIT preparing(target, legacy);
        Q_EMIT readingTaken(target, 0, needed, legacy);
        return true;
    }
    showPending();
    return true;
}

void MeasurementSession::takeStandard(const ColorReading& reading, bool legacy)
{
    forgetLibraryStandard();
    m_readings = ComparisonRecord::ReadingsSummary();
    m_standard = sideOf(reading);
    m_standardTaken = true;
    // A new standard starts a new comparison.
    m_sample = Side();
    m_live.reset();
    Q_EMIT standardShown(legacy);
}

void MeasurementSession::takeStandardFromFile(const ColorReading& reading, bool legacy)
{
    forgetLibraryStandard();
    m_standard = sideOf(reading);
    m_standard.rgb.reset();
    m_pending = PendingReadings();
    m_readings = ComparisonRecord::ReadingsSummary();
    // No haze or transmittance in a colour file: unknown, not 0.
    m_standard.values[ComparisonRecord::Haze] = ComparisonRecord::kUnknown;
    m_standard.values[ComparisonRecord::Transmittance] = ComparisonRecord::kUnknown;
    m_standardTaken = true;
    m_sample = Side();
    m_live.reset();
    Q_EMIT standardShown(legacy);
    // Results the instrument pushes from now on are samples.
    m_nextMeasurement = Sample;
}

void MeasurementSession::takeLibraryStandard(const ComparisonRecord::Values& values, const LibraryJudgement& library,
                                             bool legacy)
{
    m_standard = Side();
    m_standard.values = shownValues(values);
    using V = ComparisonRecord;
    m_standard.legacyValues = shownLegacyValues(
        {values[V::LabL], values[V::LabA], values[V::LabB], values[V::LchC], values[V::LchH]});
    m_standard.taken = true;
    m_standardTaken = true;
    m_library = library;
    m_sample = Side();
    m_live.reset();
    Q_EMIT standardShown(legacy);
    Q_EMIT libraryStandardChanged();
    m_nextMeasurement = Sample;
}

void MeasurementSession::dropLibraryStandard()
{
    forgetLibraryStandard();
}

void MeasurementSession::forgetLibraryStandard()
{
    if (m_library.inUse()) {
        m_library = LibraryJudgement();
        Q_EMIT libraryStandardChanged();
    }
}

void MeasurementSession::takeSample(const ColorReading& reading, bool legacy)
{
    m_sample = sideOf(reading);
    m_readings.sample.clear();
    m_readings.legacySample.clear();
    Q_EMIT sampleShown(legacy);
    if (m_standardTaken) {
        compare(legacy);
    }
}

void MeasurementSession::setStandardValue(int index, double value)
{
    if (index >= 0 && index < ComparisonRecord::ValueCount) {
        const double shown = m_standard.values[std::size_t(index)];
        if (!(shown == value || (std::isnan(shown) && std::isnan(value)))) {
            // A typed standard is no longer the average of its readings.
            m_readings.standard.clear();
            m_readings.legacyStandard.clear();
        }
        m_standard.values[std::size_t(index)] = value;
    }
}

void MeasurementSession::compare(bool legacy)
{
    const ComparisonSettings settings = m_settings(legacy);
    const int badStandard = legacy ? unusableLegacyValue(m_standard.legacyValues)
                                   : unusableValue(m_standard.values, settings.displayMode);
    const int badSample = legacy ? unusableLegacyValue(m_sample.legacyValues)
                                 : unusableValue(m_sample.values, settings.displayMode);
    if (badStandard >= 0 || badSample >= 0) {
        qCDebug(lcSession) << "comparison refused: standard" << badStandard << "sample" << badSample;
        m_live.reset();
        Q_EMIT refused(badStandard, badSample, legacy);
        return;
    }
    ComparisonRecord record = legacy
                                  ? compareLegacyValues(m_standard.legacyValues, m_sample.legacyValues, settings, m_library)
                                  : compareValues(m_standard.values, m_sample.values, settings, m_library);
    if (!legacy) {
        // The threshold judged against is the one the page keeps (layout 1: the formula's).
        m_state.deltaEThreshold = settings.thresholdInForce();
    }
    record.time = QDateTime::currentDateTime();
    record.modelName = m_state.modelName;
    if (!m_readings.standard.isEmpty() || !m_readings.sample.isEmpty() || !m_readings.legacyStandard.isEmpty()
        || !m_readings.legacySample.isEmpty()) {
        record.readings = m_readings;
    }
    m_live = record;
    Q_EMIT compared(record);
}

std::optional<ComparisonRecord> MeasurementSession::judgeLiveAgain(bool legacy)
{
    if (!m_live || m_live->legacy != legacy) {
        return std::nullopt;
    }
    if (!legacy && m_state.layoutIndex == 1) {
        m_state.deltaEThreshold = m_state.parameterThreshold;
    }
    const ComparisonSettings settings = m_settings(legacy);
    ComparisonRecord again = *m_live;
    judgeRecord(again, settings);
    m_live = again;
    return again;
}

// ---- results pushed by the instrument ------------------------------------------

void MeasurementSession::takePushed(const QByteArray& chunk)
{
    if (m_state.isFirstGeneration()) {
        takePushedFrames(chunk, PushedFrameFormat::Legacy, true);
        return;
    }
    takePushedFrames(chunk, pushedFrameFormat(m_state.modelName, m_state.softwareVersion), false);
}

void MeasurementSession::takePushedFrames(const QByteArray& chunk, PushedFrameFormat format, bool legacy)
{
    m_pushedData.append(chunk);
    const PushedScan scan = scanPushedFrames(m_pushedData, format);
    // Done with before anything is shown: only what can still begin a frame waits.
    m_pushedData.remove(0, scan.consumed);
    bool dropped = false;
    for (const PushedFrame& frame : scan.frames) {
        PushedResult result;
        if (!readingFromPushedFrame(frame, m_state.displayMode, result.reading)) {
            qCDebug(lcSession) << "pushed frame dropped: block" << frame.blockNumber << "in display mode"
                               << displayModeIndex(m_state.displayMode);
            dropped = true;
            continue;
        }
        if (m_nextMeasurement != Standard && m_nextMeasurement != Sample) {
            continue;
        }
        result.target = m_nextMeasurement;
        result.legacy = legacy;
        m_pushedQueue.append(result);
    }
    showNextPushed();
    if (dropped) {
        // A measurement was taken and is not shown: said as a failed fetch is.
        Q_EMIT measurementFailed();
    }
}

// Results are shown one after another: dashes first, the values after the
// pause. Results arriving meanwhile wait their turn, in the order they came.
void MeasurementSession::showNextPushed()
{
    if (!m_pushedTimer) {
        m_pushedTimer = new QTimer(this);
        m_pushedTimer->setSingleShot(true);
        connect(m_pushedTimer, &QTimer::timeout, this, [this] {
            if (!m_pushedQueue.isEmpty()) {
                const PushedResult next = m_pushedQueue.takeFirst();
                take(next.target, next.reading, next.legacy);
            }
            showNextPushed();
        });
    }
    if (m_pushedTimer->isActive() || m_pushedQueue.isEmpty()) {
        return;
    }
    const PushedResult& next = m_pushedQueue.first();
    Q_EMIT preparing(next.target, next.legacy);
    m_pushedTimer->start(pushedDisplayPauseMs);
}

void MeasurementSession::showArrivedPushed()
{
    if (m_pushedTimer) {
        m_pushedTimer->stop();
    }
    while (!m_pushedQueue.isEmpty()) {
        const PushedResult next = m_pushedQueue.takeFirst();
        take(next.target, next.reading, next.legacy);
    }
}

void MeasurementSession::flushPushed()
{
    showArrivedPushed();
    m_pushedData.clear();
}

// ---- the receive worker -----------------------------------------------------

void MeasurementSession::startReceiving(const std::function<void(MyThread*)>& connect)
{
    if (!m_receiver) {
        m_receiver = std::make_unique<ReceiveWorker>(m_link);
    }
    m_receiver->start(connect);
}

void MeasurementSession::stopReceiving()
{
    if (m_receiver) {
        m_receiver->stop();
    }
}

MyThread* MeasurementSession::receiveWorker() const
{
    return m_receiver ? m_receiver->worker() : nullptr;
}

void MeasurementSession::reset()
{
    forgetLibraryStandard();
    m_standardTaken = false;
    m_nextMeasurement = Standard;
    m_standard = Side();
    m_sample = Side();
    m_live.reset();
    m_pending = PendingReadings();
    m_readings = ComparisonRecord::ReadingsSummary();
}
