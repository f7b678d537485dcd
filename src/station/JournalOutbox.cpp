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
    QList<OutboxEntry> out;
    for (const JournalOutboxEntry& e : j->unacknowledged(limit)) {
        out.append({e.record, e.deleted});
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
