// Imports stored LCh comparison records (24 data bytes and a 16-byte name
// each, read in 256-byte pages) from the paced emulated instrument through
// the production stack, and compares the rate with what the pacing allows:
// one report per millisecond, every report of both directions counted.
//
//   tintwell_import_bench [--records N] [--runs N]

#include "EmulatedLinkFactory.h"
#include "InstrumentEmulator.h"
#include "InstrumentIds.h"
#include "LinkTransport.h"
#include "RecordCommands.h"
#include "StoredRecords.h"
#include "VirtualInstrument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLChMode = 4;
constexpr int kLayout = 1; // TX420: its LCh count sits at 0x1604
constexpr quint32 kDataArea = 0x600000;
constexpr quint32 kNameArea = 0x640000;
constexpr int kDataBytes = 24;
constexpr int kNameBytes = 16;
constexpr int kPage = 256;
constexpr int kReportData = 62;

int reportsFor(int bytes)
{
    return (bytes + kReportData - 1) / kReportData;
}

struct Plan
{
    int requests = 0;
    int reports = 0; // output and input reports together
};

// The reports the import needs: per request its frame (8 bytes + checksum)
// out, and its reply (length + 10 bytes) in.
Plan planFor(int records)
{
    Plan plan;
    plan.requests = 1;
    plan.reports = reportsFor(10) + reportsFor(14); // the count cell
    for (const int area : {records * kDataBytes, records * kNameBytes}) {
        for (int at = 0; at < area; at += kPage) {
            const int n = std::min(kPage, area - at);
            ++plan.requests;
            plan.reports += reportsFor(10) + reportsFor(n + 10);
        }
    }
    return plan;
}

struct Run
{
    bool ok = false;
    double seconds = 0.0;
    int reportsMoved = 0;
};

Run importOnce(InstrumentEmulator& emulator, EmulatedLinkFactory& factory, int records)
{
    Run run;
    std::unique_ptr<CLinker> link = factory.openLink(kInstrumentVendorId, kInstrumentProductId);
    if (!link) {
        std::fprintf(stderr, "the emulated instrument did not open\n");
        return run;
    }
    LinkTransport transport;
    transport.setLink(link.get());
    const int before = emulator.outputReportCount() + emulator.inputReportCount();

    QByteArray data;
    QByteArray names;
    QElapsedTimer timer;
    timer.start();
    int count = 0;
    bool ok = readComparisonRecordCount(transport, count, kLChMode, kLayout) == 1 && count == records;
    for (int at = 0; ok && at < count * kDataBytes; at += kPage) {
        ok = readBlock(transport, kDataArea + at, data, std::min(kPage, count * kDataBytes - at)) == 1;
    }
    for (int at = 0; ok && at < count * kNameBytes; at += kPage) {
        ok = readBlock(transport, kNameArea + at, names, std::min(kPage, count * kNameBytes - at)) == 1;
    }
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.reportsMoved = emulator.outputReportCount() + emulator.inputReportCount() - before;
    link->Close();

    // What arrived must be what the instrument holds.
    const QByteArray storedData = emulator.instrument().readMemory(kDataArea, records * kDataBytes);
    const QByteArray storedNames = emulator.instrument().readMemory(kNameArea, records * kNameBytes);
    run.ok = ok && data == storedData && names == storedNames;
    if (!run.ok) {
        std::fprintf(stderr, "import failed or imported wrong bytes (count %d)\n", count);
    }
    return run;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Diagnostics would only add their own time to the measurement.
    QLoggingCategory::setFilterRules(QStringLiteral("tintwell.*.debug=false"));
    int records = 1000;
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--records")) {
            records = std::max(1, args.at(++i).toInt());
        } else if (args.at(i) == QLatin1String("--runs")) {
            runs = std::max(1, args.at(++i).toInt());
        }
    }

    auto emulator = std::make_shared<InstrumentEmulator>(QStringLiteral("TX420"));
    emulator->instrument().fillComparisonRecords(kLChMode, records);
    emulator->setPaced(true);
    EmulatedLinkFactory factory(emulator);

    const Plan plan = planFor(records);
    const qint64 payload = static_cast<qint64>(records) * (kDataBytes + kNameBytes);
    const double limitSeconds = plan.reports * 0.001;
    const double limitRate = payload / limitSeconds;
    std::printf("import of %d LCh records: %lld payload bytes, %d requests, %d reports (1 ms each)\n", records,
                static_cast<long long>(payload), plan.requests, plan.reports);
    std::printf("pacing limit: %.3f s, %.0f bytes/s\n", limitSeconds, limitRate);

    std::vector<double> ratios;
    for (int r = 1; r <= runs; ++r) {
        const Run run = importOnce(*emulator, factory, records);
        if (!run.ok) {
            return 1;
        }
        const double rate = payload / run.seconds;
        const double ratio = rate / limitRate;
        ratios.push_back(ratio);
        std::printf("run %d: %.3f s, %.0f bytes/s achieved vs %.0f bytes/s allowed: %.1f %% (%d reports moved)\n",
                    r, run.seconds, rate, limitRate, ratio * 100.0, run.reportsMoved);
    }
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios.at(ratios.size() / 2);
    std::printf("median: %.1f %% of the pacing limit (goal: at least 90 %%)\n", median * 100.0);
    return median >= 0.9 ? 0 : 2;
}
