#pragma once
// Sends the journal's unacknowledged records to the station database, on the
// thread it is moved to (never the user-interface thread). A batch is one
// INSERT ... ON CONFLICT (id) statement: a record the server already holds at
// this version is left alone, a newer version replaces it, so a resent batch
// is a success. Records are acknowledged in the journal only after the
// server's commit, in the order they were journaled. When the server is away
// the worker waits longer after each failed attempt and reports the failure
// once; measuring and journaling go on regardless.

#include "Outbox.h"
#include "PgConnection.h"

#include <QObject>
#include <QUuid>

#include <atomic>
#include <functional>

class QTimer;

struct SyncOptions
{
    int batchSize = 500;
    int firstRetryDelayMs = 250;   // doubled after each failed attempt ...
    int longestRetryDelayMs = 30000; // ... up to this
    int idlePollMs = 2000;         // looks for records journaled elsewhere
    QString programVersion;
    // The station's copy of the library of standards, kept up to date from
    // the server's; empty: none kept.
    QString standardsPath;
    // Called on the worker's thread after the server committed a batch and
    // before the journal acknowledges it; and before each batch is sent.
    std::function<void(const QList<OutboxKey>&)> afterCommit;
    std::function<void(const QList<OutboxKey>&)> beforeSend;
};

// The wait before the next attempt after `failures` failed attempts in a
// row (the first failure waits firstRetryDelayMs): doubled each time, up to
// longestRetryDelayMs.
int retryDelayMs(const SyncOptions& options, int failures);

class SyncWorker : public QObject
{
    Q_OBJECT
public:
    enum class State {
        Connecting,
        Online,    // connected; everything sent or being sent
        Offline,   // the server cannot be reached; trying again
        Refused,   // the server is reached but not written to (schema, role)
    };
    Q_ENUM(State)

    // outbox outlives the worker.
    SyncWorker(StationConfig config, Outbox* outbox, SyncOptions options = {});
    ~SyncWorker() override;

    // For tests and the status line: backends connected to, statement sets prepared.
    int connectionCount() const { return m_connections.load(); }
    int prepareCount() const { return m_prepares.load(); }

public Q_SLOTS:
    void start();
    // New records were journaled: send them now unless waiting out a failure.
    void wake();
    void stop();

Q_SIGNALS:
    // message: empty when all is well; otherwise names the server and
    // PostgreSQL's message. Emitted when the state or the message changes.
    void stateChanged(SyncWorker::State state, const QString& message);
    // Records the server has not yet acknowledged.
    void waitingChanged(int waiting);
    void acknowledged(int count);
    // Records the server refused for good, or the journal could not read;
    // they no longer hold up the rest.
    void rejected(int count, const QString& message);
    // Records set aside so far (refused, unreadable), as the outbox keeps them.
    void refusedChanged(int refused);

private:
    enum class Outcome { Sent, Lost, Retry };
    void step();
    bool connectAndCheck();
    Outcome send(const QList<OutboxEntry>& entries);
    Outcome sendOneByOne(const QList<OutboxEntry>& entries);
    bool setAsideUnreadable(QList<OutboxEntry>* entries);
    bool rowRefusals(const QByteArray& sqlState);
    void retryLater(bool immediately = false);
    void setState(State state, const QString& message);
    void publishCounts();

    StationConfig m_config;
    Outbox* m_outbox;
    SyncOptions m_options;
    PgConnection m_conn;
    QTimer* m_timer = nullptr;
    QUuid m_session = QUuid::createUuid();
    State m_state = State::Connecting;
    QString m_message;
    int m_failures = 0;
    bool m_waitingOutFailure = false;
    bool m_stopped = false;
    int m_lastWaiting = -1;
    int m_lastRefused = -1;
    bool m_refusedStale = true; // counted again at the next publishCounts()
    std::atomic<int> m_connections{0};
    std::atomic<int> m_prepares{0};
};
