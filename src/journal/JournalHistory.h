#pragma once
// The history of this computer, from its journal: every record of every
// session, open or closed, in pages, filtered by the columns the journal
// keeps beside each record's data (indexed by time). Each call opens a
// connection of its own (Role::Shared), so it runs on any thread.

#include "HistorySource.h"

class JournalHistory : public HistorySource
{
public:
    // path: the journal file (RecordJournal::defaultPath() in the window).
    explicit JournalHistory(QString path, int pageSize = 1000);

    QString title() const override;
    bool acrossStations() const override { return false; }
    int pageSize() const override { return m_pageSize; }
    bool rows(const HistoryFilter& filter, qint64 offset, QList<HistoryRow>* out, QString* error,
              const std::function<void(int)>& progress, const std::atomic<bool>* cancelled) const override;
    bool statistics(const HistoryFilter& filter, HistoryStatistics* out, QString* error,
                    const std::atomic<bool>* cancelled) const override;
    QList<HistorySession> sessions(QString* error) const override;

private:
    QString m_path;
    int m_pageSize;
};
