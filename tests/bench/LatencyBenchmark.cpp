// Latency of a result pushed by the instrument's measuring key: from the push
// to its values in the comparison display, through the real receive worker
// (timed lock, one HID read, 30 ms pause), the queued senddata signal and the
// page's SaveData. The page's 500 ms display pause is set to 0 and so not
// counted. The emulated instrument is paced (one report per millisecond), and
// each push waits a random 0..79 ms first: a key press has nothing to do with
// the worker's poll, so pushes meet every phase of its 80 ms cycle.
//
//   tintwell_latency_bench [--pushes N]

#include "ComparisonDisplay.h"
#include "EmulatedLink.h"
#include "FirstPageFor310.h"
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

double percentile(const std::vector<double>& sorted, double p)
{
    const std::size_t index = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    int pushes = 100;
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--pushes"));
    if (at > 0 && at + 1 < args.size()) {
        pushes = qMax(1, args.at(at + 1).toInt());
    }

    ScriptedDialogs dialogs; // any box would be a failure of the run
    EmulatedLink link(QStringLiteral("TX310"), 312);
    if (!link.opened) {
        std::fprintf(stderr, "the emulated instrument did not open\n");
        return 1;
    }
    link.emulator.setPaced(true);
    FirstPageFor310 page(Dialogs::instance());
    page.loadModelTable(QCoreApplication::applicationDirPath() + QStringLiteral("/meterno"));
    page.setTransport(&link.transport);
    if (!page.identifyDevice()) {
        std::fprintf(stderr, "identification failed\n");
        return 1;
    }
    page.pushedDisplayPauseMs = 0;
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
    page.closeThreadSlot();

    std::sort(latencies.begin(), latencies.end());
    const double median = percentile(latencies, 0.5);
    std::printf("pushes: %d (paced emulator, TX310 3.12 full records, display pause not counted)\n", pushes);
    std::printf("min:    %.1f ms\n", latencies.front());
    std::printf("p95:    %.1f ms\n", percentile(latencies, 0.95));
    std::printf("max:    %.1f ms\n", latencies.back());
    std::printf("median: %.0f ms\n", median);
    return 0;
}
