// tintwell-cli as a line integrator runs it: a whole compare from process
// start to exit (median of 20 runs of the real executable, emulated TX310
// answering at once), and `records export` of 1000 records against a paced
// emulator (every report takes 1 ms on the wire) compared with that wire time.
// The last line is "compare: N ms", the median.

#include "CliCommand.h"
#include "InstrumentEmulator.h"
#include "VirtualInstrument.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {

int movedReports(InstrumentEmulator& emulator)
{
    return emulator.outputReportCount() + emulator.inputReportCount();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tintwell-cli");
    const QStringList compare{QStringLiteral("--simulate"), QStringLiteral("TX310"), QStringLiteral("compare"),
                              QStringLiteral("--standard"), QStringLiteral("measure"), QStringLiteral("--sample"),
                              QStringLiteral("measure"), QStringLiteral("--json")};

    // records export of 1000 records, in this process, against the paced emulator.
    constexpr int kRecords = 1000;
    std::shared_ptr<InstrumentEmulator> emulator;
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    CliEnvironment env;
    env.out = &out;
    env.err = &err;
    env.windowRunning = [] { return false; };
    env.makeEmulator = [&emulator](const QString& model, int version) {
        emulator = std::make_shared<InstrumentEmulator>(model, version);
        emulator->instrument().fillComparisonRecords(0, kRecords);
        emulator->setPaced(true);
        return emulator;
    };
    QElapsedTimer timer;
    timer.start();
    const int exportStatus = runCli({QStringLiteral("--simulate"), QStringLiteral("TX310"), QStringLiteral("records"),
                                     QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("json")},
                                    env);
    const double exportWall = timer.nsecsElapsed() / 1e6;
    const int exported = QJsonDocument::fromJson(out.data()).object().value(QStringLiteral("records")).toArray().size();
    if (exportStatus != 0 || exported != kRecords) {
        std::fprintf(stderr, "records export: status %d, %d records: %s\n", exportStatus, exported, err.data().constData());
        return 1;
    }
    const double exportWire = movedReports(*emulator) * 1.0;
    std::printf("records export of %d records: wall %.0f ms, wire %.0f ms, ratio %.3f\n", kRecords, exportWall,
                exportWire, exportWall / exportWire);

    // compare, process start to exit, 20 runs.
    QList<double> times;
    for (int run = 0; run < 20; ++run) {
        QProcess process;
        process.setStandardInputFile(QProcess::nullDevice());
        QElapsedTimer wall;
        wall.start();
        process.start(cli, compare);
        if (!process.waitForFinished(30000) || process.exitCode() > 1) {
            std::fprintf(stderr, "compare run %d failed: %s\n", run, process.readAllStandardError().constData());
            return 1;
        }
        times << wall.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    const double median = (times.at(9) + times.at(10)) / 2.0;
    std::printf("compare, process start to exit, 20 runs: min %.1f ms, median %.1f ms, max %.1f ms\n", times.first(),
                median, times.last());
    std::printf("compare: %.0f ms\n", median);
    return 0;
}
