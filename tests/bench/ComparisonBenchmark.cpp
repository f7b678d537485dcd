// Judging comparison records again after a settings change, as the workspace
// does: 100 000 records (every display mode, both formulas of layout 1 and the
// legacy layout) through the one judging rule, median of the runs.
//
//   tintwell_comparison_bench [--records N] [--runs N]
//
// The last line is "rejudge N: T ms".

#include "BenchProcess.h"
#include "ComparisonJudging.h"
#include "ComparisonRecordList.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QList<ComparisonRecord> makeRecords(int count, bool legacy)
{
    QList<ComparisonRecord> records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        ComparisonRecord r;
        r.legacy = legacy;
        r.sequence = i + 1;
        r.testName = QStringLiteral("Comp%1").arg(i + 1);
        for (int v = 0; v < ComparisonRecord::ValueCount; ++v) {
            r.standard[v] = 20.0 + (i * 37 + v * 11) % 6000 / 100.0;
            r.sample[v] = r.standard[v] + ((i * 13 + v) % 200 - 100) / 100.0;
        }
        for (int v = 0; v < ComparisonRecord::LegacyCount; ++v) {
            r.legacyStandard[v] = r.standard[v + 2];
            r.legacySample[v] = r.sample[v + 2];
        }
        r.hazeDifference = r.sample[0] - r.standard[0];
        r.transmittanceDifference = r.sample[1] - r.standard[1];
        records.append(r);
    }
    return records;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = bench::intOption(args, "--records", 100000);
    const int runs = bench::intOption(args, "--runs", 5);

    struct Case
    {
        const char* name;
        bool legacy;
        int layoutIndex;
        int formulaCode;
        int displayMode;
    };
    const Case cases[] = {{"Haze/T", false, 0, 0, 0},       {"Lab, delta-E*ab", false, 0, 0, 3},
                          {"Lab, layout 1 CIEDE2000", false, 1, 6, 3}, {"Haze/T/Lab", false, 0, 0, 6},
                          {"legacy CMC 2:1", true, 0, 3, -1}};
    double worst = 0.0;
    for (const Case& c : cases) {
        ComparisonRecordList list;
        list.append(makeRecords(count, c.legacy));
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            ComparisonSettings settings;
            // A change every run, so every record changes and is announced.
            settings.hazeTolerance = 0.5 + run * 0.25;
            settings.transmittanceTolerance = 0.5 + run * 0.25;
            settings.deltaEThreshold = 0.5 + run * 0.25;
            settings.parameterThreshold = 0.5 + run * 0.25;
            settings.formulaCode = c.formulaCode;
            settings.layoutIndex = c.layoutIndex;
            settings.displayMode = displayModeFromIndex(c.displayMode);
            QElapsedTimer timer;
            timer.start();
            list.judgeAgain(settings);
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        worst = std::max(worst, median);
        std::printf("%-26s %d records: median %.1f ms, slowest %.1f ms (NG %d)\n", c.name, count, median,
                    times.back(), list.ngCount());
    }
    std::printf("rejudge %d: %.0f ms\n", count, worst);
    return 0;
}
