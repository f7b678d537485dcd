#include "SyncWorker.h"

#include "RecordRow.h"
#include "StationSchema.h"

#include <QHash>
#include <QSet>
#include <QSysInfo>
#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>


Q_LOGGING_CATEGORY(lcStationSync, "tintwell.station.sync")

namespace {
// One statement per batch. The ON CONFLICT guard leaves a row the server
// already holds at this version or newer untouched (a resent batch is a
// success), and sends a row of another station into the update path on
// purpose: row-level security then refuses it with an error instead of
// skipping it silently.
const QByteArray kSendStatement = R"sql(
INSERT INTO tintwell.records AS r
    (id, version, station_id, session_id, measured_at, test_name, model, serial_number, standard,
     legacy, sequence, standard_values, sample_values, haze_difference, transmittance_difference,
     delta_e, pass, settings, deleted, library_standard_id, library_standard_version, tolerance_set_id,
     tolerance_set_version, warning, decided_by, readings)
SELECT b.id, b.version, tintwell.current_station(), $2::uuid, b.measured_at, b.test_name, b.model,
       b.serial_number, b.standard, b.legacy, b.sequence, b.standard_values, b.sample_values,
       b.haze_difference, b.transmittance_difference, b.delta_e, b.pass, b.settings, b.deleted,
       b.library_standard_id, b.library_standard_version, b.tolerance_set_id, b.tolerance_set_version,
       coalesce(b.warning, false), b.decided_by, b.readings
FROM ROWS FROM (jsonb_to_recordset($1::jsonb) AS (
        id uuid, version bigint, measured_at timestamptz, test_name text, model text,
        serial_number text, standard text, legacy boolean, sequence float8,
        standard_values float8[], sample_values float8[], haze_difference float8,
        transmittance_difference float8, delta_e float8, pass boolean, settings jsonb,
        deleted boolean, library_standard_id uuid, library_standard_version bigint, tolerance_set_id uuid,
        tolerance_set_version bigint, warning boolean, decided_by text, readings jsonb)) WITH ORDINALITY AS b
ORDER BY b.ordinality
ON CONFLICT (id) DO UPDATE SET
    version = EXCLUDED.version, session_id = EXCLUDED.session_id,
    measured_at = EXCLUDED.measured_at, test_name = EXCLUDED.test_name, model = EXCLUDED.model,
    serial_number = EXCLUDED.serial_number, standard = EXCLUDED.standard,
    legacy = EXCLUDED.legacy, sequence = EXCLUDED.sequence,
    standard_values = EXCLUDED.standard_values, sample_values = EXCLUDED.sample_values,
    haze_difference = EXCLUDED.haze_difference,
    transmittance_difference = EXCLUDED.transmittance_difference, delta_e = EXCLUDED.delta_e,
    pass = EXCLUDED.pass, settings = EXCLUDED.settings, deleted = EXCLUDED.deleted,
    library_standard_id = EXCLUDED.library_standard_id,
    library_standard_version = EXCLUDED.library_standard_version,
    tolerance_set_id = EXCLUDED.tolerance_set_id, tolerance_set_version = EXCLUDED.tolerance_set_version,
    warning = EXCLUDED.warning, decided_by = EXCLUDED.decided_by,
    readings = EXCLUDED.readings, changed_at = now()
WHERE r.version < EXCLUDED.version OR r.station_id IS DISTINCT FROM EXCLUDED.station_id
)sql";

// A failure that passes by itself: the statement cancelled or out of time,
// a deadlock or serialisation conflict, a lock not granted, the server short
// of resources. Tried again after the usual back-off, not set aside as a
// refusal.
bool passingFailure(const QByteArray& sqlState)
{
    return sqlState == "57014" || sqlState == "55P03" || sqlState.startsWith("40") || sqlState.startsWith("53");
}

QList<OutboxKey> keysOf(const QList<OutboxEntry>& entries)
{
    QList<OutboxKey> keys;
    keys.reserve(entries.size());
    for (const OutboxEntry& e : entries) {
        keys.append({e.record.id, e.record.version});
    }
    return keys;
}

// One statement may change a row only once: of two versions of a record in
// one batch only the newest goes.
QList<OutboxEntry> newestVersions(const QList<OutboxEntry>& entries, QList<OutboxKey>* superseded)
{
    QHash<QUuid, qint64> newest;
    for (const OutboxEntry& e : entries) {
        qint64& v = newest[e.record.id];
        v = std::max(v, e.record.version);
    }
    if (newest.size() == entries.size()) {
        return entries;
    }
    QList<OutboxEntry> out;
    QSet<QUuid> taken;
    for (const OutboxEntry& e : entries) {
        if (e.record.version == newest.value(e.record.id) && !taken.contains(e.record.id)) {
            out.append(e);
            taken.insert(e.record.id);
        } else {
            superseded->append({e.record.id, e.record.version});
        }
    }
    return out;
}
} // namespace

int retryDelayMs(const SyncOptions& options, int failures)
{
    const int doublings = std::clamp(failures - 1, 0, 16);
    return int(std::min<qint64>(qint64(options.firstRetryDelayMs) << doublings, options.longestRetryDelayMs));
}

SyncWorker::SyncWorker(StationConfig config, Outbox* outbox, SyncOptions options)
    : m_config(std::move(config))
    , m_outbox(outbox)
    , m_options(std::move(options))
    , m_conn(m_config)
{
    m_conn.addStatement("tintwell_send", kSendStatement);
}

SyncWorker::~SyncWorker() = default;

void SyncWorker::start()
{
    m_stopped = false;
    if (!m_timer) {
        m_timer = new QTimer(this);
        m_timer->setSingleShot(true);
        connect(m_timer, &QTimer::timeout, this, &SyncWorker::step);
    }
    m_timer->start(0);
}

void SyncWorker::wake()
{
    if (m_timer && !m_stopped && !m_waitingOutFailure) {
        m_timer->start(0);
    }
}

void SyncWorker::stop()
{
    m_stopped = true;
    if (m_timer) {
        m_timer->stop();
    }
    m_conn.close();
    m_outbox->close();
}

void SyncWorker::step()
{
    if (m_stopped) {
        return;
    }
    m_waitingOutFailure = false;
    if (!m_conn.isOpen() && !connectAndCheck()) {
        publishCounts();
        retryLater();
        return;
    }
    const QList<OutboxEntry> entries = m_outbox->unacknowledged(m_options.batchSize);
    if (entries.isEmpty()) {
        setState(State::Online, QString());
        publishCounts();
        m_timer->start(m_options.idlePollMs);
        return;
    }
    const Outcome outcome = send(entries);
    publishCounts();
    switch (outcome) {
    case Outcome::Sent:
        m_failures = 0;
        setState(State::Online, QString());
        m_timer->start(0);
        break;
    case Outcome::Lost:
        // The first attempt after losing a working connection goes at once:
        // a terminated backend or a restarted server is usually back.
        retryLater(m_failures == 0);
        break;
    case Outcome::Retry:
        retryLater();
        break;
    }
}

bool SyncWorker::connectAndCheck()
{
    if (!m_conn.open()) {
        setState(State::Offline, tr("The station database %1 cannot be reached: %2")
                                     .arg(m_config.serverName(), m_conn.errorText()));
        return false;
    }
    m_connections = m_conn.connectionCount();
    QString error;
    const int version = StationSchema::serverVersion(m_conn, &error);
    if (version < 0) {
        setState(State::Offline, error);
        m_conn.close();
        return false;
    }
    const QString refusal = StationSchema::writeRefusal(m_conn, version);
    if (!refusal.isEmpty()) {
        setState(State::Refused, refusal);
        m_conn.close();
        return false;
    }
    const PgResult station = m_conn.exec("SELECT tintwell.current_station()");
    if (!station.ok() || station.isNull(0, 0)) {
        setState(State::Refused,
                 station.ok() ? tr("The role %1 is not registered as a station on the station database %2.")
                                    .arg(m_config.user, m_config.serverName())
                              : tr("The station database %1 refused: %2").arg(m_config.serverName(), m_conn.errorText()));
        m_conn.close();
        return false;
    }
    const PgResult session = m_conn.exec(
        "INSERT INTO tintwell.sessions (id, station_id, host, program_version) "
        "VALUES ($1, tintwell.current_station(), $2, $3) ON CONFLICT (id) DO NOTHING",
        {m_session.toString(QUuid::WithoutBraces).toUtf8(), QSysInfo::machineHostName().toUtf8(),
         m_options.programVersion.toUtf8()});
    if (!session.ok()) {
        setState(m_conn.connectionLost() ? State::Offline : State::Refused,
                 tr("The station database %1 refused: %2").arg(m_config.serverName(), m_conn.errorText()));
        m_conn.close();
        return false;
    }
    qCInfo(lcStationSync) << "sending to" << m_config.serverName() << "as" << m_config.user;
    return true;
}

// Records the outbox cannot read leave the queue as refusals with their
// reason, as records the server refused do. false when that could not be
// recorded (they come again).
bool SyncWorker::setAsideUnreadable(QList<OutboxEntry>* entries)
{
    QList<OutboxKey> unreadable;
    for (auto it = entries->begin(); it != entries->end();) {
        if (it->unreadable) {
            unreadable.append({it->record.id, it->record.version});
            it = entries->erase(it);
        } else {
            ++it;
        }
    }
    if (unreadable.isEmpty()) {
        return true;
    }
    const QString reason = tr("The journal's copy of this record is damaged and cannot be read; it is not sent.");
    if (!m_outbox->reject(unreadable, reason)) {
        qCWarning(lcStationSync) << "the journal did not record the refusal of" << unreadable.size()
                                 << "records it cannot read";
        return false;
    }
    qCWarning(lcStationSync) << unreadable.size() << "records the journal cannot read are set aside";
    m_refusedStale = true;
    Q_EMIT rejected(int(unreadable.size()), reason);
    return true;
}

SyncWorker::Outcome SyncWorker::send(const QList<OutboxEntry>& batch)
{
    QList<OutboxEntry> all = batch;
    if (!setAsideUnreadable(&all) && all.isEmpty()) {
        // Nothing else to send: wait before reading the same rows again.
        return Outcome::Retry;
    }
    if (all.isEmpty()) {
        return Outcome::Sent;
    }
    QList<OutboxKey> superseded;
    const QList<OutboxEntry> entries = newestVersions(all, &superseded);
    const QList<OutboxKey> keys = keysOf(entries);
    if (m_options.beforeSend) {
        m_options.beforeSend(keys);
    }
    const PgResult r = m_conn.execPrepared("tintwell_send", {recordBatch(entries), m_session.toString(QUuid::WithoutBraces).toUtf8()});
    m_prepares = m_conn.prepareCount();
    if (r.ok()) {
        if (m_options.afterCommit) {
            m_options.afterCommit(keys);
        }
        // Not recorded: the batch goes again, which the server shrugs off.
        if (!m_outbox->acknowledge(keys + superseded)) {
            qCWarning(lcStationSync) << "the journal did not record the acknowledgement of" << keys.size() << "records";
        }
        Q_EMIT acknowledged(int(keys.size()));
        m_refusedStale = true;
        return Outcome::Sent;
    }
    if (m_conn.connectionLost()) {
        setState(State::Offline, tr("The connection to the station database %1 was lost: %2")
                                     .arg(m_config.serverName(), m_conn.errorText()));
        return Outcome::Lost;
    }
    const QString error = m_conn.errorText();
    if (passingFailure(m_conn.sqlState())) {
        setState(State::Offline, tr("The station database %1 did not take the records this time, trying again: %2")
                                     .arg(m_config.serverName(), error));
        return Outcome::Retry;
    }
    if (rowRefusals(m_conn.sqlState())) {
        return sendOneByOne(entries);
    }
    setState(State::Refused, tr("The station database %1 refused the records: %2").arg(m_config.serverName(), error));
    return Outcome::Retry;
}

// A statement error that may be about some rows only: bad values, a broken
// constraint, or row-level security refusing a row of another station. A
// missing privilege on the whole table (also 42501) is told apart by asking.
bool SyncWorker::rowRefusals(const QByteArray& sqlState)
{
    if (sqlState.startsWith("22") || sqlState.startsWith("23")) {
        return true;
    }
    if (sqlState != "42501") {
        return false;
    }
    const PgResult probe = m_conn.exec("SELECT has_table_privilege('tintwell.records', 'INSERT, UPDATE') "
                                       "AND tintwell.current_station() IS NOT NULL");
    return probe.ok() && probe.text(0, 0) == QLatin1String("t");
}

// Finds the refused records of a failed batch; the others are sent and
// acknowledged, the refused ones leave the queue with the server's reason.
SyncWorker::Outcome SyncWorker::sendOneByOne(const QList<OutboxEntry>& entries)
{
    int refused = 0;
    QString reason;
    for (const OutboxEntry& e : entries) {
        const QList<OutboxKey> key = keysOf({e});
        const PgResult r = m_conn.execPrepared("tintwell_send", {recordBatch({e}), m_session.toString(QUuid::WithoutBraces).toUtf8()});
        if (r.ok()) {
            if (m_options.afterCommit) {
                m_options.afterCommit(key);
            }
            m_outbox->acknowledge(key);
            Q_EMIT acknowledged(1);
            continue;
        }
        if (m_conn.connectionLost()) {
            return Outcome::Lost;
        }
        const QString error = m_conn.errorText();
        if (passingFailure(m_conn.sqlState())) {
            setState(State::Offline, tr("The station database %1 did not take the records this time, trying again: %2")
                                         .arg(m_config.serverName(), error));
            return Outcome::Retry;
        }
        if (!rowRefusals(m_conn.sqlState())) {
            setState(State::Refused,
                     tr("The station database %1 refused the records: %2").arg(m_config.serverName(), error));
            return Outcome::Retry;
        }
        reason = tr("The station database %1 refused record %2 (%3): %4")
                     .arg(m_config.serverName(), e.record.id.toString(QUuid::WithoutBraces), e.record.testName, error);
        qCWarning(lcStationSync).noquote() << reason;
        m_outbox->reject(key, reason);
        ++refused;
    }
    if (refused > 0) {
        m_refusedStale = true;
        Q_EMIT rejected(refused, reason);
    }
    return Outcome::Sent;
}

void SyncWorker::retryLater(bool immediately)
{
    if (m_stopped) {
        return;
    }
    ++m_failures;
    int delay = 0;
    if (!immediately) {
        delay = retryDelayMs(m_options, m_failures);
        // A refusal does not go away by itself: ask again only now and then.
        if (m_state == State::Refused) {
            delay = m_options.longestRetryDelayMs;
        }
    }
    m_waitingOutFailure = delay > 0;
    m_timer->start(delay);
}

void SyncWorker::setState(State state, const QString& message)
{
    if (state == m_state && message == m_message) {
        return;
    }
    m_state = state;
    m_message = message;
    if (!message.isEmpty()) {
        qCWarning(lcStationSync).noquote() << message;
    }
    Q_EMIT stateChanged(state, message);
}

void SyncWorker::publishCounts()
{
    const int waiting = m_outbox->unacknowledgedCount();
    // The records set aside change by a refusal, or by a change of a refused
    // record, which then waits and is sent: counted again only then, not at
    // every idle look.
    if (waiting != m_lastWaiting) {
        m_refusedStale = true;
        m_lastWaiting = waiting;
        Q_EMIT waitingChanged(waiting);
    }
    if (m_refusedStale) {
        m_refusedStale = false;
        const int refused = m_outbox->refusedCount();
        if (refused != m_lastRefused) {
            m_lastRefused = refused;
            Q_EMIT refusedChanged(refused);
        }
    }
}
