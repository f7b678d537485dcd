#include "HidapiBackend.h"

#include "LazyLinkLibraries.h"
#include "LinkLog.h"

#include <QString>

#include <hidapi/hidapi.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr std::size_t kMaxDistinctSerials = 6;

bool initialiseHidapi()
{
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] {
        ok = hid_init() == 0;
        if (ok) {
            return;
        }
        if (!hidapiLoadError().empty()) {
            qCWarning(lcLink).noquote() << QString::fromStdString(hidapiLoadError());
        } else {
            qCWarning(lcLink) << "hidapi could not be initialised";
        }
    });
    return ok;
}

struct Candidate
{
    std::string path;
    std::string serial;
};

std::string narrowSerial(const wchar_t* serial, unsigned& emptyCounter)
{
    std::string text;
    if (serial) {
        text = QString::fromWCharArray(serial).toStdString();
    }
    if (text.empty()) {
        text = QString::asprintf("SerNum %x", emptyCounter++).toStdString();
    }
    return text;
}

// Matching interfaces that can be opened now, in enumeration order.
std::vector<Candidate> openableInterfaces(std::uint16_t vendorId, std::uint16_t productId)
{
    std::vector<Candidate> found;
    unsigned emptyCounter = 0;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (hid_device_info* info = list; info; info = info->next) {
        if (info->vendor_id != vendorId || info->product_id != productId || !info->path) {
            continue;
        }
        hid_device* probe = hid_open_path(info->path);
        if (!probe) {
            qCDebug(lcLink) << "HID interface cannot be opened:" << info->path;
            continue;
        }
        hid_close(probe);
        found.push_back({info->path, narrowSerial(info->serial_number, emptyCounter)});
    }
    hid_free_enumeration(list);
    return found;
}

} // namespace

HidapiBackend::HidapiBackend()
{
    initialiseHidapi();
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

HidapiBackend::HidapiBackend(std::string onlyPath) : m_onlyPath(std::move(onlyPath))
{
    initialiseHidapi();
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

std::vector<HidInstrumentInterface> HidapiBackend::attachedInstruments(std::uint16_t vendorId,
                                                                       std::uint16_t productId)
{
    std::vector<HidInstrumentInterface> found;
    if (!initialiseHidapi()) {
        return found;
    }
    unsigned emptyCounter = 0;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (hid_device_info* info = list; info; info = info->next) {
        if (info->vendor_id != vendorId || info->product_id != productId || !info->path) {
            continue;
        }
        const std::string serial = narrowSerial(info->serial_number, emptyCounter);
        auto same = std::find_if(found.begin(), found.end(),
                                 [&](const HidInstrumentInterface& i) { return i.serial == serial; });
        if (same == found.end()) {
            found.push_back({info->path, serial});
        } else {
            same->path = info->path; // the last interface of a device, as open() takes it
        }
    }
    hid_free_enumeration(list);
    return found;
}

bool HidapiBackend::openPath(const std::string& path)
{
    m_device = hid_open_path(path.c_str());
    if (!m_device) {
        qCDebug(lcLink) << "HID interface cannot be opened:" << path.c_str();
        return false;
    }
    m_path = path;
    openWatch();
    return true;
}

void HidapiBackend::openWatch()
{
    {
        std::lock_guard<std::mutex> lock(m_waitMutex);
        m_watchFd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    }
    if (m_watchFd < 0) {
        qCDebug(lcLink) << "no second descriptor on" << m_path.c_str() << "; the receive worker polls";
    }
}

HidapiBackend::~HidapiBackend()
{
    close();
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
    }
}

bool HidapiBackend::open(std::uint16_t vendorId, std::uint16_t productId)
{
    close();
    if (!initialiseHidapi()) {
        return false;
    }
    if (!m_onlyPath.empty()) {
        // Only an interface of an instrument: never some other HID device named by mistake.
        bool listed = false;
        hid_device_info* list = hid_enumerate(vendorId, productId);
        for (hid_device_info* info = list; info; info = info->next) {
            listed = listed || (info->path && m_onlyPath == info->path);
        }
        hid_free_enumeration(list);
        if (!listed || !openPath(m_onlyPath)) {
            return false;
        }
        m_vendorId = vendorId;
        m_productId = productId;
        return true;
    }
    const std::vector<Candidate> candidates = openableInterfaces(vendorId, productId);
    std::vector<std::string> serials;
    for (const Candidate& c : candidates) {
        if (serials.size() < kMaxDistinctSerials
            && std::find(serials.cbegin(), serials.cend(), c.serial) == serials.cend()) {
            serials.push_back(c.serial);
        }
    }
    if (serials.empty()) {
        return false;
    }
    const std::string& target = serials.back();
    const std::size_t perDevice = candidates.size() / serials.size();
    if (perDevice == 0) {
        return false;
    }
    std::vector<const Candidate*> ofTarget;
    for (const Candidate& c : candidates) {
        if (c.serial == target) {
            ofTarget.push_back(&c);
        }
    }
    const Candidate* chosen = ofTarget.at(std::min(perDevice, ofTarget.size()) - 1);
    m_device = hid_open_path(chosen->path.c_str());
    if (!m_device) {
        qCDebug(lcLink) << "HID interface vanished before opening:" << chosen->path.c_str();
        return false;
    }
    m_path = chosen->path;
    openWatch();
    m_vendorId = vendorId;
    m_productId = productId;
    qCDebug(lcLink) << "opened HID interface" << m_path.c_str() << "serial" << target.c_str();
    return true;
}

void HidapiBackend::close()
{
    wakeInputWaiter();
    {
        std::lock_guard<std::mutex> lock(m_waitMutex);
        if (m_watchFd >= 0) {
            ::close(m_watchFd);
            m_watchFd = -1;
        }
    }
    if (m_device) {
        hid_close(m_device);
        m_device = nullptr;
    }
    m_path.clear();
}

int HidapiBackend::writeReport(const std::uint8_t* report, std::size_t length, int timeoutMs)
{
    Q_UNUSED(timeoutMs)
    if (!m_device) {
        return -1;
    }
    return hid_write(m_device, report, length);
}

int HidapiBackend::readReport(std::uint8_t* report, std::size_t capacity, int timeoutMs)
{
    if (!m_device) {
        return -1;
    }
    return hid_read_timeout(m_device, report, capacity, timeoutMs);
}

bool HidapiBackend::waitForInput(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_waitMutex);
    if (m_watchFd < 0 || m_wakeFd < 0) {
        lock.unlock();
        return HidBackend::waitForInput(timeoutMs);
    }
    pollfd fds[2] = {{m_watchFd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    if (::poll(fds, 2, std::max(timeoutMs, 0)) <= 0) {
        return false; // expired (or a signal): the caller looks again
    }
    if (fds[1].revents & POLLIN) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t ignored = ::read(m_wakeFd, &count, sizeof count);
    }
    if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
        return true; // unplugged: the read reports it
    }
    if (fds[0].revents & POLLIN) {
        // Only the copies are thrown away; the reports wait on hidapi's descriptor.
        std::uint8_t discard[256];
        while (::read(m_watchFd, discard, sizeof discard) > 0) {
        }
        return true;
    }
    return false;
}

void HidapiBackend::wakeInputWaiter()
{
    if (m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(m_wakeFd, &one, sizeof one);
    }
}

bool HidapiBackend::isPresent()
{
    if (!m_device) {
        return false;
    }
    bool present = false;
    hid_device_info* list = hid_enumerate(m_vendorId, m_productId);
    for (hid_device_info* info = list; info; info = info->next) {
        if (info->path && m_path == info->path) {
            present = true;
            break;
        }
    }
    hid_free_enumeration(list);
    return present;
}
