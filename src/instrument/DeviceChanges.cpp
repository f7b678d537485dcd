#include "DeviceChanges.h"

#include "LinkAccess.h"

#include <QLoggingCategory>
#include <QMetaObject>
#include <QObject>

#include <utility>

Q_LOGGING_CATEGORY(lcDeviceChanges, "tintwell.link.devices")

DeviceChanges::DeviceChanges(LinkMutex* lock, QObject* context, Handlers handlers)
    : m_lock(lock), m_context(context), m_handlers(std::move(handlers))
{
}

void DeviceChanges::deviceArrived()
{
    m_arrived = true;
    handleWhenFree();
}

void DeviceChanges::deviceRemoved()
{
    m_removed = true;
    handleWhenFree();
}

void DeviceChanges::handleWhenFree()
{
    if (m_lock && m_lock->isHeldByCurrentThread()) {
        qCDebug(lcDeviceChanges) << "device change kept until the exchange in progress ends";
        if (!m_armed) {
            m_armed = true;
            // Posted, not called: the exchange letting go may still be on its
            // way out (its failure box, its page's state); the change is
            // handled once the event loop gets to it.
            QPointer<QObject> context = m_context;
            m_lock->runAfterRelease([this, context] {
                if (context) {
                    QMetaObject::invokeMethod(context, [this] { replay(); }, Qt::QueuedConnection);
                }
            });
        }
        return;
    }
    const bool removed = std::exchange(m_removed, false);
    const bool arrived = std::exchange(m_arrived, false);
    if (removed && m_handlers.removed) {
        m_handlers.removed();
    }
    if (arrived && m_handlers.arrived) {
        m_handlers.arrived();
    }
}

void DeviceChanges::replay()
{
    m_armed = false;
    // Handled already when a later notice found the lock free; kept again
    // when another exchange took the lock before the event loop got here.
    handleWhenFree();
}
