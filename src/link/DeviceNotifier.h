#pragma once
#include <QObject>

// Tells the main window that some USB/HID device arrived or was removed.
// It does not say which: the window opens on any arrival while disconnected,
// and on removal asks its link whether the instrument itself is gone.
class DeviceNotifier : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Starts listening; false when the source could not be set up (logged).
    virtual bool start() = 0;

Q_SIGNALS:
    void deviceArrived();
    void deviceRemoved();
};

// A notifier fed by hand: the emulator's plug and unplug, and tests.
class ManualDeviceNotifier : public DeviceNotifier
{
    Q_OBJECT
public:
    using DeviceNotifier::DeviceNotifier;
    bool start() override { return true; }
    void arrive() { Q_EMIT deviceArrived(); }
    void remove() { Q_EMIT deviceRemoved(); }
};
