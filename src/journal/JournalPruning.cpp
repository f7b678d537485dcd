#include "JournalPruning.h"

#include <QSettings>

JournalPruning JournalPruning::load(QSettings& settings)
{
    JournalPruning p;
    p.closedAfterDays = std::max(0, settings.value(QStringLiteral("journal/pruneClosedAfterDays"), 0).toInt());
    p.keepUnacknowledged = !settings.value(QStringLiteral("station/host")).toString().isEmpty();
    return p;
}

RecordJournal::Pruned JournalPruning::apply(RecordJournal& journal, const QDateTime& now) const
{
    if (!enabled()) {
        return {};
    }
    return journal.pruneClosedSessions(now.addDays(-closedAfterDays), keepUnacknowledged);
}
