// Imports 1000 stored comparison records of every display mode from the paced
// emulated instrument through the workspace page's "Read comparison record"
// button (count, data and name pages, progress dialog, judging, appending),
// and prints the wall time beside the paced wire time of the same exchange:
// every report moved in either direction takes 1 ms on the wire. Then times
// appending 1000, 2000 and 4000 imported rows to the comparison table.
//
//   tintwell_page_import_bench [--records N]
//
// The last line is "ratio to wire: R", the total wall time over the total
// wire time of the imports.

#include "ComparisonRecordList.h"
#include "ComparisonRecord.h"
#include "Dialogs.h"
#include "EmulatedLink.h"
#include "FirstPageFor310.h"
#include "InstrumentPanel.h"
#include "RecordTables.h"
#include "InstrumentLink.h"
#include "FirstPageForm.h"
#include "QtDialogs.h"
#include "DialogFeedback.h"
#include "RecordImport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QLoggingCategory>

#include <cstdio>

namespace {

const char* const kModeNames[7] = {"Haze/T", "Haze", "T", "Lab", "LCh", "Yxy", "Haze/T/Lab"};

// The real progress dialog; any box is a failure of the run (printed, answered Ok).
class BenchDialogs final : public Dialogs
{
public:
    DialogButton message(QWidget*, MessageIcon, const QString& title, const QString& text, int) override
    {
        std::fprintf(stderr, "unexpected box: %s / %s\n", qPrintable(title), qPrintable(text));
        ++unexpectedBoxes;
        return DialogButton::Ok;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::unique_ptr<ProgressDialog> progress(QWidget* parent, const QString& label, const QString& cancelText,
                                             int minimum, int maximum) override
    {
        return m_real.progress(parent, label, cancelText, minimum, maximum);
    }
    int unexpectedBoxes = 0;

private:
    QtDialogs m_real;
};

// The page with the steps the benchmark times.
class BenchPage final : public FirstPageFor310
{
public:
    BenchPage(LinkAccess& link, Dialogs& dialogs) : FirstPageFor310(link, dialogs) {}
    void appendImported(const ImportResult& result, bool legacy) { tables().appendImported(result, legacy); }
    void clearComparisonTable() { panel().clearWork(false); }
};

int movedReports(InstrumentEmulator& emulator)
{
    return emulator.outputReportCount() + emulator.inputReportCount();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // Diagnostics would only add their own time to the measurement.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nqt.*=false"));
    int records = 1000;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--records")) {
            records = std::max(1, args.at(++i).toInt());
        }
    }

    BenchDialogs dialogs;
    EmulatedLink link(QStringLiteral("TX310"));
    if (!link.opened) {
        std::fprintf(stderr, "the emulated instrument did not open\n");
        return 1;
    }
    link.emulator.setPaced(true);
    InstrumentLink access(&link.transport);
    BenchPage page(access, dialogs);
    DialogFeedback feedback(&page, dialogs);
    page.resize(1400, 900);
    page.show();
    page.state().modelName = QStringLiteral("TX310");
    page.state().hazeTolerance = page.state().transmittanceTolerance = 1.0;
    page.state().deltaEThreshold = 2.0;

    std::printf("import of %d records per display mode through the page, paced emulator (1 ms per report)\n",
                records);
    double wallTotal = 0.0;
    double wireTotal = 0.0;
    ImportResult lastRows;
    for (int mode = 0; mode < 7; ++mode) {
        link.instrument().fillComparisonRecords(mode, records);
        link.instrument().setDisplayMode(mode);
        page.state().displayMode = displayModeFromIndex(mode);
        page.panel().applyDisplayMode();
        page.clearComparisonTable();
        QApplication::processEvents();

        const int before = movedReports(link.emulator);
        QElapsedTimer timer;
        timer.start();
        page.form().pushButton_readComparisonRecord->click();
        const double wall = timer.nsecsElapsed() / 1e9;
        const double wire = (movedReports(link.emulator) - before) * 0.001;
        const int rows = page.form().tableWidget_data->model()->rowCount();
        if (rows != records || dialogs.unexpectedBoxes > 0) {
            std::fprintf(stderr, "%s: %d rows imported, %d expected\n", kModeNames[mode], rows, records);
            return 1;
        }
        wallTotal += wall;
        wireTotal += wire;
        // The same transfer without the page: reading, decoding and judging only.
        ImportSettings settings;
        settings.judging.displayMode = displayModeFromIndex(mode);
        settings.judging.hazeTolerance = 1.0;
    settings.judging.transmittanceTolerance = 1.0;
    settings.judging.deltaEThreshold = 2.0;
        QElapsedTimer transferTimer;
        transferTimer.start();
        const ImportResult alone = RecordImport(access, feedback).importCurrent(settings);
        const double transfer = transferTimer.nsecsElapsed() / 1e9;
        if (alone.rows.size() != records) {
            std::fprintf(stderr, "%s: the transfer alone read %d records\n", kModeNames[mode],
                         int(alone.rows.size()));
            return 1;
        }
        std::printf("%-10s wall %.3f s, wire %.3f s, ratio %.3f (transfer without the page %.3f s)\n",
                    kModeNames[mode], wall, wire, wall / wire, transfer);
    }

    // Appending alone: rows of a finished import, appended as an import appends them.
    link.instrument().fillComparisonRecords(3, 4000);
    page.state().displayMode = DisplayMode::Lab;
    page.panel().applyDisplayMode();
    link.emulator.setPaced(false);
    const QAbstractItemModel* table = page.form().tableWidget_data->model();
    std::printf("appending Lab rows to an empty table:\n");
    RecordImport importer(access, feedback);
    ImportSettings settings;
    settings.judging.displayMode = DisplayMode::Lab;
    settings.judging.hazeTolerance = 1.0;
    settings.judging.transmittanceTolerance = 1.0;
    settings.judging.deltaEThreshold = 2.0;
    const ImportResult all = importer.importCurrent(settings);
    if (all.rows.size() != 4000) {
        std::fprintf(stderr, "the 4000 Lab records did not import\n");
        return 1;
    }
    for (const int n : {1000, 2000, 4000}) {
        page.clearComparisonTable();
        QApplication::processEvents();
        ImportResult part;
        part.outcome = ImportResult::Outcome::Imported;
        part.rows = all.rows.mid(0, n);
        for (const ComparisonRecord& row : part.rows) {
            (row.pass ? part.passed : part.failed) += 1;
        }
        QElapsedTimer timer;
        timer.start();
        page.appendImported(part, false);
        QApplication::processEvents();
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("%5d rows: %.3f s (%.1f us per row)\n", n, seconds, seconds * 1e6 / n);
        if (table->rowCount() != n) {
            std::fprintf(stderr, "%d rows in the table, %d appended\n", table->rowCount(), n);
            return 1;
        }
    }
    std::printf("imports: wall %.3f s, wire %.3f s\n", wallTotal, wireTotal);
    std::printf("ratio to wire: %.3f\n", wallTotal / wireTotal);
    return 0;
}
