#include "StationSync.h"

StationSync::StationSync(StationConfig config, Outbox* outbox, SyncOptions options, QObject* parent)
    : QObject(parent)
    , m_worker(new SyncWorker(std::move(config), outbox, std::move(options)))
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
    // Sending is background work: the thread runs only when the program's
    // other threads (the window, the instrument's) do not want the CPU, so
    // the operator's measuring and journaling never wait for it. On Linux
    // this is SCHED_IDLE, which yields at once to a waking thread of the
    // program, where a nice value lets the sync finish its time slice first.
    m_thread.start(QThread::IdlePriority);
    QMetaObject::invokeMethod(m_worker, &SyncWorker::start, Qt::QueuedConnection);
}

StationSync::~StationSync()
{
    QMetaObject::invokeMethod(m_worker, &SyncWorker::stop, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void StationSync::journaled()
{
    QMetaObject::invokeMethod(m_worker, &SyncWorker::wake, Qt::QueuedConnection);
}
