// A shift under load: the emulated instrument (paced, 1 ms per report)
// pushes --pushes results (20 000) at one every --every ms (5) from its own
// thread, through the real receive worker and the workspace page (display
// pause off) with the journal on, while a 10 ms timer on the user-interface
// thread records how late it fires. A standard is pushed first and one sample
// scanned, so that every push after that is a sample and adds one row.
// Checked at the end: one row per push, in push order, none doubled; the
// journal's session holds every row; resident memory growth per 1000 rows
// after the first 1000; the timer's lateness (p99 and max).
//
//   tintwell_soak_bench [--pushes N] [--every MS]
//
// The last line is "lost: N" (pushes without their row, or out of order).

#include "BenchProcess.h"
#include "ComparisonDisplay.h"
#include "ComparisonRecordList.h"
#include "EmulatedLink.h"
#include "FirstPageFor310.h"
#include "RecordTables.h"
#include "InstrumentPanel.h"
#include "MeasurementSession.h"
#include "InstrumentLink.h"
#include "FirstPageForm.h"
#include "JournalKeeper.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int kLRow = 3;
constexpr int kTickMs = 10;

double lightnessOf(int push)
{
    return 20.0 + 0.01 * (push % 6000);
}

// Waits as the application's event loop does, asleep until events arrive (a
// 5 ms wake-up rechecks the condition). A loop spinning on processEvents would
// keep a core busy that the worker and the instrument need, and a thread that
// never sleeps is the one the scheduler makes wait on a loaded machine: that
// measured the bench's own loop, not the application's.
bool waitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer timer;
    timer.start();
    QTimer wake;
    wake.start(5);
    while (!condition()) {
        if (timer.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int pushes = bench::intOption(args, "--pushes", 20000, 1);
    const int everyMs = bench::intOption(args, "--every", 5, 1);

    QTemporaryDir dir;
    ScriptedDialogs dialogs; // any box would be a failure of the run
    EmulatedLink link(QStringLiteral("TX310"), 312);
    if (!link.opened || !dir.isValid()) {
        std::fprintf(stderr, "the emulated instrument did not open\n");
        return 1;
    }
    link.emulator.setPaced(true);
    InstrumentLink access(&link.transport);
    FirstPageFor310 page(access, dialogs);
    page.panel().loadModelTable(QCoreApplication::applicationDirPath() + QStringLiteral("/meterno"));
    if (!page.panel().identifyDevice()) {
        std::fprintf(stderr, "identification failed\n");
        return 1;
    }
    page.tables().startJournal(dir.filePath(QStringLiteral("journal.sqlite")));
    if (!page.tables().journal()) {
        std::fprintf(stderr, "the journal did not start\n");
        return 1;
    }
    page.session().pushedDisplayPauseMs = 0;
    page.openThreadSlot();
    QTableWidget* display = page.form().tableWidget_colorDiff;

    // The standard (pushed), then one scanned sample: from then on every push is a sample.
    link.instrument().queueReading({50.0, 1.0, 2.0, 10.0, 90.0});
    link.emulator.pressMeasureKey();
    if (!waitFor([&] { return ComparisonDisplay::cellText(display, kLRow, 1) == QLatin1String("50.00"); }, 5000)) {
        std::fprintf(stderr, "the standard never arrived\n");
        return 1;
    }
    link.instrument().queueReading({50.5, 1.0, 2.0, 10.0, 90.0});
    page.on_pushButton_sampleMeasurement_clicked();
    ComparisonRecordList& rows = page.tables().records();
    const int first = rows.size();
    if (first != 1) {
        std::fprintf(stderr, "the scanned sample gave %d rows\n", first);
        return 1;
    }

    std::vector<double> lateness;
    lateness.reserve(static_cast<std::size_t>(pushes) * everyMs / kTickMs + 1000);
    QElapsedTimer tickClock;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const double since = static_cast<double>(tickClock.nsecsElapsed()) / 1e6;
        lateness.push_back(std::max(0.0, since - kTickMs));
        tickClock.restart();
    });
    long rssAt1000 = -1;
    QObject::connect(&rows, &ComparisonRecordList::appended, [&] {
        if (rssAt1000 < 0 && rows.size() - first >= 1000) {
            rssAt1000 = bench::residentKb();
        }
    });

    // The instrument: its own thread, nothing else talks to it meanwhile.
    std::atomic<bool> pushing{true};
    std::thread instrument([&] {
        auto next = std::chrono::steady_clock::now();
        for (int i = 0; i < pushes && pushing.load(); ++i) {
            next += std::chrono::milliseconds(everyMs);
            std::this_thread::sleep_until(next);
            link.instrument().queueReading({lightnessOf(i), 1.0, 2.0, 10.0, 90.0});
            link.emulator.pressMeasureKey();
        }
    });
    QElapsedTimer run;
    run.start();
    tickClock.start();
    ticker.start(kTickMs);
    const bool all = waitFor([&] { return rows.size() - first >= pushes; },
                             pushes * everyMs + 30000);
    ticker.stop();
    const double seconds = static_cast<double>(run.elapsed()) / 1000.0;
    pushing.store(false);
    instrument.join();
    waitFor([] { return false; }, 500); // anything still on its way: a doubled row would show now
    page.closeThreadSlot();
    const long rssEnd = bench::residentKb();

    // Every push one row, in push order.
    const int got = rows.size() - first;
    int inOrder = 0;
    for (int i = 0; i < std::min(got, pushes); ++i) {
        const double l = rows.at(first + i).sample[ComparisonRecord::LabL];
        if (std::abs(l - lightnessOf(i)) < 0.001) {
            ++inOrder;
        }
    }
    const int lost = pushes - inOrder;
    RecordJournal& journal = page.tables().journal()->journal();
    const int journalled = static_cast<int>(journal.records(journal.currentSession()).size());

    std::sort(lateness.begin(), lateness.end());
    const double perThousand = rssAt1000 > 0 && got > 1000
                                   ? (rssEnd - rssAt1000) / 1024.0 / ((got - 1000) / 1000.0)
                                   : -1.0;
    std::printf("pushes: %d at one every %d ms, %.1f s (paced emulator, TX310 3.12, journal on)\n", pushes,
                everyMs, seconds);
    std::printf("rows: %d (%s), in push order: %d, doubled: %d\n", got, all ? "all arrived" : "gave up waiting",
                inOrder, std::max(0, got - pushes));
    std::printf("journal: %d records in the session (rows + the scanned one: %d)\n", journalled, got + first);
    std::printf("memory: %.2f MB per 1000 rows after the first 1000 (%ld kB -> %ld kB)\n", perThousand, rssAt1000,
                rssEnd);
    std::printf("event loop lateness: p99 %.1f ms, max %.1f ms (%zu ticks of %d ms)\n",
                bench::percentile(lateness, 0.99), lateness.empty() ? 0.0 : lateness.back(), lateness.size(), kTickMs);
    std::printf("lost: %d\n", lost);
    return 0;
}
