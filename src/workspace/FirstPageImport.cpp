// The "Read comparison record" button of the workspace page: the records the
// instrument stored from its own keypad become rows of the comparison table.
// RecordImport reads and judges them; the page appends them all at once, or
// none when the import failed or was cancelled.

#include "FirstPageFor310.h"

#include "ComparisonJudging.h"
#include "DialogFeedback.h"
#include "FirstPageForm.h"
#include "JournalKeeper.h"
#include "ComparisonRecordList.h"
#include "RecordImport.h"

#include <QLineEdit>

namespace {

// The page's command buttons stay disabled while an import runs.
class CommandsDisabled
{
public:
    explicit CommandsDisabled(QWidget* buttons) : m_buttons(buttons) { m_buttons->setEnabled(false); }
    ~CommandsDisabled() { m_buttons->setEnabled(true); }
    CommandsDisabled(const CommandsDisabled&) = delete;
    CommandsDisabled& operator=(const CommandsDisabled&) = delete;

private:
    QWidget* m_buttons;
};

} // namespace

ImportSettings FirstPageFor310::importSettings() const
{
    ImportSettings settings;
    settings.displayMode = m_state.displayMode();
    settings.layoutIndex = m_state.layoutIndex;
    settings.formulaCode = m_state.deltaEFormulaIndex;
    settings.tolerances = m_state.tolerances();
    settings.parameterThreshold = m_state.parameterThreshold;
    settings.modelName = m_state.modelName;
    settings.serialNumber = ui->lineEdit_serialNo->text();
    settings.totalCountBefore = totalCount();
    settings.formulaText = ui->lineEdit_formula->text();
    settings.thresholdText = ui->lineEdit_thresholds->text();
    return settings;
}

void FirstPageFor310::on_pushButton_readComparisonRecord_clicked()
{
    if (isFirstGeneration()) {
        on_readcolordifrecordBtn_clicked();
        return;
    }
    CommandsDisabled busy(ui->widget_buttons);
    RecordImport::PageHooks hooks;
    hooks.rowCount = [this] { return m_records->size(); };
    hooks.exportRows = [this] { return on_pushButton_exportExcel_clicked(); };
    hooks.clearRows = [this] { on_pushButton_clear_clicked(); };
    hooks.settings = [this] { return importSettings(); };
    DialogFeedback feedback(this, dialogs());
    hooks.askToSaveRows = [&feedback] { return feedback.ask(RecordImport::saveRowsQuestion()); };
    appendImported(RecordImport(m_link, feedback).run(false, hooks), false);
}

void FirstPageFor310::on_readcolordifrecordBtn_clicked()
{
    CommandsDisabled busy(ui->widget_buttons);
    RecordImport::PageHooks hooks;
    hooks.rowCount = [this] { return m_legacyRecords->size(); };
    hooks.exportRows = [this] { return on_ExportExcelBtn_clicked(); };
    hooks.clearRows = [this] { on_ClearBtn_clicked(); };
    hooks.readParameter = [this] { return on_pushButton_readParameter_clicked() == 1; };
    hooks.settings = [this] { return importSettings(); };
    DialogFeedback feedback(this, dialogs());
    hooks.askToSaveRows = [&feedback] { return feedback.ask(RecordImport::saveRowsQuestion()); };
    appendImported(RecordImport(m_link, feedback).run(true, hooks), true);
}

void FirstPageFor310::appendImported(const ImportResult& result, bool legacy)
{
    if (result.rows.isEmpty() || !joinsTable(legacy, result.rows.first().settings.displayMode)) {
        return;
    }
    // One journal transaction and one insertion for the whole import.
    if (m_journal) {
        m_journal->beginBatch();
    }
    addComparisonRows(result.rows, legacy);
    (legacy ? ui->tbData : ui->tableWidget_data)->scrollToBottom();
    if (m_journal) {
        m_journal->endBatch();
    }
}
