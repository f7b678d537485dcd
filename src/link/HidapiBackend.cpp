#include "HidapiBackend.h"

#include "LinkLog.h"

#include <QString>

#include <hidapi/hidapi.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

constexpr std::size_t kMaxDistinctSerials = 6;

bool initialiseHidapi()
{
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] {
        ok = hid_init() == 0;
        if (!ok) {
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
}

HidapiBackend::HidapiBackend(std::string onlyPath) : m_onlyPath(std::move(onlyPath))
{
    initialiseHidapi();
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
    return true;
}

HidapiBackend::~HidapiBackend()
{
    close();
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
    m_vendorId = vendorId;
    m_productId = productId;
    qCDebug(lcLink) << "opened HID interface" << m_path.c_str() << "serial" << target.c_str();
    return true;
}

void HidapiBackend::close()
{
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
