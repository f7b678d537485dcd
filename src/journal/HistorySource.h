#pragma once
// What the history window asks, whatever holds the history: the station
// database (every station) or this computer's journal. A source keeps no
// connection between calls: every call opens its own, so the window runs
// them on a worker thread while its own objects stay on the window's.

#include "ComparisonRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

struct HistoryFilter
{
    QDateTime from;            // invalid: no lower bound
    QDateTime to;              // invalid: no upper bound (exclusive)
    QStringList stations;      // empty: every station
    QString model;             // empty: every model
    QString standard;          // empty: every standard
    QString testNamePattern;   // '*' and '?' as wildcards; empty: every name
    std::optional<bool> pass;  // the verdict; nullopt: both
    bool includeDeleted = false;
    qint64 session = 0;        // the journal's session; 0: every session
};

struct HistoryRow
{
    QString id;
    qint64 version = 0;
    QString station;
    qint64 session = 0; // the journal's session; 0 from the station database
    QDateTime measuredAt;
    QString testName;
    QString model;
    QString serialNumber;
    QString standard;
    double deltaE = 0.0;
    double hazeDifference = 0.0;
    double transmittanceDifference = 0.0;
    bool pass = false;
    ComparisonRecord record; // the whole record as kept
};

// Computed over the whole selection (NaN where no value).
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

// A session the history can be narrowed to.
struct HistorySession
{
    qint64 id = 0;
    QString label;
};

// The standard a record's sample was compared with, as one text: the library
// standard's name, or its values as the instrument showed them ("Lab 52.1
// -1.2 3.4", "Haze 1.23 T 90.1"), so records of one standard share it.
QString standardName(const ComparisonRecord& record);

class HistorySource
{
public:
    virtual ~HistorySource() = default;

    // The window's title, and whether rows come from several stations.
    virtual QString title() const = 0;
    virtual bool acrossStations() const = 0;
    // Rows a page holds; 0: every row at once.
    virtual int pageSize() const = 0;

    // Rows of the selection, oldest first, from `offset` (a page, or every
    // row when pageSize() is 0). progress(done) as rows arrive; cancelled()
    // true stops early: false returned, *error empty. Safe on any thread.
    virtual bool rows(const HistoryFilter& filter, qint64 offset, QList<HistoryRow>* out, QString* error,
                      const std::function<void(int)>& progress, const std::atomic<bool>* cancelled) const = 0;
    virtual bool statistics(const HistoryFilter& filter, HistoryStatistics* out, QString* error,
                            const std::atomic<bool>* cancelled) const = 0;
    // Sessions to narrow to, newest first; empty when the source has none.
    virtual QList<HistorySession> sessions(QString* error) const = 0;
};
