// Test helper: the workspace page in a process of its own.
//   journal_page_child fill <path> <count> <current|legacy> <exit|crash>
//     starts the journal, adds <count> comparisons one by one to the table of
//     that layout, then ends normally or as a crash would (no destructors).
//   journal_page_child restore <path>
//     starts the journal, answers Yes to the restore question and prints
//     "rows <current> <legacy>, table rows <current> <legacy>", each restored
//     record's test name and "sequence <n>".
// Any other box makes it fail.
#include "RecordTables.h"
#include "ComparisonRecordList.h"
#include "Dialogs.h"
#include "FirstPageFor310.h"
#include "InstrumentLink.h"
#include "FirstPageForm.h"

#include <QApplication>
#include <QTableView>

#include <cstdio>
#include <cstdlib>

namespace {

class RestoreOnly final : public Dialogs
{
public:
    DialogButton message(QWidget*, MessageIcon, const QString& title, const QString& text, int buttons) override
    {
        if (!(buttons & int(DialogButton::Yes)) || !text.contains(QLatin1String("Restore them?"))) {
            std::fprintf(stderr, "unexpected box: %s | %s\n", qPrintable(title), qPrintable(text));
            std::_Exit(3);
        }
        return DialogButton::Yes;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::unique_ptr<ProgressDialog> progress(QWidget*, const QString&, const QString&, int, int) override
    {
        std::_Exit(3);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    RestoreOnly dialogs;
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        return 2;
    }
    InstrumentLink noInstrument;
    FirstPageFor310 page(noInstrument, dialogs);
    page.tables().startJournal(args.at(2));
    if (args.at(1) == QLatin1String("fill") && args.size() == 6) {
        const bool legacy = args.at(4) == QLatin1String("legacy");
        for (int n = 1; n <= args.at(3).toInt(); ++n) {
            ComparisonRecord record;
            record.sequence = n;
            record.testName = QStringLiteral("Comp%1").arg(n);
            record.time = QDateTime::currentDateTime();
            record.pass = n % 3 != 0;
            (legacy ? page.tables().legacyRecords() : page.tables().records()).setComparisonSequence(n);
            legacy ? page.tables().addComparisonRow_old(record) : page.tables().addComparisonRow(record);
        }
        if (args.at(5) == QLatin1String("crash")) {
            std::fflush(stdout);
            std::_Exit(0);
        }
        return 0;
    }
    if (args.at(1) == QLatin1String("restore")) {
        std::printf("rows %d %d, table rows %d %d\n", page.tables().records().size(), page.tables().legacyRecords().size(),
                    page.form().tableWidget_data->model()->rowCount(), page.form().tbData->model()->rowCount());
        for (const ComparisonRecordList* list : {&page.tables().records(), &page.tables().legacyRecords()}) {
            for (const ComparisonRecord& record : list->records()) {
                std::printf("%s\n", qPrintable(record.testName));
            }
        }
        const ComparisonRecordList& filled = page.tables().records().isEmpty() ? page.tables().legacyRecords() : page.tables().records();
        std::printf("sequence %d\n", filled.comparisonSequence());
        return 0;
    }
    return 2;
}
