// What the comparison journal costs the operator.
//  - live rows: one comparison row (30 cells with texts, colours and hidden
//    data) encoded and committed in its own transaction, on the disk that holds
//    the user's data folder; prints the median and the 95th percentile.
//
//  - import overhead: 1000 stored Lab records imported through the workspace
//    page's "Read comparison record" button from the emulated instrument,
//    with the journal off and on (one transaction for the whole import),
//    alternating, five times each; the medians are compared, once over the
//    paced wire (1 ms per report, as the instrument moves them) and once with
//    the emulator answering at once (the page's own work alone).
//
//   tintwell_journal_bench [--rows N]
//
// The last line is "import overhead: R": the paced import's median time with
// the journal over its median time without it.

#include "ComparisonJournal.h"
#include "EmulatedLink.h"
#include "FirstPageFor310.h"
#include "FirstPageForm.h"
#include "QtDialogs.h"
#include "TableRowCodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void fillRow(QTableWidget& table, int row)
{
    for (int c = 0; c < table.columnCount(); ++c) {
        auto* item = new QTableWidgetItem(QString::number(50.123 + row * 0.01 + c, 'f', 2));
        item->setForeground(c % 7 == 0 ? Qt::red : Qt::black);
        item->setData(Qt::UserRole, QVariantList{row, c, QStringLiteral("Comp%1").arg(row)});
        table.setItem(row, c, item);
    }
}

// The page with the Clear operation (without its question) reachable.
class BenchPage final : public FirstPageFor310
{
public:
    using FirstPageFor310::clearComparisonTable;
};

// Median seconds of importing `records` Lab records, journal off then on.
std::pair<double, double> importTimes(const QString& journalPath, int records, bool paced, int runs);

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[static_cast<std::size_t>(p * (v.size() - 1))];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    int rows = 300;
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--rows"));
    if (at > 0 && at + 1 < args.size()) {
        rows = std::max(1, args.at(at + 1).toInt());
    }
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(base);
    QTemporaryDir dir(base + QStringLiteral("/tintwell-journal-bench-XXXXXX"));
    ComparisonJournal journal(dir.filePath(QStringLiteral("journal.sqlite")));
    if (!journal.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(journal.errorText()));
        return 1;
    }
    QTableWidget table(0, 30);
    std::vector<double> costs;
    for (int r = 0; r < rows; ++r) {
        table.insertRow(r);
        fillRow(table, r);
        QElapsedTimer timer;
        timer.start();
        if (journal.appendRow(TableRowCodec::encode(table, r, 0)) == 0) {
            std::fprintf(stderr, "append failed: %s\n", qPrintable(journal.errorText()));
            return 1;
        }
        costs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("journal file: %s\n", qPrintable(journal.fileName()));
    std::printf("live rows: %d, median %.3f ms, p95 %.3f ms per row (goal: median <= 2 ms)\n",
                rows, percentile(costs, 0.5), percentile(costs, 0.95));

    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nqt.*=false"));
    QtDialogs progressOnly; // the import's progress dialog is the real one
    Dialogs::install(&progressOnly);
    double pacedRatio = 0.0;
    for (const bool paced : {false, true}) {
        const auto [off, on] = importTimes(dir.filePath(paced ? QStringLiteral("paced.sqlite") : QStringLiteral("unpaced.sqlite")), 1000, paced, 5);
        if (off <= 0 || on <= 0) {
            return 1;
        }
        std::printf("import of 1000 records through the page, %s: journal off %.3f s, on %.3f s (median of 5)\n",
                    paced ? "paced wire" : "unpaced", off, on);
        if (paced) {
            pacedRatio = on / off;
        }
    }
    std::printf("goal: import overhead <= 1.1 (paced, as an instrument imports)\n");
    std::printf("import overhead: %.3f\n", pacedRatio);
    return 0;
}

namespace {

std::pair<double, double> importTimes(const QString& journalPath, int records, bool paced, int runs)
{
    EmulatedLink link(QStringLiteral("TX310"));
    link.emulator.setPaced(paced);
    link.instrument().fillComparisonRecords(3, records);
    link.instrument().setDisplayMode(3);
    BenchPage plain;
    BenchPage journaled;
    journaled.startJournal(journalPath);
    std::vector<double> off, on;
    for (int run = 0; run < runs; ++run) {
        for (BenchPage* page : {&plain, &journaled}) {
            page->setTransport(&link.transport);
            page->modelName = QStringLiteral("TX310");
            page->displayFlags = displayFlagsFor(3);
            page->deltaEThreshold = 2.0;
            page->applyDisplayMode();
            page->clearComparisonTable();
            QApplication::processEvents();
            QElapsedTimer timer;
            timer.start();
            page->form().pushButton_readComparisonRecord->click();
            QApplication::processEvents(); // the journal's deferred work runs here
            (page == &plain ? off : on).push_back(timer.nsecsElapsed() / 1e9);
            if (page->form().tableWidget_data->rowCount() != records) {
                std::fprintf(stderr, "import gave %d rows, %d expected\n", page->form().tableWidget_data->rowCount(),
                             records);
                return {0.0, 0.0};
            }
        }
    }
    return {percentile(off, 0.5), percentile(on, 0.5)};
}

} // namespace
