// What a repaint of the spectral chart costs with 1000 shown curves.
//  - chart: the geometry worked out and painted into an image of the
//    backing store's format, as the dialog's paint handler does, at the
//    chart area of a dialog of --width x --height (default 1920 x 1040);
//  - dialog: a whole repaint of the dialog holding those 1000 records (table
//    and chart), offscreen.
// Each run is timed by the wall clock and by the CPU time of this thread: the
// machine may be shared, and a run that waits for the processor is slower by
// the clock only. Prints the median and the slowest of each; the last line is
// the chart's median CPU time, what one repaint costs.
//
//   tintwell_chart_bench [--runs N] [--width W] [--height H]

#include "BenchProcess.h"
#include "EmulatedAccess.h"
#include "MeterPageFor310.h"
#include "ScriptedDialogs.h"
#include "SpectralCases.h"
#include "SpectralChart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLayout>
#include <QPainter>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double slowest(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Timings
{
    std::vector<double> wall;
    std::vector<double> cpu;
};

template <typename F>
Timings timeRuns(int runs, F&& run)
{
    run(); // warm up: fonts, glyph caches
    Timings t;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        const double cpu = threadCpuMs();
        timer.start();
        run();
        t.wall.push_back(timer.nsecsElapsed() / 1e6);
        t.cpu.push_back(threadCpuMs() - cpu);
    }
    return t;
}

void report(const char* what, const Timings& t)
{
    std::printf("%s: wall clock median %.2f ms, slowest %.2f ms; CPU time median %.2f ms, slowest %.2f ms\n",
                what, median(t.wall), slowest(t.wall), median(t.cpu), slowest(t.cpu));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = bench::intOption(args, "--runs", 31, 1);
    const int width = bench::intOption(args, "--width", 1920, 1);
    const int height = bench::intOption(args, "--height", 1040, 1);
    constexpr int kCurves = 1000;

    EmulatedAccess access; // nothing attached: the chart is all that runs
    access.unplug();
    ScriptedDialogs dialogs; // any box would be a failure of the run
    MeterPageFor310 page(access, dialogs, {0, QStringLiteral("TX310"), false});
    for (int i = 0; i < kCurves; ++i) {
        page.appendRecord(spectralcases::smooth(i % 40, 60.0 + (i % 97) * 0.5), QString());
    }
    page.resize(width, height);
    page.show();
    page.layout()->activate();
    QApplication::processEvents();
    const QRect area = page.chartArea();

    QImage image(page.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const Timings chart = timeRuns(runs, [&] {
        QPainter painter(&image);
        painter.fillRect(area, Qt::white);
        painter.setFont(page.font());
        paintSpectralChart(painter, spectralChartGeometry(QRectF(area), page.records(), 0));
    });
    const Timings dialog = timeRuns(runs, [&] { page.repaint(); });

    std::printf("curves: %d shown, chart area %dx%d in a %dx%d dialog, %d runs\n", kCurves, area.width(),
                area.height(), width, height, runs);
    report("dialog repaint (table and chart)", dialog);
    report("chart repaint", chart);
    std::printf("median: %.2f ms\n", median(chart.cpu));
    return 0;
}
