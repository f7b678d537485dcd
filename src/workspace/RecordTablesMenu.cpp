// The comparison tables' context menu: the batch report of all, one
// standard's or the selected rows, and judging library rows again with the
// standards' current versions.
#include "RecordTables.h"

#include "BatchReport.h"
#include "ComparisonColumns.h"
#include "ComparisonHeader.h"
#include "ComparisonRecordList.h"
#include "CurrentVersionJudging.h"
#include "ComparisonTableModel.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "FirstPageReport.h"
#include "InstrumentState.h"
#include "JournalKeeper.h"
#include "JournalPruning.h"
#include "RbTableHeaderView.h"
#include "RecordImport.h"
#include "RecordJournal.h"
#include "RecordTable.h"
#include "StatisticsTable.h"
#include "StatisticsWindow.h"
#include "WorkspaceRules.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSettings>
#include <QStackedWidget>

#include <algorithm>

void RecordTables::showBatchReportMenu(RecordTableView* table, bool legacy, const QPoint& at)
{
    const auto text = [](const char* source) { return QCoreApplication::translate("BatchReport", source); };
    const QList<ComparisonRecord>& records = (legacy ? m_legacyRecords : m_records)->records();
    QMenu menu(table);
    QMenu* batch = menu.addMenu(text("Batch report…"));
    batch->addAction(text("All rows"), this, [this, legacy] { openBatchReport(legacy, BatchRows::All); })
        ->setEnabled(!records.isEmpty());
    WorkStatistics work(shownQuantities(records));
    work.rebuild(records);
    if (work.groups().size() > 1) {
        for (int g = 0; g < static_cast<int>(work.groups().size()); ++g) {
            batch->addAction(text("Rows of %1").arg(statisticsGroupName(work.groups()[g], g)), this,
                             [this, legacy, g] { openBatchReport(legacy, BatchRows::Standard, g); });
        }
    }
    const int selected = static_cast<int>(table->selectionModel() ? table->selectionModel()->selectedRows().size() : 0);
    batch->addAction(QStringLiteral("%1 (%2)").arg(text("Selected rows")).arg(selected), this,
                     [this, legacy] { openBatchReport(legacy, BatchRows::Selected); })
        ->setEnabled(selected > 0);
    const bool judgedWithLibrary = std::any_of(records.cbegin(), records.cend(), [](const ComparisonRecord& r) {
        return r.library.inUse();
    });
    menu.addAction(QCoreApplication::translate("CurrentVersionJudging", "Judge again with the current standards"), this,
                   [this, legacy] { judgeWithCurrentStandards(legacy); })
        ->setEnabled(m_standards && judgedWithLibrary);
    menu.exec(table->viewport()->mapToGlobal(at));
}

QList<int> RecordTables::selectedRows(bool legacy) const
{
    QList<int> rows;
    const RecordTableView* table = legacy ? ui.tbData : ui.tableWidget_data;
    if (table && table->selectionModel()) {
        for (const QModelIndex& index : table->selectionModel()->selectedRows()) {
            rows << index.row();
        }
    }
    return rows;
}

void RecordTables::judgeWithCurrentStandards(bool legacy)
{
    const auto text = [](const char* source) { return QCoreApplication::translate("CurrentVersionJudging", source); };
    if (!m_standards) {
        m_dialogs.information(m_page, text("Judge again"), text("No library of standards is open."));
        return;
    }
    ComparisonRecordList* list = legacy ? m_legacyRecords : m_records;
    const ComparisonSettings settings =
        m_state.judgingSettings(legacy, ui.lineEdit_formula ? ui.lineEdit_formula->text() : QString(),
                                ui.lineEdit_thresholds ? ui.lineEdit_thresholds->text() : QString());
    const CurrentVersionOutcome outcome =
        judgeWithCurrentVersions(list->records(), selectedRows(legacy), settings, *m_standards);
    // The journal follows the changed rows.
    list->replace(outcome.changedRows, outcome.records);
    m_dialogs.information(m_page, text("Judge again"), outcome.message());
}

void RecordTables::openBatchReport(bool legacy, BatchRows rows, int standard)
{
    const auto text = [](const char* source) { return QCoreApplication::translate("BatchReport", source); };
    const QList<ComparisonRecord>& all = (legacy ? m_legacyRecords : m_records)->records();
    RecordTableView* table = legacy ? ui.tbData : ui.tableWidget_data;
    BatchReportInput input;
    if (m_state.softwareVersion > 0) {
        input.firmware = QString::number(m_state.softwareVersion / 100.0, 'f', 2);
    }
    if (rows == BatchRows::All) {
        input.records = all;
        input.scope = text("All rows");
    } else if (rows == BatchRows::Standard) {
        WorkStatistics work(shownQuantities(all));
        work.rebuild(all);
        if (standard >= 0 && standard < static_cast<int>(work.groups().size())) {
            for (const int row : work.groups()[standard].rows) {
                input.records << all.at(row);
            }
            input.scope = text("Rows of %1").arg(statisticsGroupName(work.groups()[standard], standard));
        }
    } else if (table && table->selectionModel()) {
        QList<int> chosen;
        for (const QModelIndex& index : table->selectionModel()->selectedRows()) {
            chosen << index.row();
        }
        std::sort(chosen.begin(), chosen.end());
        for (const int row : chosen) {
            if (row >= 0 && row < all.size()) {
                input.records << all.at(row);
            }
        }
        input.scope = text("Selected rows");
    }
    m_reports->openBatch(input, m_page);
}

// ---- rows and counters ------------------------------------------------------

// The counters are those of the table shown: rows of the other table (a
// haze meter's rows kept while a first-generation colorimeter is attached)
// are neither counted nor cleared with it.
