#pragma once
// Questions to the station database across stations: the records of a
// selection and its statistics, for the history window and `tintwell-cli
// history`. Every filter value goes to the server as a parameter.

#include "HistorySource.h"
#include "StationConfig.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

class PgConnection;

namespace StationHistory {

// The WHERE clause (over tintwell.records r joined with tintwell.stations s)
// and its parameters, numbered from firstParameter.
QString whereClause(const HistoryFilter& filter, QList<QByteArray>* params, int firstParameter = 1);

// The records, oldest first, in pages of pageSize; progress(done) after each
// page; cancelled() true stops early (false returned, *error empty).
bool records(PgConnection& connection, const HistoryFilter& filter, QList<HistoryRow>* rows, QString* error,
              const std::function<void(int)>& progress = {}, const std::atomic<bool>* cancelled = nullptr,
              int pageSize = 5000);

bool statistics(PgConnection& connection, const HistoryFilter& filter, HistoryStatistics* out, QString* error);

} // namespace StationHistory

// The history of every station, from the station database: every row of the
// selection at once, as the server sends it in pages.
class StationHistorySource : public HistorySource
{
public:
    explicit StationHistorySource(StationConfig config) : m_config(std::move(config)) {}
    QString title() const override;
    bool acrossStations() const override { return true; }
    int pageSize() const override { return 0; }
    bool rows(const HistoryFilter& filter, qint64 offset, QList<HistoryRow>* out, QString* error,
              const std::function<void(int)>& progress, const std::atomic<bool>* cancelled) const override;
    bool statistics(const HistoryFilter& filter, HistoryStatistics* out, QString* error,
                    const std::atomic<bool>* cancelled) const override;
    QList<HistorySession> sessions(QString*) const override { return {}; }

private:
    bool connect(PgConnection& connection, QString* error) const;
    StationConfig m_config;
};
