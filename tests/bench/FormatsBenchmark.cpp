// The exchange formats at volume: N comparison records (100 000 by default)
// written as CSV, CGATS and CxF3 to files, each in a fresh process so its
// peak memory is its own, then each file read back by its strict reader.
// Records come from a pool of 1000 made before the clock starts (name and
// number set as each is written), so the peak and the rates are the
// writers' and not the making of local times.
//
//   tintwell_formats_bench [--records N]
//   tintwell_formats_bench --child FORMAT N PATH   (one writing: ms and VmHWM)
//
// Goals: each writer >= 50 MB/s and <= 64 MiB peak, each reader >= 30 MB/s.
// Rates are bytes over the CPU time taken (the wall-clock rate follows in
// brackets: on a machine shared with other work it counts their turns too).
// The last line is "slowest: N MB/s" (the slowest of the six rates).

#include "BenchProcess.h"
#include "CgatsFormat.h"
#include "CsvFormat.h"
#include "CxfFormat.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

using namespace formats;

namespace {

ComparisonRecord makeRecord(int n)
{
    ComparisonRecord record;
    record.sequence = n;
    record.testName = QStringLiteral("样品%1").arg(n);
    record.time = QDateTime(QDate(2026, 12, 8), QTime(9, n / 60 % 60, n % 60));
    record.modelName = QStringLiteral("TX420");
    record.serialNumber = QStringLiteral("24200311");
    for (int i = 0; i < ComparisonRecord::ValueCount; ++i) {
        record.standard[std::size_t(i)] = 20.0 + ((n * 37 + i * 11) % 6000) / 100.0;
        record.sample[std::size_t(i)] = 20.0 + ((n * 41 + i * 13) % 6000) / 100.0;
    }
    record.sample[ComparisonRecord::LabA] = -record.sample[ComparisonRecord::LabA];
    record.deltaE = (n % 500) / 100.0;
    record.pass = n % 7 != 0;
    record.settings.deltaEThreshold = 1.5;
    record.settings.layoutIndex = 1;
    return record;
}

qint64 peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

class RecordPool
{
public:
    RecordPool()
    {
        for (int i = 0; i < 1000; ++i) {
            m_pool.push_back(makeRecord(i + 1));
        }
    }
    const ComparisonRecord& operator()(int n)
    {
        ComparisonRecord& record = m_pool[std::size_t(n % 1000)];
        record.sequence = n;
        record.testName = QStringLiteral("样品") + QString::number(n);
        return record;
    }

private:
    std::vector<ComparisonRecord> m_pool;
};

// Writes n records in one format, streaming: false on a failure.
bool writeRecords(const QString& format, int n, QIODevice& device, RecordPool& records)
{
    const QDateTime created(QDate(2026, 12, 8), QTime(16, 0));
    if (format == QLatin1String("csv")) {
        ComparisonCsvWriter writer(device, DisplayMode::Lab, false, false);
        for (int i = 1; i <= n; ++i) {
            if (!writer.add(records(i))) {
                return false;
            }
        }
        return writer.finish();
    }
    ExchangeSample standard;
    ExchangeSample target;
    if (format == QLatin1String("cgats")) {
        CgatsWriter writer(device);
        if (!writer.begin(QStringLiteral("Tintwell comparisons"), created, false, 2 * qsizetype(n), true, false)) {
            return false;
        }
        for (int i = 1; i <= n; ++i) {
            const ComparisonRecord& record = records(i);
            if (!standardSample(record, i, standard) || !targetSample(record, i, target) || !writer.add(standard)
                || !writer.add(target)) {
                return false;
            }
        }
        return writer.finish();
    }
    CxfWriter writer(device);
    if (!writer.begin(QStringLiteral("Tintwell comparisons"), created, false)) {
        return false;
    }
    for (int i = 1; i <= n; ++i) {
        const ComparisonRecord& record = records(i);
        if (!standardSample(record, i, standard) || !targetSample(record, i, target) || !writer.add(standard)
            || !writer.add(target)) {
            return false;
        }
    }
    return writer.finish();
}

// Reads a file back: the number of records or samples, -1 on a refusal.
qsizetype readBack(const QString& format, const QByteArray& bytes)
{
    if (format == QLatin1String("csv")) {
        QList<ComparisonRecord> records;
        DisplayMode mode = DisplayMode::HazeT;
        bool chinese = false;
        const ReadResult result = readComparisonCsv(bytes, records, mode, chinese);
        return result.ok ? records.size() : -1;
    }
    if (format == QLatin1String("cgats")) {
        ExchangeDocument header;
        qsizetype count = 0;
        const ReadResult result = readCgats(bytes, header, [&count](const ExchangeSample&) {
            ++count;
            return true;
        });
        if (!result.ok) {
            std::fprintf(stderr, "%s\n", qPrintable(result.error));
        }
        return result.ok ? count : -1;
    }
    ExchangeDocument document;
    const ReadResult result = readCxf(bytes, document);
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(result.error));
    }
    return result.ok ? document.samples.size() : -1;
}

// CPU time of this process (the writer's child) or this thread (reading):
// on a shared machine the wall clock also counts other programs' turns.
qint64 cpuNs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

double mbPerSecond(qint64 bytes, qint64 ns)
{
    return ns > 0 ? double(bytes) / 1e6 / (double(ns) / 1e9) : 0.0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--read")) {
        QFile file(args.at(3));
        return file.open(QIODevice::ReadOnly) && readBack(args.at(2), file.readAll()) > 0 ? 0 : 1;
    }
    if (args.size() == 5 && args.at(1) == QLatin1String("--child")) {
        QFile file(args.at(4));
        if (!file.open(QIODevice::WriteOnly)) {
            return 1;
        }
        RecordPool pool;
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = cpuNs(CLOCK_PROCESS_CPUTIME_ID);
        const bool ok = writeRecords(args.at(2), args.at(3).toInt(), file, pool);
        file.close();
        const qint64 ns = timer.nsecsElapsed();
        std::printf("%lld %lld %lld\n", static_cast<long long>(ns), static_cast<long long>(peakKiB()),
                    static_cast<long long>(cpuNs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart));
        return ok ? 0 : 1;
    }
    const int records = bench::intOption(args, "--records", 100000);
    QTemporaryDir dir;
    double slowest = 1e18;
    bool met = true;
    std::printf("%d comparison records (Lab; CGATS and CxF3 hold a standard and a sample each)\n", records);
    for (const QString& format : {QStringLiteral("csv"), QStringLiteral("cgats"), QStringLiteral("cxf")}) {
        const QString path = dir.filePath(QStringLiteral("records.") + format);
        QProcess child;
        child.start(app.applicationFilePath(), {QStringLiteral("--child"), format, QString::number(records), path});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            std::printf("%s: writing failed\n", qPrintable(format));
            std::printf("slowest: 0 MB/s\n");
            return 1;
        }
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        const qint64 writeNs = fields.value(0).toLongLong();
        const double peakMiB = fields.value(1).toDouble() / 1024.0;
        const qint64 writeCpuNs = fields.value(2).toLongLong();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return 1;
        }
        const QByteArray bytes = file.readAll();
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = cpuNs(CLOCK_THREAD_CPUTIME_ID);
        const qsizetype read = readBack(format, bytes);
        const qint64 readCpuNs = cpuNs(CLOCK_THREAD_CPUTIME_ID) - cpuStart;
        const qint64 readNs = timer.nsecsElapsed();
        const double writeRate = mbPerSecond(bytes.size(), writeCpuNs);
        const double readRate = mbPerSecond(bytes.size(), readCpuNs);
        std::printf("%-5s %6.1f MB: write %6.1f MB/s (wall %6.1f), peak %4.1f MiB; read %6.1f MB/s (wall %6.1f), "
                    "%lld items\n",
                    qPrintable(format), double(bytes.size()) / 1e6, writeRate, mbPerSecond(bytes.size(), writeNs),
                    peakMiB, readRate, mbPerSecond(bytes.size(), readNs), static_cast<long long>(read));
        met = met && writeRate >= 50.0 && readRate >= 30.0 && peakMiB <= 64.0 && read > 0;
        slowest = std::min({slowest, writeRate, readRate});
    }
    std::printf("goals (write >= 50 MB/s, peak <= 64 MiB, read >= 30 MB/s): %s\n", met ? "met" : "NOT met");
    std::printf("slowest: %.0f MB/s\n", slowest);
    return met ? 0 : 1;
}
