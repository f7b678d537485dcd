#pragma once
// Owns the sync worker and the thread it runs on, for the application: the
// worker's signals arrive here on the owner's thread; journaled() tells the
// worker new records are waiting. With options.standardsPath, a second
// worker on the same thread keeps the station's copy of the library of
// standards (StandardsWorker). Destroying it stops the worker and waits
// for its thread (a statement in flight ends within the connection's
// time-outs).

#include "SyncWorker.h"

class StandardsWorker;

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
    // The library revision the station's copy holds (0: none yet).
    qint64 standardsRevision() const { return m_standardsRevision; }
    QString standardsProblem() const { return m_standardsProblem; }

public Q_SLOTS:
    void journaled();

Q_SIGNALS:
    void stateChanged(SyncWorker::State state, const QString& message);
    void waitingChanged(int waiting);
    void acknowledged(int count);
    void rejected(int count, const QString& message);
    void refusedChanged(int refused);
    // The station's copy of the library changed (reload what shows it).
    void standardsCopied(qint64 revision, bool whole, int count);
    // Why the copy is not up to date (empty: it is again).
    void standardsProblemChanged(const QString& message);
    // Standards of this station only were written to path before the first
    // copy replaced them (StandardsWorker::keptLocal).
    void standardsKept(const QString& path, int count);

private:
    QThread m_thread;
    SyncWorker* m_worker;
    StandardsWorker* m_standards = nullptr;
    qint64 m_standardsRevision = 0;
    QString m_standardsProblem;
    SyncWorker::State m_state = SyncWorker::State::Connecting;
    QString m_message;
    int m_waiting = -1;
    int m_refused = -1;
};
