#include "MyThread.h"

#include "Transport.h"

#include <QLoggingCategory>
#include <QThread>

Q_LOGGING_CATEGORY(lcWorker, "tintwell.workspace.worker")

MyThread::MyThread(Transport& transport, LinkMutex* lock, QObject* parent)
    : QObject(parent), m_transport(transport), m_lock(lock), m_home(QThread::currentThread())
{
}

void MyThread::requestStop()
{
    m_stop.store(true);
    m_transport.wakeInputWaiter();
}

void MyThread::startThreadSlot()
{
    // Input announced but not read yet because an exchange held the link:
    // read as soon as the lock is free instead of waiting again (the device
    // may not announce the same bytes twice).
    bool inputWaiting = false;
    while (!m_stop.load()) {
        if (!inputWaiting) {
            inputWaiting = m_transport.waitForInput(kIdleWaitMs);
            if (!inputWaiting) {
                continue; // nothing came, or woken to look at the stop flag
            }
        }
        if (m_lock && !m_lock->tryLock(kLockAttemptMs)) {
            continue; // the user-interface thread holds the link; look at the flag again
        }
        if (m_stop.load()) {
            if (m_lock) {
                m_lock->unlock();
            }
            break;
        }
        inputWaiting = false;
        QByteArray chunk;
        const int received = m_transport.receiveAvailable(chunk);
        if (received > 0 && !chunk.isEmpty()) {
            // Queued while the lock is held: an exchange that takes the lock
            // next and then handles posted events finds this chunk among them.
            Q_EMIT senddata(chunk);
        }
        if (m_lock) {
            m_lock->unlock();
        }
        if (received < 0) {
            m_transport.delayMs(kFailedReadPauseMs);
        }
    }
    // Back to the thread that created it, which frees it once it is stopped.
    moveToThread(m_home);
    qCDebug(lcWorker) << "worker stopped";
    m_loopEnded.store(true, std::memory_order_release); // nothing of this object is touched after it
}

ReceiveWorker::ReceiveWorker(LinkAccess& link) : m_link(link)
{
}

ReceiveWorker::~ReceiveWorker()
{
    stop();
}

void ReceiveWorker::start(const std::function<void(MyThread*)>& connect)
{
    stop();
    auto* thread = new QThread;
    auto worker = std::make_unique<MyThread>(m_link.transport(), m_link.linkMutex());
    if (connect) {
        connect(worker.get());
    }
    worker->moveToThread(thread);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    QObject::connect(thread, &QThread::started, worker.get(), &MyThread::startThreadSlot);
    m_thread = thread;
    m_worker = std::move(worker);
    thread->start(QThread::InheritPriority);
    qCDebug(lcWorker) << "worker started";
}

void ReceiveWorker::stop()
{
    if (!m_worker) {
        return;
    }
    m_worker->requestStop();
    if (m_thread) {
        m_thread->quit();
        m_thread->wait();
    }
    // The thread deletes itself later; the worker is back on this thread and
    // the lock belongs to the link, so the worker can go now.
    if (!m_worker->loopEnded()) {
        qCWarning(lcWorker) << "worker freed without its loop having ended";
    }
    m_worker.reset();
    m_thread = nullptr;
}

bool ReceiveWorker::isRunning() const
{
    return m_worker && m_thread && m_thread->isRunning();
}
