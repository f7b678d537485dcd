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
    connect(m_worker, &SyncWorker::acknowledged, this, &StationSync::acknowledged);
    connect(m_worker, &SyncWorker::rejected, this, &StationSync::rejected);
    m_thread.start();
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
