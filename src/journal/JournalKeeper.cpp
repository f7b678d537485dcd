#include "JournalKeeper.h"

#include "ComparisonRecordList.h"

#include <QTimer>

JournalKeeper::JournalKeeper(std::unique_ptr<RecordJournal> journal, QObject* parent)
    : QObject(parent), m_journal(std::move(journal))
{
}

JournalKeeper::~JournalKeeper()
{
    endBatch();
    if (m_remainingPending) {
        journalRemaining();
    }
}

void JournalKeeper::watch(ComparisonRecordList* list, bool legacy)
{
    m_lists.append({list, legacy});
    connect(list, &ComparisonRecordList::appended, this,
            [this, list](int first, int last) { appended(list, first, last); });
    connect(list, &ComparisonRecordList::aboutToRemove, this, [this, list](int row) { aboutToRemove(list, row); });
    connect(list, &ComparisonRecordList::changed, this,
            [this, list](const QList<int>& rows) { changed(list, rows); });
}

void JournalKeeper::setSessionInfo(const QString& model, int layout)
{
    m_journal->setSessionInfo(model, layout);
}

void JournalKeeper::setCounter(std::function<int()> counter)
{
    m_counter = std::move(counter);
}

ComparisonRecordList* JournalKeeper::listFor(bool legacy) const
{
    for (const Watched& w : m_lists) {
        if (w.legacy == legacy && w.list) {
            return w.list;
        }
    }
    return nullptr;
}

void JournalKeeper::appended(ComparisonRecordList* list, int first, int last)
{
    if (m_quiet || !m_journal->isActive()) {
        return;
    }
    QList<ComparisonRecord> records;
    records.reserve(last - first + 1);
    for (int row = first; row <= last && row < list->size(); ++row) {
        records.append(list->at(row));
    }
    if (m_remainingPending) {
        for (const ComparisonRecord& record : std::as_const(records)) {
            m_sinceClose.insert(record.id);
        }
    }
    if (m_inBatch) {
        m_batch.append(std::move(records));
        return;
    }
    m_journal->append(records, counter());
    Q_EMIT journaled();
}

void JournalKeeper::aboutToRemove(ComparisonRecordList* list, int row)
{
    if (m_quiet || !m_journal->isActive() || row < 0 || row >= list->size()) {
        return;
    }
    const QUuid id = list->at(row).id;
    // Removed before its batch was written: it never reaches the journal.
    for (int i = 0; i < m_batch.size(); ++i) {
        if (m_batch.at(i).id == id) {
            m_batch.removeAt(i);
            return;
        }
    }
    m_journal->remove({id});
    Q_EMIT journaled();
}

void JournalKeeper::changed(ComparisonRecordList* list, const QList<int>& rows)
{
    if (m_quiet || !m_journal->isActive()) {
        return;
    }
    QList<ComparisonRecord> records;
    records.reserve(rows.size());
    for (const int row : rows) {
        if (row >= 0 && row < list->size()) {
            records.append(list->at(row));
        }
    }
    // A change to a record of the batch: the batch writes it as it is now.
    for (ComparisonRecord& pending : m_batch) {
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (records.at(i).id == pending.id) {
                pending = records.takeAt(i);
                break;
            }
        }
    }
    m_journal->update(records);
    Q_EMIT journaled();
}

void JournalKeeper::beginBatch()
{
    m_inBatch = true;
}

void JournalKeeper::endBatch()
{
    m_inBatch = false;
    if (m_batch.isEmpty()) {
        return;
    }
    const QList<ComparisonRecord> batch = std::exchange(m_batch, {});
    if (m_journal->isActive()) {
        m_journal->append(batch, counter());
        Q_EMIT journaled();
    }
}

void JournalKeeper::closeWork(const ComparisonRecordList* done)
{
    endBatch();
    if (done) {
        for (const ComparisonRecord& record : done->records()) {
            m_done.insert(record.id);
        }
    }
    m_journal->closeCurrentSession();
    // The page empties the list it cleared right after closing the work; what
    // is still in a list then (the other table's records) joins the next
    // session, so nothing on screen is left out of the open work.
    if (!m_remainingPending) {
        m_remainingPending = true;
        QTimer::singleShot(0, this, &JournalKeeper::journalRemaining);
    }
}

void JournalKeeper::journalRemaining()
{
    if (!m_remainingPending) {
        return;
    }
    m_remainingPending = false;
    QList<ComparisonRecord> remaining;
    for (const Watched& w : std::as_const(m_lists)) {
        if (!w.list) {
            continue;
        }
        for (const ComparisonRecord& record : w.list->records()) {
            if (!m_sinceClose.contains(record.id) && !m_done.contains(record.id)) {
                remaining.append(record);
            }
        }
    }
    m_sinceClose.clear();
    m_done.clear();
    if (!remaining.isEmpty() && m_journal->isActive()) {
        m_journal->append(remaining, counter());
        Q_EMIT journaled();
    }
}

QList<JournalSession> JournalKeeper::openSessions()
{
    return m_journal->openSessions();
}

JournalKeeper::Restored JournalKeeper::restore(const JournalSession& session)
{
    Restored restored;
    QList<ComparisonRecord> records = m_journal->records(session.id);
    QList<ComparisonRecord> current;
    QList<ComparisonRecord> legacy;
    current.reserve(records.size());
    for (ComparisonRecord& record : records) {
        (record.legacy && listFor(true) ? legacy : current).append(std::move(record));
    }
    records.clear();
    restored.current = static_cast<int>(current.size());
    restored.legacy = static_cast<int>(legacy.size());
    restored.counter = session.counter;
    m_quiet = true;
    if (ComparisonRecordList* list = listFor(false); list && !current.isEmpty()) {
        list->append(std::move(current));
    }
    if (ComparisonRecordList* list = listFor(true); list && !legacy.isEmpty()) {
        list->append(std::move(legacy));
    }
    m_quiet = false;
    const qint64 work = m_journal->currentSession();
    if (work != 0 && work != session.id) {
        m_journal->merge(session.id, work);
    } else {
        m_journal->resume(session.id);
    }
    return restored;
}

void JournalKeeper::keepAsHistory(const JournalSession& session)
{
    m_journal->closeSession(session.id);
}
