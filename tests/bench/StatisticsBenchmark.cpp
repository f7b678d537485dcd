// What keeping the statistics of the work costs with 100 000 records:
//  - full: every record taken again (a deletion or re-judging), then every
//    summary of every standard and of all rows, and the three charts;
//  - update: one more record added, then the same summaries and charts.
// Records are colour comparisons against two standards with a slow drift.
// Each run is timed by the wall clock and by the CPU time of this thread: the
// machine may be shared, and a run that waits for the processor is slower by
// the clock only. The last line is the update's median CPU time.
//
//   tintwell_stats_bench [--records N] [--runs N]

#include "BenchProcess.h"
#include "StatisticsScene.h"
#include "WorkStatistics.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace {

double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

class RecordMaker
{
public:
    ComparisonRecord next(int i, int total)
    {
        ComparisonRecord r;
        r.standard.fill(0.0);
        const bool second = i >= total * 6 / 10;
        r.standard[ComparisonRecord::LabL] = second ? 62.0 : 48.5;
        r.standard[ComparisonRecord::LabA] = second ? -3.0 : 12.25;
        r.standard[ComparisonRecord::LabB] = second ? 20.0 : 8.5;
        r.sample = r.standard;
        const double drift = 0.6 * i / total;
        const double da = std::round((noise_(random_) * 0.25 + drift) * 100) / 100;
        const double db = std::round((noise_(random_) * 0.3 - drift / 2) * 100) / 100;
        const double dl = std::round(noise_(random_) * 0.2 * 100) / 100;
        r.sample[ComparisonRecord::LabL] += dl;
        r.sample[ComparisonRecord::LabA] += da;
        r.sample[ComparisonRecord::LabB] += db;
        r.deltaE = std::round(std::sqrt(da * da + db * db + dl * dl) * 100) / 100;
        r.settings.deltaEThreshold = 1.0;
        r.settings.displayMode = DisplayMode::Lab;
        r.pass = r.deltaE <= 1.0;
        r.testName = QStringLiteral("Comp%1").arg(i + 1);
        return r;
    }

private:
    std::mt19937 random_{20261208};
    std::normal_distribution<double> noise_{0.0, 1.0};
};

const ChartAreas kAreas{QRectF(0, 0, 900, 520), QRectF(0, 0, 560, 460), QRectF(0, 0, 560, 300)};

// Every summary the table shows and the charts of ΔE over all rows, with
// limits frozen from the first 100 rows.
double readEverything(const WorkStatistics& work, StatisticsScene& scene)
{
    double sink = 0.0;
    for (const StatQuantity q : work.quantities()) {
        const QuantitySummary all = work.overall().summary(q);
        sink += all.percentile95 + (std::isnan(all.indices.ppk) ? 0.0 : all.indices.ppk);
        for (const StatisticsGroup& g : work.groups()) {
            sink += g.summary(q).median;
        }
    }
    ChartChoice choice;
    choice.baseline = ChartChoice::FirstRows;
    choice.count = 100;
    scene.build(work, choice, kAreas);
    return sink + scene.control().markers.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int total = bench::intOption(args, "--records", 100000, 1);
    const int runs = bench::intOption(args, "--runs", 200, 1);

    RecordMaker maker;
    QList<ComparisonRecord> records;
    records.reserve(total + runs);
    for (int i = 0; i < total; ++i) {
        records << maker.next(i, total);
    }
    QList<ComparisonRecord> extra;
    for (int i = 0; i < runs; ++i) {
        extra << maker.next(total + i, total);
    }

    WorkStatistics work(shownQuantities(DisplayMode::Lab, false));
    StatisticsScene scene;
    double sink = 0.0;
    std::vector<double> full;
    std::vector<double> fullCpu;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadMs();
        work.rebuild(records);
        sink += readEverything(work, scene);
        fullCpu.push_back(threadMs() - cpu);
        full.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::vector<double> update;
    std::vector<double> updateCpu;
    for (const ComparisonRecord& r : extra) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadMs();
        work.add(r);
        sink += readEverything(work, scene);
        updateCpu.push_back(threadMs() - cpu);
        update.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("records: %d, %d standards, %d quantities\n", work.rowCount() - runs,
                static_cast<int>(work.groups().size()), static_cast<int>(work.quantities().size()));
    std::printf("full: median %.1f ms CPU, %.1f ms wall; slowest %.1f ms wall (%zu runs)\n", median(fullCpu),
                median(full), *std::max_element(full.begin(), full.end()), full.size());
    std::printf("update wall: median %.2f ms, slowest %.2f ms (%d runs; checksum %.6g)\n", median(update),
                *std::max_element(update.begin(), update.end()), runs, sink);
    std::printf("update: %.2f ms\n", median(updateCpu));
    return 0;
}
