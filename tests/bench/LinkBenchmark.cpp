// How long the link takes where it waits: a read against a device that never
// stops sending reports that carry nothing, the identification of an
// instrument that refuses key information (short and long refusal), and the
// overshoot of a receive time-out against a silent instrument.
//
//   tintwell_link_bench [--runs N]

#include "BenchProcess.h"
#include "EmulatedLink.h"
#include "FakeHidBackend.h"
#include "Frames.h"
#include "IdentificationCommands.h"
#include "InstrumentIds.h"
#include "SettingsCommands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Stats
{
    std::vector<qint64> ms;
    void print(const char* what, const char* note = "") const
    {
        std::vector<qint64> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-52s min %5lld ms  median %5lld ms  max %5lld ms%s\n", what,
                    static_cast<long long>(sorted.front()), static_cast<long long>(sorted[sorted.size() / 2]),
                    static_cast<long long>(sorted.back()), note);
    }
};

qint64 floodedRead(const QByteArray& report)
{
    auto fake = std::make_unique<FakeHidBackend>();
    fake->flood = report;
    fake->floodForMs = 10000;
    CLinkerUSB link(std::move(fake));
    link.Open(kInstrumentVendorId, kInstrumentProductId);
    QByteArray buffer;
    QElapsedTimer timer;
    timer.start();
    link.ReadMessage(buffer, 200, 266);
    return timer.elapsed();
}

// Key information refused, then production information, software version
// and display parameter, as on connection; -1 when a step does not answer.
qint64 identifyRefusingInstrument(bool longRefusals, bool paced)
{
    EmulatedLink stack(QStringLiteral("TX470"));
    stack.transport.setReceiveTimeoutLimitMs(0);
    stack.emulator.setPaced(paced);
    stack.instrument().setLongRefusals(longRefusals);
    QElapsedTimer timer;
    timer.start();
    KeyInformation key;
    ProductionInformation production;
    int version = 0;
    int display = 0;
    if (readKeyInformation(stack.transport, key) != ProtocolResult::Refused
        || readProductionInformation(stack.transport, production) != ProtocolResult::Success
        || readSoftwareVersion(stack.transport, version) != ProtocolResult::Success
        || readDisplayParameter(stack.transport, display) != ProtocolResult::Success) {
        return -1;
    }
    return timer.elapsed();
}

qint64 refusedKeyInformation(bool paced)
{
    EmulatedLink stack(QStringLiteral("TX470"));
    stack.transport.setReceiveTimeoutLimitMs(0);
    stack.emulator.setPaced(paced);
    QElapsedTimer timer;
    timer.start();
    KeyInformation key;
    return readKeyInformation(stack.transport, key) == ProtocolResult::Refused ? timer.elapsed() : -1;
}

qint64 silentOvershoot()
{
    EmulatedLink stack;
    stack.transport.setReceiveTimeoutLimitMs(0);
    stack.emulator.injectFault(EmulatorFault::Silence);
    QElapsedTimer timer;
    timer.start();
    int a = 0, b = 0, c = 0;
    readTolerance(stack.transport, a, b, c);
    return timer.elapsed() - Frame::ReceiveTimeoutMs;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const QStringList args = app.arguments();
    const int runs = bench::intOption(args, "--runs", 5, 1);

    const QList<QPair<const char*, QByteArray>> floods = {
        {"ReadMessage(200 ms), foreign reports every 10 ms", QByteArray::fromHex("0105ab70")},
        {"ReadMessage(200 ms), zero-length reports every 10 ms", FakeHidBackend::dataReport(QByteArray(), 0)},
        {"ReadMessage(200 ms), one byte every 10 ms", FakeHidBackend::dataReport(QByteArray(1, '\0'))},
    };
    for (const auto& flood : floods) {
        Stats s;
        for (int i = 0; i < runs; ++i) {
            s.ms.push_back(floodedRead(flood.second));
        }
        s.print(flood.first, "  (bound: 250)");
    }
    for (bool paced : {false, true}) {
        Stats s;
        for (int i = 0; i < runs; ++i) {
            s.ms.push_back(refusedKeyInformation(paced));
        }
        s.print(paced ? "readKeyInformation TX470 -> -5, paced" : "readKeyInformation TX470 -> -5", "  (goal: < 500)");
    }
    for (bool longForm : {false, true}) {
        Stats s;
        for (int i = 0; i < runs; ++i) {
            s.ms.push_back(identifyRefusingInstrument(longForm, true));
        }
        s.print(longForm ? "identification TX470, long refusal, paced" : "identification TX470, short refusal, paced",
                longForm ? "  (waits out the 6 s time-out)" : "  (goal: < 1000)");
        if (longForm) {
            break;
        }
    }
    Stats s;
    for (int i = 0; i < std::min(runs, 2); ++i) {
        s.ms.push_back(silentOvershoot());
    }
    s.print("silent instrument: time past the 6000 ms time-out", "  (bound: 50)");
    return 0;
}
