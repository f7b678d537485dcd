#pragma once
// The comparison journal as the sync worker's outbox. The journal is opened
// (as a second, shared connection) on the first call, so on the worker's
// thread. A record the server refused for good is kept out of the queue for
// the rest of this run with its reason (the journal keeps no refusals): the
// next run tries it once more, and the server refuses it again.

#include "Outbox.h"

#include <QHash>
#include <QMutex>

#include <memory>

class RecordJournal;

class JournalOutbox : public Outbox
{
public:
    explicit JournalOutbox(QString journalPath);
    ~JournalOutbox() override;

    QList<OutboxEntry> unacknowledged(int limit) override;
    bool acknowledge(const QList<OutboxKey>& keys) override;
    bool reject(const QList<OutboxKey>& keys, const QString& reason) override;
    int unacknowledgedCount() override;
    void close() override;

    // Why the server refused this version of a record; empty when it did not.
    QString rejection(const OutboxKey& key) const;

private:
    RecordJournal* journal();

    QString m_path;
    std::unique_ptr<RecordJournal> m_journal;
    mutable QMutex m_lock;
    QHash<QUuid, std::pair<qint64, QString>> m_rejected;
};
