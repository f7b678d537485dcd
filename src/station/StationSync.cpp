#include "StationSync.h"

#include "StandardsWorker.h"

StationSync::StationSync(StationConfig config, Outbox* outbox, SyncOptions options, QObject* parent)
    : QObject(parent)
    , m_worker(new SyncWorker(config, outbox, options))
{
    m_thread.setObjectName(QStringLiteral("station sync"));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &SyncWorker::stateChanged, this, [this](SyncWorker::State state, const QString& message) {
        m_state = state;
        m_message = message;
        Q_EMIT stateChanged(state, message);
    });
    connect(m_worker, &SyncWorker::waitingChanged, this, [this](int waiting) {
        m_waiting = waiting;
        Q_EMIT waitingChanged(waiting);
    });
    connect(m_worker, &SyncWorker::refusedChanged, this, [this](int refused) {
        m_refused = refused;
        Q_EMIT refusedChanged(refused);
    });
    connect(m_worker, &SyncWorker::acknowledged, this, &StationSync::acknowledged);
    connect(m_worker, &SyncWorker::rejected, this, &StationSync::rejected);
    if (!options.standardsPath.isEmpty()) {
        m_standards = new StandardsWorker(config, options.standardsPath, options);
        m_standards->moveToThread(&m_thread);
        connect(&m_thread, &QThread::finished, m_standards, &QObject::deleteLater);
        connect(m_standards, &StandardsWorker::copied, this, [this](qint64 revision, bool whole, int count) {
            m_standardsRevision = revision;
            Q_EMIT standardsCopied(revision, whole, count);
        });
        connect(m_standards, &StandardsWorker::keptLocal, this, &StationSync::standardsKept);
        connect(m_standards, &StandardsWorker::problem, this, [this](const QString& message) {
            m_standardsProblem = message;
            Q_EMIT standardsProblemChanged(message);
        });
    }
    // Sending is background work: the thread runs only when the program's
    // other threads (the window, the instrument's) do not want the CPU, so
    // the operator's measuring and journaling never wait for it. On Linux
    // this is SCHED_IDLE, which yields at once to a waking thread of the
    // program, where a nice value lets the sync finish its time slice first.
    m_thread.start(QThread::IdlePriority);
    QMetaObject::invokeMethod(m_worker, &SyncWorker::start, Qt::QueuedConnection);
    if (m_standards) {
        QMetaObject::invokeMethod(m_standards, &StandardsWorker::start, Qt::QueuedConnection);
    }
}

StationSync::~StationSync()
{
    if (m_standards) {
        QMetaObject::invokeMethod(m_standards, &StandardsWorker::stop, Qt::BlockingQueuedConnection);
    }
    QMetaObject::invokeMethod(m_worker, &SyncWorker::stop, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void StationSync::journaled()
{
    QMetaObject::invokeMethod(m_worker, &SyncWorker::wake, Qt::QueuedConnection);
}
