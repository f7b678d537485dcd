#pragma once
// How long closed sessions stay in the journal. Kept in the user's settings:
//   [journal]
//   pruneClosedAfterDays=90   ; 0 or absent: history is kept for ever
// Records the station database has not acknowledged stay while a station
// database is set up ([station] host), whatever their age.

#include "RecordJournal.h"

class QSettings;

struct JournalPruning
{
    int closedAfterDays = 0;
    bool keepUnacknowledged = false;

    static JournalPruning load(QSettings& settings);
    bool enabled() const { return closedAfterDays > 0; }
    // Prunes what the settings say is old enough, as of `now`. {0, 0} when
    // pruning is off; {-1, -1} when the journal failed.
    RecordJournal::Pruned apply(RecordJournal& journal, const QDateTime& now) const;
};
