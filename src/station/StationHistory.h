#pragma once
// Questions to the station database across stations: the records of a
// selection and its statistics, for the history window and `tintwell-cli
// history`. Every filter value goes to the server as a parameter.

#include "ComparisonRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

class PgConnection;

struct HistoryFilter
{
    QDateTime from;            // invalid: no lower bound
    QDateTime to;              // invalid: no upper bound
    QStringList stations;      // empty: every station
    QString model;             // empty: every model
    QString standard;          // empty: every standard
    QString testNamePattern;   // '*' and '?' as wildcards; empty: every name
    std::optional<bool> pass;  // the verdict; nullopt: both
    bool includeDeleted = false;
};

struct HistoryRow
{
    QString id;
    qint64 version = 0;
    QString station;
    QDateTime measuredAt;
    QString testName;
    QString model;
    QString serialNumber;
    QString standard;
    double deltaE = 0.0;
    double hazeDifference = 0.0;
    double transmittanceDifference = 0.0;
    bool pass = false;
    ComparisonRecord record; // the whole record as the station sent it
};

// Computed by the server over the whole selection (NaN where no value).
struct HistoryStatistics
{
    qint64 count = 0;
    qint64 passCount = 0;
    double deltaEMean = 0.0;
    double deltaEStandardDeviation = 0.0;
    double deltaEMinimum = 0.0;
    double deltaEMaximum = 0.0;
    double hazeDifferenceMean = 0.0;
    double transmittanceDifferenceMean = 0.0;
};

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
