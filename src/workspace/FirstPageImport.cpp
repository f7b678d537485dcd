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
#include "InstrumentPanel.h"
#include "RecordImport.h"
#include "RecordTables.h"

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

void FirstPageFor310::on_pushButton_readComparisonRecord_clicked()
{
    if (m_state.isFirstGeneration()) {
        on_readcolordifrecordBtn_clicked();
        return;
    }
    CommandsDisabled busy(ui->widget_buttons);
    RecordImport::PageHooks hooks;
    hooks.rowCount = [this] { return m_tables->records().size(); };
    hooks.exportRows = [this] { return on_pushButton_exportExcel_clicked(); };
    hooks.clearRows = [this] { on_pushButton_clear_clicked(); };
    hooks.settings = [this] { return m_panel->importSettings(false); };
    DialogFeedback feedback(this, m_dialogs);
    hooks.askToSaveRows = [&feedback] { return feedback.ask(RecordImport::saveRowsQuestion()); };
    m_tables->appendImported(RecordImport(m_link, feedback).run(false, hooks), false);
}

void FirstPageFor310::on_readcolordifrecordBtn_clicked()
{
    CommandsDisabled busy(ui->widget_buttons);
    RecordImport::PageHooks hooks;
    hooks.rowCount = [this] { return m_tables->legacyRecords().size(); };
    hooks.exportRows = [this] { return on_ExportExcelBtn_clicked(); };
    hooks.clearRows = [this] { on_ClearBtn_clicked(); };
    hooks.readParameter = [this] { return on_pushButton_readParameter_clicked() == 1; };
    hooks.settings = [this] { return m_panel->importSettings(true); };
    DialogFeedback feedback(this, m_dialogs);
    hooks.askToSaveRows = [&feedback] { return feedback.ask(RecordImport::saveRowsQuestion()); };
    m_tables->appendImported(RecordImport(m_link, feedback).run(true, hooks), true);
}
