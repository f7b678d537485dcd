#pragma once
// Owns the sync worker and the thread it runs on, for the application: the
// worker's signals arrive here on the owner's thread; journaled() tells the
// worker new records are waiting. Destroying it stops the worker and waits
// for its thread (a statement in flight ends within the connection's
// time-outs).

#include "SyncWorker.h"

#include <QObject>
#include <QThread>

class StationSync : public QObject
{
    Q_OBJECT
public:
    // outbox outlives this object and is used from the worker's thread.
    StationSync(StationConfig config, Outbox* outbox, SyncOptions options = {}, QObject* parent = nullptr);
    ~StationSync() override;

    SyncWorker::State state() const { return m_state; }
    QString message() const { return m_message; }
    int waiting() const { return m_waiting; }
    // Records set aside (refused, unreadable); -1 until the worker counted them.
    int refused() const { return m_refused; }
    const SyncWorker* worker() const { return m_worker; }

public Q_SLOTS:
    void journaled();

Q_SIGNALS:
    void stateChanged(SyncWorker::State state, const QString& message);
    void waitingChanged(int waiting);
    void acknowledged(int count);
    void rejected(int count, const QString& message);
    void refusedChanged(int refused);

private:
    QThread m_thread;
    SyncWorker* m_worker;
    SyncWorker::State m_state = SyncWorker::State::Connecting;
    QString m_message;
    int m_waiting = -1;
    int m_refused = -1;
};
