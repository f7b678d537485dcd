#include "ComparisonRecordList.h"

#include "ComparisonJudging.h"

int ComparisonRecordList::indexOf(const QUuid& id) const
{
    for (int row = 0; row < size(); ++row) {
        if (m_records.at(row).id == id) {
            return row;
        }
    }
    return -1;
}

void ComparisonRecordList::append(const ComparisonRecord& record)
{
    append(QList<ComparisonRecord>{record});
}

void ComparisonRecordList::append(QList<ComparisonRecord> records)
{
    if (records.isEmpty()) {
        return;
    }
    const int first = size();
    for (ComparisonRecord& record : records) {
        if (record.id.isNull()) {
            record.id = QUuid::createUuid();
        }
        m_passCount += record.pass ? 1 : 0;
    }
    m_records.append(std::move(records));
    emit appended(first, size() - 1);
    emit countsChanged();
}

bool ComparisonRecordList::remove(int row)
{
    if (row < 0 || row >= size()) {
        return false;
    }
    emit aboutToRemove(row);
    m_passCount -= m_records.at(row).pass ? 1 : 0;
    m_records.removeAt(row);
    emit removed(row);
    emit countsChanged();
    return true;
}

bool ComparisonRecordList::rename(int row, const QString& testName)
{
    if (row < 0 || row >= size() || m_records.at(row).testName == testName) {
        return false;
    }
    ComparisonRecord& record = m_records[row];
    record.testName = testName;
    ++record.version;
    emit changed({row});
    return true;
}

void ComparisonRecordList::replace(const QList<int>& rows, const QList<ComparisonRecord>& records)
{
    QList<int> done;
    for (int i = 0; i < rows.size() && i < records.size(); ++i) {
        const int row = rows.at(i);
        if (row < 0 || row >= size()) {
            continue;
        }
        m_passCount += (records.at(i).pass ? 1 : 0) - (m_records.at(row).pass ? 1 : 0);
        m_records[row] = records.at(i);
        done.append(row);
    }
    if (!done.isEmpty()) {
        std::sort(done.begin(), done.end());
        emit changed(done);
        emit countsChanged();
    }
}

void ComparisonRecordList::clear()
{
    emit aboutToClear();
    m_records.clear();
    m_passCount = 0;
    m_comparisonSequence = 0;
    emit cleared();
    emit countsChanged();
}

QList<int> ComparisonRecordList::judgeAgain(const ComparisonSettings& settings)
{
    const QList<int> rows = judgeRecordsAgain(m_records, settings);
    m_passCount = 0;
    for (const ComparisonRecord& record : m_records) {
        m_passCount += record.pass ? 1 : 0;
    }
    if (!rows.isEmpty()) {
        emit changed(rows);
    }
    emit countsChanged();
    return rows;
}
