// The library of standards at plant size: 10 000 standards in the SQLite
// file, searched as the operator types (median per key), one chosen (found
// by name and code, its set looked up, the record's library fields made),
// and 100 000 records judged against their sets by the one judging rule.
//
//   tintwell_standards_bench [--standards N] [--records N] [--runs N]
//
// The last line is "search: N ms" (the median per key).

#include "BenchProcess.h"
#include "ComparisonJudging.h"
#include "StandardLibrary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> samples)
{
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

const char* const kWords[] = {"Red", "Blue", "Green", "Ivory", "Amber", "Slate", "Coral", "Olive", "Pearl", "Smoke"};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int standardCount = bench::intOption(args, "--standards", 10000);
    const int recordCount = bench::intOption(args, "--records", 100000);
    const int runs = bench::intOption(args, "--runs", 5);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("standards.sqlite"));

    // Some shared sets and an own set for every fourth standard.
    QList<LibraryToleranceSet> sets;
    for (int i = 0; i < 20; ++i) {
        LibraryToleranceSet set;
        set.id = QUuid::createUuid();
        set.version = 1;
        set.name = QStringLiteral("Plant set %1").arg(i);
        set.limits = parseToleranceLimits(QStringLiteral("dE00<=%1,dL=-0.8..0.8,db=-0.3..0.6:info,dC=-1..1")
                                              .arg(0.5 + i * 0.1))
                         .limits;
        set.warnPercent = 80.0;
        sets.append(set);
    }
    QList<Standard> standards;
    for (int i = 0; i < standardCount; ++i) {
        Standard s;
        s.id = QUuid::createUuid();
        s.version = 1 + i % 3;
        s.name = QStringLiteral("%1 %2 %3").arg(QLatin1String(kWords[i % 10]), QLatin1String(kWords[(i / 10) % 10])).arg(i);
        s.code = QStringLiteral("40063813%1").arg(i, 5, 10, QLatin1Char('0'));
        s.withLab(30.0 + i % 60, -20.0 + i % 40, -20.0 + (i * 7) % 40);
        s.modified = QDateTime::currentDateTimeUtc();
        if (i % 4 == 0) {
            LibraryToleranceSet own;
            own.id = QUuid::createUuid();
            own.version = 1;
            own.limits = parseToleranceLimits(QStringLiteral("dE00<=1,dEcmc21<=1.2,dH=-0.5..0.5")).limits;
            own.warnPercent = 90.0;
            sets.append(own);
            s.toleranceSetId = own.id;
        } else {
            s.toleranceSetId = sets[i % 20].id;
        }
        standards.append(s);
    }

    QElapsedTimer timer;
    timer.start();
    {
        StandardLibrary fill(path, StandardLibrary::Access::ReadOnly);
        if (!fill.open() || !fill.replaceFromServer(standards, sets)) {
            std::fprintf(stderr, "cannot fill %s: %s\n", qPrintable(path), qPrintable(fill.errorText()));
            return 1;
        }
    }
    std::printf("fill %d standards (one copy from a server): %.1f ms\n", standardCount, msSince(timer));

    timer.restart();
    StandardLibrary library(path);
    if (!library.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(library.errorText()));
        return 1;
    }
    std::printf("open and load: %.1f ms\n", msSince(timer));

    // Typing names and codes key by key, as the picker searches them.
    std::vector<double> perKey;
    int found = 0;
    for (int run = 0; run < runs; ++run) {
        for (int t = 0; t < 20; ++t) {
            const Standard& target = standards[(t * 997 + run * 31) % standardCount];
            const QString typed = t % 2 ? target.name : target.code;
            for (int k = 1; k <= typed.size(); ++k) {
                timer.restart();
                found += int(library.search(typed.left(k)).size());
                perKey.push_back(msSince(timer));
            }
        }
    }

    // Choosing one: by its code (a barcode scanner) or its name, and what a
    // record judged against it carries.
    std::vector<double> choosing;
    for (int i = 0; i < 200; ++i) {
        const Standard& target = standards[(i * 4093) % standardCount];
        timer.restart();
        const std::optional<Standard> chosen =
            i % 2 ? library.findByCode(target.code) : library.findByName(target.name.toUpper());
        const LibraryJudgement judgement = library.judgementFor(*chosen);
        choosing.push_back(msSince(timer));
        found += judgement.tolerances.limits.size() > 0 ? 1 : 0;
    }

    // 100 000 records, each against the set of its standard.
    QList<ComparisonRecord> records;
    records.reserve(recordCount);
    ComparisonSettings settings;
    settings.displayMode = DisplayMode::Lab;
    settings.deltaEThreshold = 1.0;
    const QList<Standard> current = library.standards();
    for (int i = 0; i < recordCount; ++i) {
        const Standard& s = current[i % current.size()];
        ComparisonRecord r;
        r.standard = s.values;
        r.sample = s.values;
        r.sample[ComparisonRecord::LabL] += (i % 200 - 100) / 100.0;
        r.sample[ComparisonRecord::LabB] += (i % 70 - 35) / 100.0;
        r.library = library.judgementFor(s);
        records.append(r);
    }
    std::vector<double> judging;
    std::vector<double> judgingCpu;
    int ng = 0;
    int warnings = 0;
    for (int run = 0; run < runs; ++run) {
        settings.deltaEThreshold = 1.0 + run; // a settings change: every record judged again
        const double cpu = bench::cpuSeconds();
        timer.restart();
        judgeRecordsAgain(records, settings);
        judging.push_back(msSince(timer));
        judgingCpu.push_back((bench::cpuSeconds() - cpu) * 1000.0);
    }
    for (const ComparisonRecord& r : records) {
        ng += r.pass ? 0 : 1;
        warnings += r.library.warning ? 1 : 0;
    }

    // The station copy's timings (first full copy, a change reaching a
    // connected station) go here, from the station database's side.

    std::printf("choose one: %.3f ms median, %.3f ms worst\n", median(choosing),
                *std::max_element(choosing.begin(), choosing.end()));
    // On a shared machine the wall time carries other processes' turns; the
    // CPU time (clock ticks, 10 ms) is this process's own.
    std::printf("judge %d records against their sets: %.1f ms median, %.0f ms CPU (%d NG, %d warnings)\n",
                recordCount, median(judging), median(judgingCpu), ng, warnings);
    std::printf("typed %d keys, %d found, %.3f ms worst per key\n", int(perKey.size()), found,
                *std::max_element(perKey.begin(), perKey.end()));
    std::printf("search: %.3f ms\n", median(perKey));
    return 0;
}
