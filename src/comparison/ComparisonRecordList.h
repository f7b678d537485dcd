#pragma once
// The comparison records of the current work, in the order they were made.
// The one place a record is kept: tables, exports, reports, the journal and
// statistics read it here, and every change (a new record, a delete, a
// rename, judging again, a clear) goes through it and is announced.

#include "ComparisonRecord.h"

#include <QList>
#include <QObject>

class ComparisonRecordList : public QObject
{
    Q_OBJECT
public:
    explicit ComparisonRecordList(QObject* parent = nullptr) : QObject(parent) {}

    int size() const { return static_cast<int>(m_records.size()); }
    bool isEmpty() const { return m_records.isEmpty(); }
    const ComparisonRecord& at(int row) const { return m_records.at(row); }
    const QList<ComparisonRecord>& records() const { return m_records; }
    // The row of the record with this id, or -1.
    int indexOf(const QUuid& id) const;

    // Counters, derived from the records: never negative, always the rows.
    int passCount() const { return m_passCount; }
    int ngCount() const { return size() - m_passCount; }

    // The number of the last "Comp%1" name given to a comparison of this
    // list: each table names its own comparisons, and a clear starts again at 0.
    int comparisonSequence() const { return m_comparisonSequence; }
    void setComparisonSequence(int sequence) { m_comparisonSequence = sequence; }
    // The next name's number, taken.
    int takeNameNumber() { return ++m_comparisonSequence; }

    // Appends records; a record without an id gets one.
    void append(const ComparisonRecord& record);
    void append(QList<ComparisonRecord> records);
    // false when row is not a record.
    bool remove(int row);
    // The test name of one record; false when row is not a record or the name is the same.
    bool rename(int row, const QString& testName);
    // Puts changed records in place (judging again); rows outside the list are ignored.
    void replace(const QList<int>& rows, const QList<ComparisonRecord>& records);
    void clear();

    // Judges every record again against settings (the one judging rule);
    // announces the changed rows and returns them.
    QList<int> judgeAgain(const ComparisonSettings& settings);

Q_SIGNALS:
    void appended(int first, int last);
    // Before the record at row leaves: it is still at(row).
    void aboutToRemove(int row);
    void removed(int row);
    // Records whose fields changed (rename, judging again), ascending rows.
    void changed(const QList<int>& rows);
    void aboutToClear();
    void cleared();
    // Any change of the counters.
    void countsChanged();

private:
    QList<ComparisonRecord> m_records;
    int m_passCount = 0;
    int m_comparisonSequence = 0;
};
