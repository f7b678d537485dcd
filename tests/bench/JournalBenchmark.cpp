// What the comparison journal costs the operator.
//  - live rows: one comparison row (30 cells with texts, colours and hidden
//    data) encoded and committed in its own transaction, on the disk that holds
//    the user's data folder; prints the median and the 95th percentile.
//
//   tintwell_journal_bench [--rows N]

#include "ComparisonJournal.h"
#include "TableRowCodec.h"

#include <QApplication>
#include <QElapsedTimer>
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

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[static_cast<std::size_t>(p * (v.size() - 1))];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
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
    return 0;
}
