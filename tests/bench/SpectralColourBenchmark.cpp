// What a change of illuminant costs in the spectral dialog holding 1000
// curves: the colour of every curve and the comparison recomputed (the
// handler of the illuminant chooser, as the user's choice runs it), and that
// followed by the repaint of the colour views, offscreen. Each illuminant is chosen
// in turn, --runs rounds. Prints the median and the slowest of each by the
// wall clock; the budget is 16 ms (one frame).
//
//   tintwell_spectral_colour_bench [--runs N]

#include "EmulatedAccess.h"
#include "MeterPageFor310.h"
#include "ScriptedDialogs.h"
#include "SpectralCases.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.2f ms, slowest %.2f ms over %zu changes (budget 16 ms)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 5;
    const QStringList args = app.arguments();
    const int at = int(args.indexOf(QStringLiteral("--runs")));
    if (at >= 0 && at + 1 < args.size()) {
        runs = std::max(1, args.at(at + 1).toInt());
    }
    EmulatedAccess access;
    ScriptedDialogs dialogs;
    MeterPageFor310 page(access, dialogs, {0, QStringLiteral("TX310"), false});
    for (int i = 0; i < MeterPageFor310::kMaxMeasuredRecords; ++i) {
        page.appendRecord(spectralcases::smooth(i % 40, 40 + i % 50), QString());
    }
    page.resize(1366, 768);
    page.show();
    QApplication::processEvents();
    auto* illuminant = page.findChild<QComboBox*>(QStringLiteral("comboBox_illuminant"));
    auto* tabs = page.findChild<QTabWidget*>(QStringLiteral("tabWidget_colour"));

    std::vector<double> compute;
    std::vector<double> withRepaint;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        for (int i = 0; i < illuminant->count(); ++i) {
            const int next = (illuminant->currentIndex() + 1) % illuminant->count();
            tabs->setCurrentIndex(run % 2); // the colour table, then the comparison, in view
            QApplication::processEvents();
            timer.start();
            illuminant->setCurrentIndex(next);
            compute.push_back(timer.nsecsElapsed() / 1e6);
            // What the change redraws: the colour views (the records' table
            // and the chart do not change with the illuminant).
            page.colourTable()->viewport()->repaint();
            page.comparisonTable()->viewport()->repaint();
            withRepaint.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("%d curves, dialog %dx%d\n", page.colour().curveCount(), page.width(), page.height());
    report("recompute (handler)", compute);
    report("recompute and repaint of the colour views", withRepaint);
    return 0;
}
