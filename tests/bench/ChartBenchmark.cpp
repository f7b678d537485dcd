// What a repaint of the spectral chart costs with 1000 shown curves.
//  - chart: the geometry worked out and painted into an image of the
//    backing store's format, as the dialog's paint handler does, at the
//    chart area of a dialog of --width x --height (default 1920 x 1040);
//  - dialog: a whole repaint of the dialog holding those 1000 records (table
//    and chart), offscreen.
// Prints the median and the slowest run of each; the last line is the chart's
// median.
//
//   tintwell_chart_bench [--runs N] [--width W] [--height H]

#include "LinkAccess.h"
#include "MeterPageFor310.h"
#include "SpectralCases.h"
#include "SpectralChart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLayout>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class UnpluggedTransport final : public Transport
{
public:
    bool isLinkOpen() const override { return false; }
    int sendFrame(QByteArray&, int) override { return -1; }
    int receiveFrame(QByteArray&, int, int, bool) override { return 0; }
    void delayMs(int) override {}
};

class UnpluggedAccess final : public LinkAccess
{
public:
    Transport& transport() override { return m_transport; }
    QMutex* linkMutex() override { return nullptr; }

private:
    UnpluggedTransport m_transport;
};

int argument(const QStringList& args, const char* name, int fallback)
{
    const int at = args.indexOf(QLatin1String(name));
    return at > 0 && at + 1 < args.size() ? std::max(1, args.at(at + 1).toInt()) : fallback;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double slowest(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}

template <typename F>
std::vector<double> timeRuns(int runs, F&& run)
{
    run(); // warm up: fonts, glyph caches
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        run();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = argument(args, "--runs", 31);
    const int width = argument(args, "--width", 1920);
    const int height = argument(args, "--height", 1040);
    constexpr int kCurves = 1000;

    UnpluggedAccess access;
    MeterPageFor310 page(access, {0, QStringLiteral("TX310"), false});
    for (int i = 0; i < kCurves; ++i) {
        page.appendRecord(spectralcases::smooth(i % 40, 60.0 + (i % 97) * 0.5), QString());
    }
    page.resize(width, height);
    page.show();
    page.layout()->activate();
    QApplication::processEvents();
    const QRect area = page.chartArea();

    QImage image(page.size(), QImage::Format_ARGB32_Premultiplied);
    const std::vector<double> chart = timeRuns(runs, [&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(page.font());
        paintSpectralChart(painter, spectralChartGeometry(QRectF(area), page.records(), 0));
    });
    const std::vector<double> dialog = timeRuns(runs, [&] { page.repaint(); });

    std::printf("curves: %d shown, chart area %dx%d in a %dx%d dialog, %d runs\n", kCurves, area.width(),
                area.height(), width, height, runs);
    std::printf("dialog repaint (table and chart): median %.2f ms, slowest %.2f ms\n", median(dialog),
                slowest(dialog));
    std::printf("chart repaint: slowest %.2f ms\n", slowest(chart));
    std::printf("median: %.2f ms\n", median(chart));
    return 0;
}
