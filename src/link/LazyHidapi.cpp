// hidapi is opened when the instrument is first looked for, not when Tintwell
// starts: the search only begins after the window's first frame, yet the
// loader would map and relocate hidapi and libudev before main() for every
// start. The programs are not linked with hidapi; these definitions of the
// hidapi functions they call open "libhidapi-hidraw.so.0" (or
// $TINTWELL_HIDAPI) on the first call and hand every call on. When hidapi
// cannot be opened, hid_init fails (HidapiBackend then logs
// hidapiLoadError() once), enumeration finds nothing and opening fails; no
// other function is then ever given a device.
//
// A hidapi function called anywhere else must be added here (the link fails
// until it is).

#include "LazyLinkLibraries.h"

#include "LazyLibrary.h"

#include <hidapi/hidapi.h>

namespace {

const LazyLibrary& library()
{
    static const LazyLibrary lib("TINTWELL_HIDAPI", "libhidapi-hidraw.so.0", "hidapi");
    return lib;
}

} // namespace

const std::string& hidapiLoadError()
{
    return library().error();
}

extern "C" {

int hid_init()
{
    TINTWELL_REAL(hid_init);
    return real ? real() : -1;
}

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    TINTWELL_REAL(hid_enumerate);
    return real ? real(vendor_id, product_id) : nullptr;
}

void hid_free_enumeration(hid_device_info* devs)
{
    TINTWELL_REAL(hid_free_enumeration);
    if (real) {
        real(devs);
    }
}

hid_device* hid_open_path(const char* path)
{
    TINTWELL_REAL(hid_open_path);
    return real ? real(path) : nullptr;
}

void hid_close(hid_device* dev)
{
    TINTWELL_REAL(hid_close);
    if (real) {
        real(dev);
    }
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length)
{
    TINTWELL_REAL(hid_write);
    return real ? real(dev, data, length) : -1;
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int milliseconds)
{
    TINTWELL_REAL(hid_read_timeout);
    return real ? real(dev, data, length, milliseconds) : -1;
}

} // extern "C"
