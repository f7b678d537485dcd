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
    if (!m_journal) {
        m_journal = std::make_unique<RecordJournal>(m_path);
        if (!m_journal->open(RecordJournal::Role::Shared)) {
            qCWarning(lcStationSync).noquote() << m_journal->errorText();
        } else {
            // This connection only writes acknowledgements: one lost in a power
            // cut means a harmless resend, so its commits need not wait for the
            // disk, and the operator's journaling does not queue behind them.
            QSqlQuery(QSqlDatabase::database(m_journal->connectionName()))
                .exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
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
    QMutexLocker lock(&m_lock);
    const int refused = int(m_rejected.size());
    lock.unlock();
    QList<OutboxEntry> out;
    for (const JournalOutboxEntry& e : j->unacknowledged(limit + refused)) {
        if (rejection({e.record.id, e.record.version}).isEmpty() && out.size() < limit) {
            out.append({e.record, e.deleted});
        }
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
    QMutexLocker lock(&m_lock);
    for (const OutboxKey& k : keys) {
        m_rejected.insert(k.id, {k.version, reason});
    }
    return true;
}

int JournalOutbox::unacknowledgedCount()
{
    RecordJournal* j = journal();
    if (!j) {
        return 0;
    }
    QMutexLocker lock(&m_lock);
    const int refused = int(m_rejected.size());
    lock.unlock();
    // Refused records stay unacknowledged in the journal; they are not waiting.
    return std::max(0, j->unacknowledgedCount() - refused);
}

void JournalOutbox::close()
{
    m_journal.reset();
}

QString JournalOutbox::rejection(const OutboxKey& key) const
{
    QMutexLocker lock(&m_lock);
    const auto it = m_rejected.constFind(key.id);
    return it != m_rejected.cend() && it->first == key.version ? it->second : QString();
}
