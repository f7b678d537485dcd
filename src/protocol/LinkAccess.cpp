#include "LinkAccess.h"

#include "ProtocolLog.h"

#include <QThread>

#include <utility>

bool LinkMutex::lock()
{
    if (isHeldByCurrentThread()) {
        qCWarning(lcProtocol) << "an exchange asked for the link lock that its own thread holds; refused";
        return false;
    }
    m_mutex.lock();
    m_holder.store(QThread::currentThreadId());
    return true;
}

bool LinkMutex::tryLock(int timeoutMs)
{
    if (isHeldByCurrentThread() || !m_mutex.tryLock(timeoutMs)) {
        return false;
    }
    m_holder.store(QThread::currentThreadId());
    return true;
}

void LinkMutex::unlock()
{
    // Taken while still held: only the holder writes the step.
    std::function<void()> step = std::exchange(m_afterRelease, nullptr);
    m_holder.store(nullptr);
    m_mutex.unlock();
    if (step) {
        step();
    }
}

bool LinkMutex::isHeldByCurrentThread() const
{
    return m_holder.load() == QThread::currentThreadId();
}

void LinkMutex::runAfterRelease(std::function<void()> step)
{
    if (!isHeldByCurrentThread()) {
        // Nothing of this thread to wait for.
        if (step) {
            step();
        }
        return;
    }
    m_afterRelease = std::move(step);
}
