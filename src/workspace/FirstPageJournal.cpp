// The page's records in the comparison journal: starting it, pruning old
// history as the settings ask (and saying so), and offering back the records
// of sessions a crash or a closed window left open.

#include "FirstPageFor310.h"

#include "ComparisonRecordList.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "JournalKeeper.h"
#include "JournalPruning.h"
#include "RecordJournal.h"
#include "RecordTable.h"

#include <QSettings>
#include <QStackedWidget>

void FirstPageFor310::startJournal(const QString& path)
{
    auto journal = std::make_unique<RecordJournal>(path);
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
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"),
                       QStringLiteral("Tintwell"));
    const JournalPruning pruning = JournalPruning::load(settings);
    const RecordJournal::Pruned pruned = pruning.apply(*journal, QDateTime::currentDateTime());
    if (pruned.sessions > 0) {
        dialogs().information(this, tr("Tip"),
                              tr("Sessions closed more than %3 days ago were removed from the comparison journal: "
                                 "%2 sessions, %1 comparisons (setting journal/pruneClosedAfterDays in %4).")
                                  .arg(pruned.records)
                                  .arg(pruned.sessions)
                                  .arg(pruning.closedAfterDays)
                                  .arg(settings.fileName()));
    }
    auto* keeper = new JournalKeeper(std::move(journal), this);
    setJournal(keeper);

    // Sessions left open are offered one by one; each one restored joins the
    // work, each one declined stays as closed history.
    bool restoredAny = false;
    bool restoredLegacy = false;
    for (const JournalSession& session : keeper->openSessions()) {
        const QString when = session.started.toString(QStringLiteral("yyyy/MM/dd  hh:mm"));
        const QString model = session.model.isEmpty() ? tr("UnKnow") : session.model;
        const bool yes = dialogs().question(
            this, tr("Tip"),
            tr("%1 comparison rows of the session of %2 (%3) were not cleared or exported. Restore them?")
                .arg(session.recordCount)
                .arg(when, model));
        if (!yes) {
            keeper->keepAsHistory(session);
            continue;
        }
        const JournalKeeper::Restored restored = keeper->restore(session);
        // The names go on from the session's counter in the tables it filled.
        for (auto [list, count] : {std::pair{m_records, restored.current}, {m_legacyRecords, restored.legacy}}) {
            if (count > 0) {
                list->setNameSequence(std::max(list->nameSequence(), restored.counter));
            }
        }
        restoredAny = true;
        restoredLegacy = restoredLegacy || (restored.legacy > 0 && restored.current == 0);
    }
    if (restoredAny) {
        // The rows come back into the table they were taken in, shown until an
        // instrument is identified.
        ui->stackedWidget_data->setCurrentWidget(restoredLegacy ? ui->page_oldData : ui->page_newData);
        ui->stackedWidget_comparisonMeasurement->setCurrentWidget(
            restoredLegacy ? ui->page_oldComparisonMeasurement : ui->page_newComparisonMeasurement);
    }
}
