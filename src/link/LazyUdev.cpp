// libudev is opened when device notifications start, not when Tintwell
// starts: they start after the window's first frame, yet the loader would map
// and relocate libudev before main() for every start. The programs are not
// linked with libudev; these definitions of the libudev functions they call
// open "libudev.so.1" (or $TINTWELL_LIBUDEV) on the first call and hand every
// call on. When libudev cannot be opened, udev_new fails (the notifier then
// says why and does not start); no other function is then ever given a udev
// context, monitor or device.
//
// A libudev function called anywhere else must be added here (the link fails
// until it is).

#include "LazyLinkLibraries.h"

#include "LazyLibrary.h"

#include <libudev.h>

#include <cerrno>

namespace {

const LazyLibrary& library()
{
    static const LazyLibrary lib("TINTWELL_LIBUDEV", "libudev.so.1", "libudev");
    return lib;
}

} // namespace

const std::string& udevLoadError()
{
    return library().error();
}

extern "C" {

struct udev* udev_new(void)
{
    TINTWELL_REAL(udev_new);
    return real ? real() : nullptr;
}

struct udev* udev_unref(struct udev* udev)
{
    TINTWELL_REAL(udev_unref);
    return real ? real(udev) : nullptr;
}

struct udev_monitor* udev_monitor_new_from_netlink(struct udev* udev, const char* name)
{
    TINTWELL_REAL(udev_monitor_new_from_netlink);
    return real ? real(udev, name) : nullptr;
}

struct udev_monitor* udev_monitor_unref(struct udev_monitor* udev_monitor)
{
    TINTWELL_REAL(udev_monitor_unref);
    return real ? real(udev_monitor) : nullptr;
}

int udev_monitor_filter_add_match_subsystem_devtype(struct udev_monitor* udev_monitor, const char* subsystem,
                                                    const char* devtype)
{
    TINTWELL_REAL(udev_monitor_filter_add_match_subsystem_devtype);
    return real ? real(udev_monitor, subsystem, devtype) : -ENOSYS;
}

int udev_monitor_enable_receiving(struct udev_monitor* udev_monitor)
{
    TINTWELL_REAL(udev_monitor_enable_receiving);
    return real ? real(udev_monitor) : -ENOSYS;
}

int udev_monitor_get_fd(struct udev_monitor* udev_monitor)
{
    TINTWELL_REAL(udev_monitor_get_fd);
    return real ? real(udev_monitor) : -ENOSYS;
}

struct udev_device* udev_monitor_receive_device(struct udev_monitor* udev_monitor)
{
    TINTWELL_REAL(udev_monitor_receive_device);
    return real ? real(udev_monitor) : nullptr;
}

struct udev_device* udev_device_unref(struct udev_device* udev_device)
{
    TINTWELL_REAL(udev_device_unref);
    return real ? real(udev_device) : nullptr;
}

const char* udev_device_get_action(struct udev_device* udev_device)
{
    TINTWELL_REAL(udev_device_get_action);
    return real ? real(udev_device) : nullptr;
}

const char* udev_device_get_subsystem(struct udev_device* udev_device)
{
    TINTWELL_REAL(udev_device_get_subsystem);
    return real ? real(udev_device) : nullptr;
}

const char* udev_device_get_syspath(struct udev_device* udev_device)
{
    TINTWELL_REAL(udev_device_get_syspath);
    return real ? real(udev_device) : nullptr;
}

} // extern "C"
