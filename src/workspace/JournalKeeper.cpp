#include "JournalKeeper.h"

#include "TableRowCodec.h"

#include <QAbstractItemModel>
#include <QDataStream>
#include <QIODevice>
#include <QTableWidget>
#include <QTimer>

namespace {

QByteArray envelope(const QByteArray& row, int sequence)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << qint32(sequence) << row;
    return bytes;
}

bool openEnvelope(const QByteArray& bytes, QByteArray& row, int& sequence)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    qint32 seq = 0;
    in >> seq >> row;
    sequence = seq;
    return in.status() == QDataStream::Ok;
}

qint64 journalId(const QTableWidget* table, int row)
{
    const QTableWidgetItem* item = table->item(row, 0);
    return item ? item->data(JournalKeeper::kJournalIdRole).toLongLong() : 0;
}

} // namespace

JournalKeeper::JournalKeeper(std::unique_ptr<ComparisonJournal> journal, QObject* parent)
    : QObject(parent), m_journal(std::move(journal))
{
}

JournalKeeper::~JournalKeeper()
{
    flush();
}

void JournalKeeper::watch(QTableWidget* table, int tableId)
{
    m_tables.append({table, tableId});
    connect(table, &QTableWidget::itemChanged, this, [this, table](QTableWidgetItem* item) {
        if (!m_quiet && item) {
            markDirty(table, item->row());
        }
    });
    connect(table->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this, table](const QModelIndex&, int first, int last) {
                if (m_quiet) {
                    return;
                }
                for (int row = first; row <= last; ++row) {
                    const qint64 id = journalId(table, row);
                    if (id != 0) {
                        m_dirty.remove(id);
                        m_deleted.append(id);
                    }
                }
                if (!m_deleted.isEmpty()) {
                    scheduleFlush();
                }
            });
}

void JournalKeeper::setSessionInfo(const QString& model, int layout)
{
    m_journal->setSessionInfo(model, layout);
}

QTableWidget* JournalKeeper::tableFor(int tableId) const
{
    for (const Watched& w : m_tables) {
        if (w.id == tableId) {
            return w.table;
        }
    }
    return nullptr;
}

int JournalKeeper::tableIdOf(const QTableWidget* table) const
{
    for (const Watched& w : m_tables) {
        if (w.table == table) {
            return w.id;
        }
    }
    return -1;
}

QByteArray JournalKeeper::payload(QTableWidget* table, int row) const
{
    const qint64 id = journalId(table, row);
    return envelope(TableRowCodec::encode(*table, row, tableIdOf(table)), m_sequence.value(id));
}

void JournalKeeper::rowShown(QTableWidget* table, int row, int sequence)
{
    if (!m_journal->isActive() || !table || row < 0 || row >= table->rowCount()
        || !table->item(row, 0)) {
        return;
    }
    if (m_inBatch) {
        m_batchRows.append({{table, row}, sequence});
        return;
    }
    const qint64 id = m_journal->appendRow(
        envelope(TableRowCodec::encode(*table, row, tableIdOf(table)), sequence));
    if (id != 0) {
        m_quiet = true;
        table->item(row, 0)->setData(kJournalIdRole, id);
        m_quiet = false;
        m_sequence.insert(id, sequence);
    }
}

void JournalKeeper::beginBatch()
{
    m_inBatch = true;
    m_batchRows.clear();
}

void JournalKeeper::endBatch()
{
    m_inBatch = false;
    if (m_batchRows.isEmpty() || !m_journal->isActive()) {
        m_batchRows.clear();
        return;
    }
    // An import appends its rows at the end, with the progress dialog modal:
    // nothing else moves them before the batch ends.
    QList<QByteArray> payloads;
    QList<std::pair<QTableWidget*, int>> where;
    QList<int> sequences;
    for (const auto& entry : std::as_const(m_batchRows)) {
        QTableWidget* table = entry.first.first;
        const int row = entry.first.second;
        if (!table || row >= table->rowCount() || !table->item(row, 0)) {
            continue;
        }
        payloads.append(envelope(TableRowCodec::encode(*table, row, tableIdOf(table)), entry.second));
        where.append({table, row});
        sequences.append(entry.second);
    }
    m_batchRows.clear();
    const QList<qint64> ids = m_journal->appendRows(payloads);
    m_quiet = true;
    for (int i = 0; i < ids.size() && i < where.size(); ++i) {
        where.at(i).first->item(where.at(i).second, 0)->setData(kJournalIdRole, ids.at(i));
        m_sequence.insert(ids.at(i), sequences.at(i));
    }
    m_quiet = false;
}

void JournalKeeper::markDirty(QTableWidget* table, int row)
{
    const qint64 id = journalId(table, row);
    if (id == 0) {
        return;
    }
    m_dirty.insert(id, table);
    scheduleFlush();
}

void JournalKeeper::scheduleFlush()
{
    if (m_flushScheduled) {
        return;
    }
    m_flushScheduled = true;
    QTimer::singleShot(0, this, &JournalKeeper::flush);
}

void JournalKeeper::flush()
{
    m_flushScheduled = false;
    if (!m_journal->isActive()) {
        m_dirty.clear();
        m_deleted.clear();
        return;
    }
    QList<std::pair<qint64, QByteArray>> updates;
    for (auto it = m_dirty.cbegin(); it != m_dirty.cend(); ++it) {
        QTableWidget* table = it.value();
        if (!table) {
            continue;
        }
        for (int row = 0; row < table->rowCount(); ++row) {
            if (journalId(table, row) == it.key()) {
                updates.append({it.key(), payload(table, row)});
                break;
            }
        }
    }
    m_dirty.clear();
    if (!updates.isEmpty()) {
        m_journal->updateRows(updates);
    }
    for (const qint64 id : std::as_const(m_deleted)) {
        m_journal->deleteRow(id);
    }
    m_deleted.clear();
}

void JournalKeeper::closeWork()
{
    flush();
    m_journal->closeCurrentSession();
    // The rows on screen are no longer journaled: removing them deletes nothing.
    m_quiet = true;
    for (const Watched& w : std::as_const(m_tables)) {
        if (!w.table) {
            continue;
        }
        for (int row = 0; row < w.table->rowCount(); ++row) {
            if (QTableWidgetItem* item = w.table->item(row, 0)) {
                item->setData(kJournalIdRole, QVariant());
            }
        }
    }
    m_quiet = false;
    m_sequence.clear();
}

QList<JournalSession> JournalKeeper::openSessions()
{
    return m_journal->openSessions();
}

JournalKeeper::Restored JournalKeeper::restore(const JournalSession& session)
{
    Restored restored;
    m_quiet = true;
    for (const JournalRow& row : m_journal->rows(session.id)) {
        QByteArray bytes;
        int sequence = 0;
        if (!openEnvelope(row.payload, bytes, sequence)) {
            continue;
        }
        const int tableId = TableRowCodec::tableOf(bytes);
        QTableWidget* table = tableFor(tableId);
        if (!table || !TableRowCodec::insert(*table, bytes)) {
            continue;
        }
        const int at = table->rowCount() - 1;
        if (QTableWidgetItem* item = table->item(at, 0)) {
            item->setData(kJournalIdRole, row.id);
        }
        m_sequence.insert(row.id, sequence);
        (tableId == 1 ? restored.legacyRows : restored.currentRows).append(at);
        restored.sequence = std::max(restored.sequence, sequence);
    }
    m_quiet = false;
    m_journal->resume(session.id);
    return restored;
}

void JournalKeeper::keepAsHistory(const JournalSession& session)
{
    m_journal->closeSession(session.id);
}
