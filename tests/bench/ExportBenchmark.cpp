// The comparison export against python3-openpyxl writing the same rows in
// the same run, and the peak memory of an export of 100 000 rows.
//
//   tintwell_export_bench [--rows N] [--runs N]
//   tintwell_export_bench --peak N    (child run: export N rows, print VmHWM)
//
// The last line is "ratio to openpyxl: R" (openpyxl's time over ours).

#include "BenchProcess.h"
#include "ExcelEngine.h"
#include "ExportTables.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A comparison table of 36 columns whose texts are made when asked, so the
// table itself takes no memory: what the peak shows is the export's.
class GeneratedComparisons : public QAbstractTableModel
{
public:
    explicit GeneratedComparisons(int rows) : m_rows(rows) {}
    int rowCount(const QModelIndex& = {}) const override { return m_rows; }
    int columnCount(const QModelIndex& = {}) const override { return 36; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(cell(index.row(), index.column())) : QVariant();
    }
    static QString cell(int r, int c)
    {
        switch (c) {
        case 0: return QString::number(r + 1);
        case 1: return QStringLiteral("样品%1").arg(r + 1);
        case 2: return QStringLiteral("2026-12-08 09:%1:%2").arg(r / 60 % 60, 2, 10, QLatin1Char('0')).arg(r % 60, 2, 10, QLatin1Char('0'));
        case 28: return r % 7 ? QStringLiteral("PASS") : QStringLiteral("NG");
        case 33: return QStringLiteral("1.0");
        case 34: return QStringLiteral("TX420");
        case 35: return QStringLiteral("24200311");
        default: return QString::number(20.0 + ((r * 37 + c * 11) % 6000) / 100.0, 'f', 2);
        }
    }

private:
    int m_rows;
};

// The Lab-mode export the page runs, without dialogs: ms taken.
qint64 exportRows(const QString& path, int rows)
{
    const GeneratedComparisons table(rows);
    QElapsedTimer timer;
    timer.start();
    const auto sheet = comparisonExportTable(table, DisplayMode::Lab);
    ExcelEngine engine(path);
    if (!engine.openWorkbook(1, ExcelEngine::Start::FromTemplate) || !engine.writeTable(*sheet, {}, false)
        || !engine.closeWorkbook()) {
        std::fprintf(stderr, "export failed: %s\n", qPrintable(engine.errorString()));
        return -1;
    }
    return timer.elapsed();
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

// openpyxl writing the same cells (the same texts, made the same way, in
// Python): ms it reports for building and saving the workbook, -1 when it
// cannot run.
qint64 openpyxlMs(const QString& python, const QString& path, int rows)
{
    const QString script = QStringLiteral(R"(
import sys, time, openpyxl
rows, path = int(sys.argv[1]), sys.argv[2]
cols = [0, 34, 35, 1, 2, 5, 6, 7, 16, 17, 18, 33, 27, 28]
def cell(r, c):
    if c == 0: return str(r + 1)
    if c == 1: return "样品%d" % (r + 1)
    if c == 2: return "2026-12-08 09:%02d:%02d" % (r // 60 % 60, r % 60)
    if c == 28: return "PASS" if r % 7 else "NG"
    if c == 33: return "1.0"
    if c == 34: return "TX420"
    if c == 35: return "24200311"
    return "%.2f" % (20.0 + ((r * 37 + c * 11) % 6000) / 100.0)
t = time.perf_counter()
wb = openpyxl.Workbook()
ws = wb.active
ws.append([])
ws.append(["NO", "Model", "SN", "Name", "Time", "Standard L*", "Standard a*", "Standard b*", "Sample L*",
           "Sample a*", "Sample b*", "\u25b3E Thresholds", "\u25b3E", "Result"])
center = openpyxl.styles.Alignment(horizontal="center")
for r in range(rows):
    ws.append([cell(r, c) for c in cols])
for row in ws.iter_rows(min_row=2):
    for c in row:
        c.alignment = center
wb.save(path)
print(int((time.perf_counter() - t) * 1000))
)");
    QProcess process;
    process.start(python, {QStringLiteral("-c"), script, QString::number(rows), path});
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        std::fprintf(stderr, "openpyxl: %s\n", process.readAllStandardError().constData());
        return -1;
    }
    return process.readAllStandardOutput().trimmed().toLongLong();
}

qint64 median(std::vector<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTemporaryDir dir;
    if (args.contains(QStringLiteral("--peak"))) {
        const int rows = bench::intOption(args, "--peak", 100000);
        const qint64 before = peakKiB();
        const qint64 ms = exportRows(dir.filePath(QStringLiteral("peak.xlsx")), rows);
        std::printf("%d %lld %lld %lld\n", rows, static_cast<long long>(ms), static_cast<long long>(before),
                    static_cast<long long>(peakKiB()));
        return ms < 0 ? 1 : 0;
    }
    const int rows = bench::intOption(args, "--rows", 10000);
    const int runs = bench::intOption(args, "--runs", 3, 1);

    std::vector<qint64> ours;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(exportRows(dir.filePath(QStringLiteral("ours%1.xlsx").arg(i)), rows));
        if (ours.back() < 0) {
            return 1;
        }
    }
    const qint64 oursMs = std::max<qint64>(1, median(ours));
    std::printf("rows exported (Lab mode, 14 columns): %d\n", rows);
    std::printf("tintwell ExcelEngine: median %lld ms over %d runs (file %lld bytes)\n", static_cast<long long>(oursMs), runs,
                static_cast<long long>(QFileInfo(dir.filePath(QStringLiteral("ours0.xlsx"))).size()));

    // Peak memory of 10 000 and 100 000 rows, each in a fresh process.
    for (const int peakRows : {rows, 100000}) {
        QProcess child;
        child.start(app.applicationFilePath(), {QStringLiteral("--peak"), QString::number(peakRows)});
        if (child.waitForFinished(600000) && child.exitCode() == 0) {
            const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
            std::printf("peak memory for %s rows: %.1f MiB (%.1f MiB before the export; export took %s ms)\n",
                        f.value(0).constData(), f.value(3).toDouble() / 1024.0, f.value(2).toDouble() / 1024.0,
                        f.value(1).constData());
        } else {
            std::printf("peak memory for %d rows: not measured (%s)\n", peakRows, child.readAllStandardError().constData());
        }
    }

    QString python;
    for (const QString& candidate : {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
        if (!candidate.isEmpty() && QProcess::execute(candidate, {QStringLiteral("-c"), QStringLiteral("import openpyxl")}) == 0) {
            python = candidate;
            break;
        }
    }
    if (python.isEmpty()) {
        std::printf("openpyxl: not installed (python3-openpyxl), no comparison\n");
        std::printf("ratio to openpyxl: n/a\n");
        return 0;
    }
    std::vector<qint64> theirs;
    for (int i = 0; i < runs; ++i) {
        theirs.push_back(openpyxlMs(python, dir.filePath(QStringLiteral("openpyxl%1.xlsx").arg(i)), rows));
        if (theirs.back() < 0) {
            std::printf("ratio to openpyxl: n/a\n");
            return 1;
        }
    }
    const qint64 theirsMs = median(theirs);
    std::printf("python3-openpyxl: median %lld ms over %d runs (file %lld bytes)\n", static_cast<long long>(theirsMs), runs,
                static_cast<long long>(QFileInfo(dir.filePath(QStringLiteral("openpyxl0.xlsx"))).size()));
    std::printf("ratio to openpyxl: %.1f\n", double(theirsMs) / double(oursMs));
    return 0;
}
