// The batch report of 1 000 and 10 000 colour comparisons to PDF: the time
// of building and painting each, and the process's peak memory. Goals:
// 1 000 rows within 1 s, 10 000 within 5 s and 200 MB.

#include "BatchCases.h"
#include "BatchReport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

qint64 reportMs(int rows, const QString& path)
{
    const QList<ComparisonRecord> records = batchcases::colourBatch(rows, 2);
    QElapsedTimer timer;
    timer.start();
    BatchReportInput input;
    input.records = records;
    input.company = QStringLiteral("Bench Ltd");
    input.tester = QStringLiteral("Tester");
    input.auditor = QStringLiteral("Auditor");
    const BatchReportDocument document = buildBatchReport(input, QDateTime::currentDateTime());
    const qint64 built = timer.elapsed();
    if (!writeBatchReportPdf(document, path)) {
        std::printf("cannot write %s\n", qPrintable(path));
        return -1;
    }
    const qint64 total = timer.elapsed();
    std::printf("%d rows: built in %lld ms, PDF of %lld KiB written in %lld ms more\n", rows,
                static_cast<long long>(built), static_cast<long long>(QFileInfo(path).size() / 1024),
                static_cast<long long>(total - built));
    return total;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    // With a folder named, the PDFs are kept there to be looked at.
    QTemporaryDir temporary;
    const QDir dir(arguments.size() > 1 ? arguments.at(1) : temporary.path());
    const long before = peakKilobytes();
    reportMs(100, dir.filePath(QStringLiteral("warm.pdf"))); // fonts loaded once
    const qint64 small = reportMs(1000, dir.filePath(QStringLiteral("1000.pdf")));
    const qint64 large = reportMs(10000, dir.filePath(QStringLiteral("10000.pdf")));
    const long peak = peakKilobytes();
    std::printf("peak memory: %.1f MB (%.1f MB before the reports; goal <= 200 MB)\n", peak / 1024.0,
                before / 1024.0);
    std::printf("pdf 1000 rows: %lld ms (goal <= 1000 ms)\n", static_cast<long long>(small));
    std::printf("pdf 10000 rows: %lld ms\n", static_cast<long long>(large));
    return small < 0 || large < 0 ? 1 : 0;
}
