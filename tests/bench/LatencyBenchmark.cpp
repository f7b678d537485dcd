// Latency of a result pushed by the instrument's measuring key: from the push
// to its values in the comparison display, through the real receive worker
// (waiting on the device, then reading under the link lock), the queued
// senddata signal and the page's SaveData. The page's 500 ms display pause is
// set to 0 and so not counted. The emulated instrument is paced (one report
// per millisecond), and each push waits a random 0..79 ms first, so that
// pushes meet the worker in any state. Then the worker idles with the
// instrument attached and the process's CPU time is read from /proc/self/stat
// over --idle seconds (10 by default; 0 skips it).
//
//   tintwell_latency_bench [--pushes N] [--idle S]

#include "BenchProcess.h"
#include "ComparisonDisplay.h"
#include "EmulatedLink.h"
#include "FirstPageFor310.h"
#include "InstrumentPanel.h"
#include "MeasurementSession.h"
#include "InstrumentLink.h"
#include "FirstPageForm.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLRow = 3;
constexpr int kGiveUpMs = 5000;

using bench::percentile;

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int pushes = bench::intOption(args, "--pushes", 100, 1);
    const int idleSeconds = bench::intOption(args, "--idle", 10, 0);

    ScriptedDialogs dialogs; // any box would be a failure of the run
    EmulatedLink link(QStringLiteral("TX310"), 312);
    if (!link.opened) {
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
    page.session().pushedDisplayPauseMs = 0;
    page.openThreadSlot();
    QTableWidget* display = page.form().tableWidget_colorDiff;
    // Wakes the wait below even when nothing arrives, so a lost push ends the run.
    QTimer heartbeat;
    heartbeat.start(50);

    std::vector<double> latencies;
    for (int i = 0; i < pushes; ++i) {
        const double lightness = 30.0 + 0.25 * (i % 200);
        const QString expected = QString::number(lightness, 'f', 2);
        link.instrument().queueReading({lightness, 1.0, 2.0, 10.0, 90.0});
        QThread::msleep(QRandomGenerator::global()->bounded(80));
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        link.emulator.pressMeasureKey();
        while (ComparisonDisplay::cellText(display, kLRow, 1) != expected) {
            if (timer.elapsed() > kGiveUpMs) {
                std::fprintf(stderr, "push %d never reached the display\n", i + 1);
                return 1;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        }
        latencies.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    // The worker idles with the instrument attached: what it costs is the
    // whole process's CPU time, the event loop included.
    heartbeat.stop();
    double idleCpuPercent = -1.0;
    if (idleSeconds > 0) {
        const double before = bench::cpuSeconds();
        QElapsedTimer idle;
        idle.start();
        QEventLoop loop;
        QTimer::singleShot(idleSeconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        const double used = bench::cpuSeconds() - before;
        idleCpuPercent = 100.0 * used / (static_cast<double>(idle.elapsed()) / 1000.0);
    }
    page.closeThreadSlot();

    std::sort(latencies.begin(), latencies.end());
    const double median = percentile(latencies, 0.5);
    std::printf("pushes: %d (paced emulator, TX310 3.12 full records, display pause not counted)\n", pushes);
    if (idleCpuPercent >= 0) {
        std::printf("idle cpu: %.2f %% of a core (%d s, worker waiting, instrument attached)\n", idleCpuPercent,
                    idleSeconds);
    }
    std::printf("min: %.1f ms\n", latencies.front());
    std::printf("max: %.1f ms\n", latencies.back());
    std::printf("p95: %.1f ms\n", percentile(latencies, 0.95));
    std::printf("median: %.0f ms\n", median);
    return 0;
}
