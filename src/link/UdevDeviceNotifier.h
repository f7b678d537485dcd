#pragma once
#include "DeviceNotifier.h"

struct udev;
struct udev_monitor;
class QSocketNotifier;

// Arrival and removal of USB and hidraw devices from the kernel, through a
// libudev monitor watched on the event loop.
class UdevDeviceNotifier final : public DeviceNotifier
{
    Q_OBJECT
public:
    explicit UdevDeviceNotifier(QObject* parent = nullptr);
    ~UdevDeviceNotifier() override;
    bool start() override;

private:
    void onReadable();

    struct udev* m_udev = nullptr;
    struct udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
};
