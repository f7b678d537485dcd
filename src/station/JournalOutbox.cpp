#include "JournalOutbox.h"

#include "RecordJournal.h"

#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlQuery>

Q_DECLARE_LOGGING_CATEGORY(lcStationSync)

JournalOutbox::JournalOutbox(QString journalPath)
    : m_path(std::move(journalPath))
{
}

JournalOutbox::~JournalOutbox() = default;

RecordJournal* JournalOutbox::journal()
{
    // A RecordJournal turns itself off after a failed read or write (the
    // window's connection held the journal past the busy time-out, say). For
    // the sync that costs a resend at most, so the next call opens it afresh
    // rather than the sync stopping until the program is restarted.
    if (m_journal && !m_journal->isActive()) {
        m_journal.reset();
    }
    if (!m_journal) {
        m_journal = std::make_unique<RecordJournal>(m_path);
        if (!m_journal->open(RecordJournal::Role::Shared)) {
            if (m_journal->errorText() != m_lastError) {
                qCWarning(lcStationSync).noquote() << m_journal->errorText();
            }
            m_lastError = m_journal->errorText();
        } else {
            m_lastError.clear();
            // This connection only writes acknowledgements: one lost in a power
            // cut means a harmless resend, so its commits need not wait for the
            // disk, and the operator's journaling does not queue behind them.
            QSqlQuery q(QSqlDatabase::database(m_journal->connectionName()));
            q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
            // Copying the write-ahead log into the database is left to this
            // thread: it checkpoints at a quarter of the size the window's
            // connection does, so the window's commits seldom meet the log's
            // limit (a checkpoint syncs the whole database file).
            q.exec(QStringLiteral("PRAGMA wal_autocheckpoint=250"));
            q.exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
        }
    }
    return m_journal->isActive() ? m_journal.get() : nullptr;
}

QList<OutboxEntry> JournalOutbox::unacknowledged(int limit)
{
    RecordJournal* j = journal();
    if (!j) {
        return {};
    }
    QList<OutboxEntry> out;
    for (const JournalOutboxEntry& e : j->unacknowledged(limit)) {
        out.append({e.record, e.deleted, e.unreadable});
    }
    return out;
}

bool JournalOutbox::acknowledge(const QList<OutboxKey>& keys)
{
    RecordJournal* j = journal();
    if (!j) {
        return false;
    }
    QList<std::pair<QUuid, qint64>> versions;
    versions.reserve(keys.size());
    for (const OutboxKey& k : keys) {
        versions.append({k.id, k.version});
    }
    return j->acknowledge(versions);
}

bool JournalOutbox::reject(const QList<OutboxKey>& keys, const QString& reason)
{
    RecordJournal* j = journal();
    if (!j) {
        return false;
    }
    QList<std::pair<QUuid, qint64>> versions;
    versions.reserve(keys.size());
    for (const OutboxKey& k : keys) {
        versions.append({k.id, k.version});
    }
    return j->refuse(versions, reason);
}

int JournalOutbox::unacknowledgedCount()
{
    RecordJournal* j = journal();
    return j ? j->unacknowledgedCount() : 0;
}

int JournalOutbox::refusedCount()
{
    RecordJournal* j = journal();
    return j ? j->refusedCount() : 0;
}

void JournalOutbox::close()
{
    m_journal.reset();
}

QString JournalOutbox::rejection(const OutboxKey& key)
{
    RecordJournal* j = journal();
    if (!j) {
        return {};
    }
    for (const JournalRefusal& r : j->refusals()) {
        if (r.id == key.id && r.version == key.version) {
            return r.reason;
        }
    }
    return {};
}
