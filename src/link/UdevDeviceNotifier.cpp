#include "UdevDeviceNotifier.h"

#include "LazyLinkLibraries.h"
#include "LinkLog.h"

#include <QSocketNotifier>

#include <cstring>
#include <libudev.h>

UdevDeviceNotifier::UdevDeviceNotifier(QObject* parent) : DeviceNotifier(parent) {}

UdevDeviceNotifier::~UdevDeviceNotifier()
{
    delete m_notifier;
    if (m_monitor) {
        udev_monitor_unref(m_monitor);
    }
    if (m_udev) {
        udev_unref(m_udev);
    }
}

bool UdevDeviceNotifier::start()
{
    if (m_monitor) {
        return true;
    }
    m_udev = udev_new();
    if (!m_udev) {
        if (!udevLoadError().empty()) {
            qCWarning(lcLink).noquote()
                << QString::fromStdString(udevLoadError()) + QStringLiteral(": device notifications are off");
        } else {
            qCWarning(lcLink) << "udev unavailable: device notifications are off";
        }
        return false;
    }
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor) {
        qCWarning(lcLink) << "udev monitor unavailable: device notifications are off";
        return false;
    }
    // A failed filter is only logged; the other one still applies.
    for (const char* subsystem : {"hidraw", "usb"}) {
        if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, subsystem, nullptr) < 0) {
            qCWarning(lcLink) << "cannot watch subsystem" << subsystem;
        }
    }
    if (udev_monitor_enable_receiving(m_monitor) < 0) {
        qCWarning(lcLink) << "udev monitor cannot receive: device notifications are off";
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return false;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevDeviceNotifier::onReadable);
    return true;
}

void UdevDeviceNotifier::onReadable()
{
    struct udev_device* device = udev_monitor_receive_device(m_monitor);
    if (!device) {
        return;
    }
    const char* action = udev_device_get_action(device);
    const char* subsystem = udev_device_get_subsystem(device);
    qCDebug(lcLink) << "device change" << action << subsystem << udev_device_get_syspath(device);
    const bool isAdd = action && std::strcmp(action, "add") == 0;
    const bool isRemove = action && std::strcmp(action, "remove") == 0;
    udev_device_unref(device);
    if (isAdd) {
        Q_EMIT deviceArrived();
    } else if (isRemove) {
        Q_EMIT deviceRemoved();
    }
}
