#pragma once
// A scripted byte pipe for the situations the emulator does not produce on
// demand: counted output reports, foreign report ids, lying length bytes,
// failed writes, I/O errors and a device that never stops sending.

#include "HidBackend.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QThread>

#include <cstring>

class FakeHidBackend final : public HidBackend
{
public:
    // One scripted input: a report, a time-out (empty) or an I/O error.
    struct Input
    {
        QByteArray report;
        bool error = false;
    };

    bool open(std::uint16_t, std::uint16_t) override { return opens && (isOpen = true); }
    void close() override { isOpen = false; }
    int writeReport(const std::uint8_t* report, std::size_t length, int) override
    {
        if (failWriteAt >= 0 && written.size() == failWriteAt) {
            return -1;
        }
        written.append(QByteArray(reinterpret_cast<const char*>(report), static_cast<int>(length)));
        return static_cast<int>(length);
    }
    int readReport(std::uint8_t* report, std::size_t capacity, int timeoutMs) override
    {
        waits.append(timeoutMs);
        if (inputs.isEmpty() && !flood.isEmpty()) {
            return floodReport(report, capacity, timeoutMs);
        }
        if (inputs.isEmpty()) {
            return 0; // the wait expired
        }
        const Input in = inputs.takeFirst();
        if (in.error) {
            return -1;
        }
        const std::size_t n = std::min<std::size_t>(capacity, static_cast<std::size_t>(in.report.size()));
        std::memcpy(report, in.report.constData(), n);
        return static_cast<int>(n);
    }
    bool isPresent() override { return present; }

    // Once the script is used up, the report flood arrives every floodEveryMs
    // (real time), for floodForMs at most; silence after that.
    int floodReport(std::uint8_t* report, std::size_t capacity, int timeoutMs)
    {
        if (!floodClock.isValid()) {
            floodClock.start();
        }
        if (floodClock.elapsed() >= floodForMs || timeoutMs < floodEveryMs) {
            QThread::msleep(static_cast<unsigned long>(qMax(0, timeoutMs)));
            return 0;
        }
        QThread::msleep(static_cast<unsigned long>(floodEveryMs));
        const std::size_t n = std::min<std::size_t>(capacity, static_cast<std::size_t>(flood.size()));
        std::memcpy(report, flood.constData(), n);
        return static_cast<int>(n);
    }

    // An instrument report: 0x3F, length, data, padded to 64 bytes.
    static QByteArray dataReport(const QByteArray& data, int lengthByte = -1)
    {
        QByteArray r;
        r.append(char(0x3F));
        r.append(static_cast<char>(lengthByte < 0 ? data.size() : lengthByte));
        r.append(data);
        r.append(QByteArray(64 - r.size(), '\0'));
        return r;
    }
    void queueData(const QByteArray& data) { inputs.append({dataReport(data), false}); }

    bool opens = true;
    bool isOpen = false;
    bool present = true;
    int failWriteAt = -1;
    QList<QByteArray> written;
    QList<Input> inputs;
    QList<int> waits;
    QByteArray flood;
    int floodEveryMs = 10;
    int floodForMs = 5000;
    QElapsedTimer floodClock;
};
