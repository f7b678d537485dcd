// The page's rows in the comparison journal: starting it, and offering back
// the rows of sessions a crash or a closed window left open.

#include "FirstPageFor310.h"

#include "ComparisonJournal.h"
#include "ComparisonJudging.h"
#include "RecordTable.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "JournalKeeper.h"

#include <QStackedWidget>
#include <QTableWidget>

void FirstPageFor310::startJournal(const QString& path)
{
    auto journal = std::make_unique<ComparisonJournal>(path);
    if (!journal->open()) {
        dialogs().warning(this, tr("Warn"),
                          tr("The comparison journal cannot be used: %1\nTintwell goes on without it; "
                             "the rows of this session are kept in memory only.")
                              .arg(journal->errorText()));
        return;
    }
    if (!journal->movedAsideTo().isEmpty()) {
        dialogs().warning(this, tr("Warn"),
                          tr("The comparison journal %1 was damaged. It was moved to %2 and a new one started.")
                              .arg(journal->fileName(), journal->movedAsideTo()));
    }
    journal->setFailureHandler([this](const QString& error) {
        dialogs().warning(this, tr("Warn"),
                          tr("The comparison journal stopped working: %1\nTintwell goes on without it; "
                             "the rows of this session are kept in memory only.")
                              .arg(error));
    });
    auto* keeper = new JournalKeeper(std::move(journal), this);
    setJournal(keeper);

    bool restoredAny = false;
    bool restoredLegacy = false;
    for (const JournalSession& session : keeper->openSessions()) {
        const QString when = session.started.toLocalTime().toString(QStringLiteral("yyyy/MM/dd  hh:mm"));
        const QString model = session.model.isEmpty() ? tr("UnKnow") : session.model;
        const bool yes = dialogs().question(
            this, tr("Tip"),
            tr("%1 comparison rows of the session of %2 (%3) were not cleared or exported. Restore them?")
                .arg(session.rowCount)
                .arg(when, model));
        if (!yes) {
            keeper->keepAsHistory(session);
            continue;
        }
        const JournalKeeper::Restored restored = keeper->restore(session);
        ensureRowButtons(ui->tableWidget_data);
        ensureRowButtons(ui->tbData);
        m_state.comparisonSequence = std::max(m_state.comparisonSequence, restored.sequence);
        restoredAny = true;
        restoredLegacy = restoredLegacy || (!restored.legacyRows.isEmpty() && restored.currentRows.isEmpty());
    }
    if (restoredAny) {
        // The journal puts back shown rows: they become the records they show
        // (the counters follow), until the journal keeps records itself.
        m_recordTable->adoptShownRows(m_state.displayMode(), m_state.layoutIndex);
        m_legacyRecordTable->adoptShownRows(-1, m_state.layoutIndex);
        relabelRows();
        // The rows come back into the table they were taken in, shown until an
        // instrument is identified.
        ui->stackedWidget_data->setCurrentWidget(restoredLegacy ? ui->page_oldData : ui->page_newData);
        ui->stackedWidget_comparisonMeasurement->setCurrentWidget(
            restoredLegacy ? ui->page_oldComparisonMeasurement : ui->page_newComparisonMeasurement);
    }
}
